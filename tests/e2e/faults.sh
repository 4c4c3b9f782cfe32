#!/usr/bin/env bash
# Saves refused in a working folder with no room for a page, then read-only (a tmpfs: needs root);
# then the program's Wine process killed (SIGKILL) at random while it saves again and again, KILLS
# times, each next run checking the pages left. Usage: faults.sh e2e_tests.exe [KILLS=8] [SEED]
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1") kills=${2:-8} RANDOM=${3:-1}
work=$(dirname "$exe")/e2e-work # the log a file, not a pipe: Wine's services may hold a pipe open
dir=$work/WriteRefused pages=$work/KilledWhileSaving/pages log=$work/faults.log
source "$(dirname "$0")/../../scripts/wine-env.sh"
run() { wine "$exe" --gtest_filter="Scripted.$1" </dev/null >"$log" 2>&1; }
fail() { cat "$log"; echo "$1"; kill %1 2>/dev/null; umount -l "$dir" 2>/dev/null; exit 1; }
rm -rf "$pages" && mkdir -p "$pages" "$dir" && mount -t tmpfs -o size=320k hueberry-full "$dir" || exit 1
for m in rw ro; do mount -o "remount,$m" "$dir" && run WriteRefused || fail "refused saves ($m)"; done
umount -l "$dir" && for ((i = 0; i <= kills; i++)); do # lazily: Wine's server may hold the folder
    : >"$log"; run KilledWhileSaving & # emptied first, or the last run's cue could be read
    for _ in $(seq 600); do grep -q '^saving' "$log" && break; sleep 0.1; done
    grep -q '^saving' "$log" || fail "run $i: the pages left, or the next start, failed"
    pid=$(for p in /proc/[0-9]*; do [ "$(readlink "$p/cwd")" = "$pages" ] && echo "${p#/proc/}"; done)
    [ "$i" -lt "$kills" ] && sleep "$((RANDOM % 4000))e-3" && ((RANDOM % 2)) && # or in a save:
        until compgen -G "$pages/*.tmp" >/dev/null; do :; done # once its new file exists
    [ -n "$pid" ] && kill -KILL $pid || fail "run $i: the program was gone before its kill"; wait
done
