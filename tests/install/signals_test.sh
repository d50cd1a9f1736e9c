#!/usr/bin/env bash
# The built program, offscreen: a game left in the spool by an earlier run is
# in --history-csv's output and reaches the history at the next start with no
# game played, and SIGTERM and SIGHUP end the program through its event loop
# (status 0, not death by the signal).
# Usage: signals_test.sh PROGRAM
set -uo pipefail
program=$(readlink -f "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

count_games() {
    python3 - "$1" <<'PY'
import sqlite3, sys
try:
    print(sqlite3.connect(f"file:{sys.argv[1]}?mode=ro", uri=True).execute("SELECT COUNT(*) FROM games").fetchone()[0])
except sqlite3.Error:
    print(0)
PY
}

for signal in TERM HUP; do
    home=$scratch/$signal
    folder=$home/.local/share/typing-zem
    mkdir -p "$folder" "$home/work"
    # One stopped game as the writer spools it: a header with the payload's
    # length and FNV-1a checksum, then the payload.
    python3 - "$folder/history.sqlite3.spool" <<'PY'
import sys
payload = b"5f1e0c\t1796698800\t32400\tword\t100\t5\t1\t3\t\t0\t0\nk\tA\t5\t1\n"
h = 0xcbf29ce484222325
for byte in payload:
    h = ((h ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
open(sys.argv[1], "wb").write(b"zem-game %d %016x\n" % (len(payload), h) + payload)
PY
    chmod 0755 "$folder"
    # Before any game: the export writes the waiting game out and makes no history.
    csv=$(cd "$home/work" && HOME=$home XDG_DATA_HOME= "$program" --history-csv)
    [ $? = 0 ] && [[ $csv == *$'\n2026-12-08T12:00:00+09:00,word,100,5,1,3,,0,0,table,,0\r' ]] &&
        [ ! -e "$folder/history.sqlite3" ] || fail "SIG$signal: --history-csv without the spooled game: $csv"
    (cd "$home/work" && HOME=$home XDG_DATA_HOME= QT_QPA_PLATFORM=offscreen exec "$program") &
    pid=$!
    for _ in $(seq 100); do
        [ "$(count_games "$folder/history.sqlite3")" = 1 ] && break
        sleep 0.1
    done
    [ "$(count_games "$folder/history.sqlite3")" = 1 ] || fail "SIG$signal: the spooled game is not in the history"
    kill -s "$signal" "$pid"
    wait "$pid"
    status=$?
    [ "$status" = 0 ] || fail "SIG$signal: the program ended with status $status"
    [ -s "$folder/history.sqlite3.spool" ] && fail "SIG$signal: the spool was not emptied"
    [ "$(count_games "$folder/history.sqlite3")" = 1 ] || fail "SIG$signal: the game was stored more or less than once"
done
exit $((failures > 0))
