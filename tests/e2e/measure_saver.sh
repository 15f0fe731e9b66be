#!/usr/bin/env bash
# Figures of the real saver on an X server of its own (xvfb-run): how soon the
# paddock board is on the screen, race ticks per second at the 1 ms setting,
# presents per second, and the processor time the saver costs at the default
# 100 ms setting. A timed tool, not a test: it prints what it measured.
#
#   tests/e2e/measure_saver.sh CHUDERBY [PACKDIR]
#
# CHUDERBY is the built executable. With PACKDIR (a sound pack made by
# tools/soundpack/make-soundpack.sh) the saver runs with its sounds on SDL's
# dummy audio device, so all 70 clip players really open; without it the
# saver runs silently. MEASURE_QUICK=1 shortens the 1 ms run to one race.
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: $0 CHUDERBY [PACKDIR]" >&2
  exit 2
fi
if [ -z "${CHU_MEASURE_INNER:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" env CHU_MEASURE_INNER=1 "$0" "$@"
fi

exe=$(realpath "$1")
folder=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$folder" "$runtime"' EXIT
if [ $# -ge 2 ]; then
  ln -s "$(realpath "$2")/Wave" "$folder/Wave"
  ln -s "$(realpath "$2")/Midi" "$folder/Midi"
  export SDL_AUDIODRIVER=dummy
  echo "sound: pack $2 on SDL's dummy audio device"
else
  echo "sound: none (silent players)"
fi
export XDG_RUNTIME_DIR=$runtime CHUDERBY_FOLDER=$folder CHUDERBY_STATS=1

# run SECONDS START_TIME: the saver for that long, then a key ends it; its
# figures go to $folder/stats.
run() {
  CHUDERBY_START_TIME=$2 "$exe" /s 2> "$folder/stats" &
  local pid=$!
  sleep "$1"
  xdotool mousemove 512 384 key a
  local rc=0
  wait "$pid" || rc=$?
  if [ "$rc" -ne 0 ]; then
    echo "chuderby ended with exit code $rc:"
    grep -v "stats:" "$folder/stats" || true
  fi
}
stat() { grep "stats: $1" "$folder/stats" | sed 's/^chuderby stats: //' || true; }

xdotool mousemove 512 384
echo "== paddock board on the screen (5 starts)"
for i in 1 2 3 4 5; do
  run 2 12:00:05
  stat "paddock board"
  stat "start,"
done

echo "== idle paddock board, 30 s"
run 30 12:00:05
stat "whole run"

echo "== 100 ms setting: 35 s from the start, the race from the 4th second"
printf ' 2 \r\n' > "$folder/RaceSpeed.Dat"
run 35 12:00:57
stat "race tick"
stat "race window"
stat "presents"

echo "== 1 ms setting"
printf ' 0 \r\n' > "$folder/RaceSpeed.Dat"
if [ -n "${MEASURE_QUICK:-}" ]; then run 8 12:00:57; else run 125 12:00:57; fi
stat "race tick"
stat "race window"
stat "presents"
