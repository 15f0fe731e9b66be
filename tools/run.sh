#!/usr/bin/env bash
# Installs what is missing, builds, makes the sound pack beside the program
# when it is not there yet, and runs the saver. On a desktop it runs in an
# ordinary 1024×768 window (close it or press Escape to stop); set
# CHUDERBY_WINDOW= (empty) to run it full screen as a real saver, where a
# released key, a click or a mouse movement ends it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target chuderby chuderby-sim chu-soundpack-midi
program=build/app
if [ ! -f "$program/Wave/Wave69.Wav" ] || [ ! -f "$program/Midi/In3.Mid" ]; then
  CHU_SOUNDPACK_MIDI=$(find build -name chu-soundpack-midi -type f | head -n 1) \
    bash tools/soundpack/make-soundpack.sh "$program"
fi
export CHUDERBY_WINDOW="${CHUDERBY_WINDOW-1024x768}"
[ -n "$CHUDERBY_WINDOW" ] || unset CHUDERBY_WINDOW
exec "$program/chuderby" /s
