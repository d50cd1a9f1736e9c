#!/usr/bin/env bash
# Starts typing-zem in the player's data folder, ${XDG_DATA_HOME:-~/.local/share}/typing-zem,
# because the game reads and rewrites hiscore.dat in its current directory. The
# shipped record file is copied there when the folder has none; an existing one,
# even a dangling link, is never replaced. Help and the history's readers
# (--history, --history-csv) run where they were started and make nothing.
#
#   typing-zem [OPTION...]                        installed copy: the program and the
#                                                 shipped records are found relative to
#                                                 this script
#   launch.sh PROGRAM DEFAULT_RECORDS [OPTION...]  from a build tree (./run)
#
# The options go to the program as they are (--history, --spelling=any, ...),
# but for a relative --phrases FILE, made absolute.
set -euo pipefail

# Filled in by the install; relative paths are taken from this script's folder so
# that the installed tree still works after being moved.
installed_program='@ZEM_LAUNCH_PROGRAM@'
installed_records='@ZEM_LAUNCH_RECORDS@'

fail() {
    echo "typing-zem: $*" >&2
    exit 1
}

beside_launcher() {
    case $1 in
    /*) echo "$1" ;;
    *) echo "$(dirname "$(readlink -f "$0")")/$1" ;;
    esac
}

# Configured by the install, every argument is an option; in the build tree the
# first two name the program and the records.
if [[ $installed_program != @* ]]; then
    program=$(beside_launcher "$installed_program")
    records=$(beside_launcher "$installed_records")
elif [ $# -ge 2 ]; then
    program=$1
    records=$2
    shift 2
else
    echo "usage: $0 PROGRAM DEFAULT_RECORDS [OPTION...]" >&2
    exit 2
fi

# Qt aborts without a display; say why in one line instead. Help and the CSV
# export need none. Only a game needs the data folder: help and the history's
# readers (--history, --history-csv) make nothing, and the program finds the
# history without it. A relative phrase file is named from where the player
# started, not from the data folder the game runs in.
needs_display=1
plays=1
options=()
absolute() {
    case $1 in
    /*) echo "$1" ;;
    *) echo "$PWD/$1" ;;
    esac
}
while [ $# -gt 0 ]; do
    case $1 in
    --history-csv | --help | -h) needs_display=0 plays=0 ;;
    --history) plays=0 ;;
    --phrases=?*) set -- "--phrases=$(absolute "${1#--phrases=}")" "${@:2}" ;;
    --phrases)
        if [ $# -ge 2 ]; then
            options+=("$1")
            shift
            set -- "$(absolute "$1")" "${@:2}"
        fi
        ;;
    esac
    options+=("$1")
    shift
done

if [ "$plays" = 1 ]; then
    # A relative XDG_DATA_HOME is invalid and ignored, like an empty one.
    data_home=${XDG_DATA_HOME:-}
    if [[ $data_home != /* ]]; then
        [ -n "${HOME:-}" ] || fail "neither XDG_DATA_HOME nor HOME is set, so there is no place for hiscore.dat."
        data_home=$HOME/.local/share
    fi
    data=$data_home/typing-zem
    # The folders made here are the player's alone, as XDG asks of data folders.
    (umask 077 && mkdir -p "$data")

    # The copy is made under a temporary name and moved in without replacing, so a
    # second launch at the same moment neither overwrites records nor reads half a file.
    if [ ! -e "$data/hiscore.dat" ] && [ ! -L "$data/hiscore.dat" ]; then
        fresh=$(mktemp "$data/.hiscore.dat.XXXXXX")
        if ! cp "$records" "$fresh"; then
            rm -f "$fresh"
            fail "cannot copy the default record file $records."
        fi
        mv -n "$fresh" "$data/hiscore.dat" || true
        rm -f "$fresh"
    fi
fi

if [ "$needs_display" = 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    fail "no display found (DISPLAY and WAYLAND_DISPLAY are unset); start it from a desktop session."
fi
if [ "$plays" = 1 ]; then
    cd "$data"
fi
exec "$program" ${options[@]+"${options[@]}"}
