#!/usr/bin/env bash
# Starts the game in its data folder: ${XDG_DATA_HOME:-~/.local/share}/typing-zem,
# first copying the shipped record file there when the folder has none.
# Usage: launch.sh PROGRAM DEFAULT_RECORDS
set -euo pipefail
program=$1
records=$2
data="${XDG_DATA_HOME:-$HOME/.local/share}/typing-zem"
mkdir -p "$data"
if [ ! -e "$data/hiscore.dat" ] && [ ! -L "$data/hiscore.dat" ]; then
    cp "$records" "$data/hiscore.dat"
    chmod u+w "$data/hiscore.dat"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "typing-zem: no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session." >&2
    exit 1
fi
cd "$data"
exec "$program"
