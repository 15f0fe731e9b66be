#!/usr/bin/env bash
# How the spoken calls and commentary of a sound pack keep up with the races,
# at each of the five race speeds: races run headless by chuderby-sim with the
# pack's clips at their real lengths.
#
#   tools/soundpack/commentary-figures.sh PACKDIR SIM [RACES] [SEED]
#
# SIM is the chuderby-sim executable. Per speed it prints, averaged over the races:
#   gate:  the parade's own time (139 ticks until the sixth runner stands in its
#          stall) against the calls (opening call, six post calls and names,
#          closing call), and the start it gives (tick of the start signal);
#   race:  the runners' own time (ticks until every finisher has left the
#          picture) against the commentary's time (first to last clip ended),
#          the clips played, and the share of the running ticks with a clip playing.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 PACKDIR SIM [RACES] [SEED]" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
pack=$(cd "$1" && pwd)
sim=$2
races=${3:-5}
seed=${4:-1}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ln -s "$pack/Wave" "$tmp/Wave"
ln -s "$pack/Midi" "$tmp/Midi"

# clip number -> length in ms
for f in "$pack"/Wave/Wave[0-9][0-9].Wav; do
  n=$(basename "$f" .Wav)
  printf '%d %s\n' "$((10#${n#Wave}))" "$(soxi -D "$f")"
done > "$tmp/lengths"

printf '%-5s %-7s | %-31s | %s\n' speed tick "gate: parade / calls / start" \
  "race: runners / commentary (s), clips, ticks talking"
for speed in 0 1 2 3 4; do
  echo "$speed" > "$tmp/RaceSpeed.Dat"
  "$sim" --folder "$tmp" --seed "$seed" --races "$races" --trace "$tmp/trace.jsonl" > /dev/null
  LC_ALL=C awk -v speed="$speed" -f "$here/commentary-figures.awk" "$tmp/lengths" "$tmp/trace.jsonl"
done
