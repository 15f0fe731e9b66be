#!/usr/bin/env bash
# Makes the saver's sound pack in DIR (normally the folder of the chuderby
# executable): DIR/Wave/Wave00.Wav ... Wave77.Wav, DIR/Wave/Beep1.Wav,
# DIR/Midi/Bgm0.Mid ... Bgm9.Mid and DIR/Midi/In0.Mid ... In3.Mid.
#
#   tools/soundpack/make-soundpack.sh DIR
#
# Voices: espeak-ng (Japanese), shaped with sox. Start sounds: sox synthesis.
# Music: chu-soundpack-midi, our own MIDI writer; set CHU_SOUNDPACK_MIDI to a
# built one, otherwise it is compiled here with ${CXX:-c++}.
# Needs the Debian packages espeak-ng and sox (and g++ when compiling).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 1 ] || [ "${1:0:1}" = "-" ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
out=$1

for tool in espeak-ng sox soxi; do
  if ! command -v "$tool" > /dev/null; then
    echo "make-soundpack: $tool is missing; install the Debian packages espeak-ng and sox" >&2
    exit 1
  fi
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out/Wave" "$out/Midi"

rate=22050
max_len=2.25  # seconds of speech; with the tail a clip stays under 2.5 s

# ge A B: true when the decimal A >= B
ge() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

# speak NUMBER TEXT SPEED PITCH: one clip, trimmed, shaped like a track announcer's PA.
speak() {
  local n=$1 text=$2 speed=$3 pitch=$4 len
  local file
  file=$(printf '%s/Wave/Wave%02d.Wav' "$out" "$n")
  while :; do
    espeak-ng -v ja -s "$speed" -p "$pitch" -a 100 -w "$tmp/raw.wav" -- "$text"
    sox -R "$tmp/raw.wav" "$tmp/trim.wav" silence 1 0.02 0.5% reverse silence 1 0.02 0.5% reverse
    len=$(soxi -D "$tmp/trim.wav")
    if ! ge "$len" "$max_len" || [ "$speed" -ge 320 ]; then break; fi
    speed=$(awk -v s="$speed" -v l="$len" -v m="$max_len" 'BEGIN { printf "%d", s * l / (m - 0.15) + 5 }')
  done
  sox -R "$tmp/trim.wav" -r "$rate" -c 1 -b 16 "$file" \
    gain -6 highpass 140 equalizer 2800 1q 3 pad 0.02 0.15 reverb 18 50 35 gain -n -1
}

# The voice: names calm, commentary quicker and higher, winner calls highest.
voice_for() {
  local n=$1
  if [ "$n" -le 29 ]; then echo "185 50"
  elif [ "$n" -eq 55 ] || [ "$n" -ge 70 ]; then echo "195 72"
  elif [ "$n" -ge 57 ] && [ "$n" -le 65 ]; then echo "180 52"
  else echo "205 62"
  fi
}

spoken=0
while IFS=$'\t' read -r n when text; do
  case "$n" in ''|'#'*|clip) continue ;; esac
  read -r speed pitch <<< "$(voice_for "$n")"
  speak "$n" "$text" "$speed" "$pitch"
  spoken=$((spoken + 1))
done < "$here/lines.tsv"

# tone NAME SECONDS FREQ...: a brass-like note (sawtooth and its octave, soft attack)
tone() {
  local name=$1 len=$2 f=$3
  sox -R -n -r "$rate" -c 1 -b 16 "$tmp/$name.wav" synth "$len" sawtooth "$f" synth "$len" sine mix "$((f * 2))" \
    lowpass 2600 fade t 0.015 "$len" 0.05 gain -9
}

# Wave30, the start signal: a four-note trumpet call ending on a held chord.
tone n1 0.14 392; tone n2 0.14 523; tone n3 0.14 659; tone n4 0.30 784
sox -R -n -r "$rate" -c 1 -b 16 "$tmp/chord.wav" synth 0.9 sawtooth 523 sawtooth 659 sawtooth 784 \
  lowpass 2600 fade t 0.02 0.9 0.35 gain -12
sox -R "$tmp/n1.wav" "$tmp/n1.wav" "$tmp/n2.wav" "$tmp/n3.wav" "$tmp/n4.wav" "$tmp/chord.wav" \
  -r "$rate" -c 1 -b 16 "$out/Wave/Wave30.Wav" overdrive 6 reverb 30 50 60 pad 0 0.1 gain -n -1

# Beep1, the gate: one clear electronic beep.
sox -R -n -r "$rate" -c 1 -b 16 "$out/Wave/Beep1.Wav" synth 0.45 sine 1000 synth 0.45 sine mix 2000 \
  fade t 0.01 0.45 0.04 gain -n -3

# The music.
midi=${CHU_SOUNDPACK_MIDI:-}
if [ -z "$midi" ]; then
  midi="$tmp/chu-soundpack-midi"
  "${CXX:-c++}" -std=c++20 -O2 -o "$midi" "$here/midi_main.cpp" "$here/midi_writer.cpp" "$here/score.cpp" \
    "$here/tunes.cpp"
fi
"$midi" "$out/Midi"

echo "make-soundpack: $spoken voice clips, 2 start sounds and $(ls "$out/Midi" | wc -l) music pieces in $out"
