#!/usr/bin/env bash
# Records everything the program plays while the sound session runs, through a PulseAudio server of
# the test's own whose null sink has the waves' format, then has sound.py check the recording.
# Usage: sound.sh path/to/e2e_tests.exe (on run-tests.sh's display and Wine server)
set -uo pipefail
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env.sh"
dir=$(dirname "$exe")/e2e-work/sound pa="" rec=""
rm -rf "$dir" && mkdir -p "$dir" || exit 1
trap 'kill $pa $rec 2>/dev/null; wait 2>/dev/null' EXIT
export PULSE_SERVER=unix:$dir/pa.sock
# Raised above the tests beside it, as is the session: under load the sound lost whole pieces.
# The server's home is the work folder (as root it warns, and runs).
HOME=$dir XDG_RUNTIME_DIR=$dir nice -n -10 pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disable-shm=yes -L "module-native-protocol-unix socket=$dir/pa.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=cap rate=22050 channels=1 format=s16le" >"$dir/pa.log" 2>&1 & pa=$!
for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
# The sink's monitor, bit for bit; its first data come some 2 s after the start.
nice -n -10 parec -d cap.monitor --raw --format=s16le --rate=22050 --channels=1 --latency-msec=5 \
    >"$dir/cap.raw" 2>/dev/null & rec=$!
for _ in $(seq 100); do [ -s "$dir/cap.raw" ] && break; sleep 0.1; done
[ -s "$dir/cap.raw" ] || { cat "$dir/pa.log"; echo "nothing recorded"; exit 1; }
# Wine plays through PulseAudio when its server answers; a 60 ms buffer (docs/platform-notes.md).
HB_SOUND_DIR=$dir PULSE_LATENCY_MSEC=60 WINEDEBUG=+mci nice -n -10 wine "$exe" --gtest_filter=Scripted.Sounds \
    </dev/null >"$dir/session.log" 2>&1 ||
    { grep -v ':Call \|:Ret \|:trace:' "$dir/session.log"; bad=1; }
python3 "$here/sound.py" "$dir" "$here/../../resources/sounds" && exit ${bad:-0}
