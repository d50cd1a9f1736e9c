# Shared by the bench/*.bench scripts that measure whole programs on an X
# server (Xvfb) from outside: start a program and time its window's mapping,
# read its CPU time and resident memory from /proc, type at a person's pace
# and in bursts with xdotool. Every figure is printed as
# "FIGURE <subject>_<figure> <value> <unit>", so that bench/run can set a
# program beside its references. Sourced, not run.

# The helpers built with the benchmarks (bench/gui).
zem_bench_dir=$(realpath build/release/bench/gui 2>/dev/null || true)
map_wait=$zem_bench_dir/map_wait

# Chunks of a paced or idle measurement; each figure is their median, so
# that one chunk disturbed by another process on the machine does not move it.
CHUNKS=${ZEM_CHUNKS:-3}
PACED_KEYS=${ZEM_PACED_KEYS:-34}
# An idle second costs about one clock repaint, which varies by 0.1 ms or so
# from one chunk to the next here, twice the difference judged: idle figures
# take more chunks.
IDLE_CHUNKS=${ZEM_IDLE_CHUNKS:-7}
IDLE_CHUNK_SECONDS=${ZEM_IDLE_CHUNK_SECONDS:-4}

pid=
pids_started=()
xvfb_started=

xvfb_lib_cleanup() {
    local p
    for p in "${pids_started[@]}"; do kill "$p" 2>/dev/null || true; done
    if [ -n "$xvfb_started" ]; then kill "$xvfb_started" 2>/dev/null || true; fi
}

# An X server of our own when bench/run did not provide one.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return 0
    local n=99
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_started=$!
    for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
    export DISPLAY=":$n"
}

figure() { printf 'FIGURE %s %s %s\n' "$1" "$2" "$3"; }

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# The process's CPU time: the on-CPU nanoseconds of each of its threads
# (/proc/<pid>/task/*/schedstat, first field), summed. utime and stime count
# 10 ms ticks by sampling, too coarse for an idle second.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.0f", ns }'; }
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }

# Queued events are still being handled while the CPU time grows by more
# than 1 ms in 0.3 s. Given up after 3 s: a program whose own timers keep it
# busy (TIPP10 in a lesson) pays for that in the figure being measured.
wait_until_idle() {
    local before after=0 calm=0 tries=0
    while [ "$calm" -lt 3 ] && [ "$tries" -lt 10 ]; do
        tries=$((tries + 1))
        before=$after
        sleep 0.3
        after=$(cpu_ns)
        if [ $((after - before)) -lt 1000000 ]; then calm=$((calm + 1)); else calm=0; fi
    done
}

# start CMD...: starts the program, sets pid, prints the milliseconds from
# exec to its first window mapped (or "-"), and gives that window the focus.
# A function named in before_start runs first, outside the timing.
start() {
    local out window
    ${before_start:-true}
    out=$("$map_wait" 60 "$@" 2>>"$work/programs.log") || true
    pid=${out%% *}
    pids_started+=("$pid")
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    if [ -n "$window" ]; then timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true; fi
    echo "${out#* }"
}

stop() {
    kill "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null; do sleep 0.02; done
    pid=
}

# mapped SUBJECT CMD...: exec to window mapped, warm: one start unmeasured,
# then the median of eleven (a start is short, and wall-clock time is what
# other processes on the machine disturb).
mapped() {
    local subject=$1
    shift
    declare -g -a "${subject}_cmd"
    local -n cmd=${subject}_cmd
    cmd=("$@")
    unset -n cmd
    mapped_side_by_side "$subject"
}

# mapped_side_by_side SUBJECT...: exec to window mapped of programs to be set
# beside one another, each started by the command in the array named
# SUBJECT_cmd: one start of each unmeasured, then eleven rounds of one start
# each, in turn and in the opposite order every other round, so that
# whatever else the machine does in those seconds, and whatever one start
# leaves behind for the next, falls on all of them alike.
mapped_side_by_side() {
    local subject ms round order
    local -A samples=()
    for subject in "$@"; do
        local -n cmd=${subject}_cmd
        start "${cmd[@]}" >/dev/null
        stop
        unset -n cmd
    done
    for round in $(seq 11); do
        order=("$@")
        if [ $((round % 2)) -eq 0 ]; then
            order=()
            for subject in "$@"; do order=("$subject" "${order[@]}"); done
        fi
        for subject in "${order[@]}"; do
            local -n cmd=${subject}_cmd
            ms=$(start "${cmd[@]}")
            stop
            unset -n cmd
            [ "$ms" = - ] && { echo "$subject: no window mapped" >&2; return 1; }
            samples[$subject]+="$ms "
        done
    done
    for subject in "$@"; do
        echo "$subject mapped: ${samples[$subject]}ms" >&2
        figure "${subject}_mapped_ms" "$(printf '%s\n' ${samples[$subject]} | median)" ms
    done
}

# idle SUBJECT FIGURE: CPU of the program of pid over chunks of nothing, in
# ms per second.
idle() {
    printf -v "${1}_pid" %s "$pid"
    idle_together "$1:$2"
}

# keys_from STREAM N: the first N characters of STREAM repeated.
keys_from() {
    local s=$1
    while [ "${#s}" -lt "$2" ]; do s=$s$1; done
    printf '%s' "${s:0:$2}"
}

# paced_chunk INTERVAL_MS KEYS: types KEYS into the program of pid one key
# every INTERVAL_MS and waits it out to idle, so that its last keys are paid
# for in it; prints the CPU per key and the interval kept. xdotool's type
# keeps half its --delay between two keys (press, half, release), so it is
# asked for twice the interval.
paced_chunk() {
    local n0 t0 t1 cpu
    n0=$(cpu_ns)
    t0=$(date +%s%N)
    xdotool type --delay $(($1 * 2)) "$2"
    t1=$(date +%s%N)
    wait_until_idle
    cpu=$(($(cpu_ns) - n0))
    awk -v ns="$cpu" -v wall=$((t1 - t0)) -v k="${#2}" 'BEGIN { print ns / 1e6 / k, wall / 1e6 / k }'
}

# paced_figures SUBJECT INTERVAL_MS "CPU INTERVAL"...: the medians of chunks.
paced_figures() {
    local subject=$1 delay=$2 chunk samples=() intervals=()
    shift 2
    for chunk in "$@"; do
        samples+=("${chunk% *}")
        intervals+=("${chunk#* }")
    done
    echo "$subject every $delay ms: ${samples[*]} ms a key; intervals ${intervals[*]} ms" >&2
    figure "${subject}_key_${delay}_ms" "$(printf '%.4f' "$(printf '%s\n' "${samples[@]}" | median)")" ms
    figure "${subject}_interval_${delay}_ms" "$(printf '%.1f' "$(printf '%s\n' "${intervals[@]}" | median)")" ms
}

# paced SUBJECT INTERVAL_MS STREAM: CPU per key typed one key every
# INTERVAL_MS, in chunks of PACED_KEYS keys; the median over the chunks, and
# the interval kept beside.
paced() {
    local subject=$1 delay=$2 keys chunks=()
    keys=$(keys_from "$3" "$PACED_KEYS")
    for _ in $(seq "$CHUNKS"); do chunks+=("$(paced_chunk "$delay" "$keys")"); done
    paced_figures "$subject" "$delay" "${chunks[@]}"
}

# Programs running side by side, for figures whose ratio is judged: each is
# started by start_as SUBJECT CMD..., which keeps its pid and window as
# SUBJECT_pid and SUBJECT_window, and made the one measured and typed into
# by use SUBJECT. The screen is wide enough for the game's window and one
# more beside it.
start_as() {
    local subject=$1
    shift
    start "$@" >/dev/null
    printf -v "${subject}_pid" %s "$pid"
    printf -v "${subject}_window" %s "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)"
}
pid_of() {
    local -n p=${1}_pid
    echo "$p"
}
use() {
    local -n p=${1}_pid w=${1}_window
    pid=$p
    [ -n "$w" ] && timeout 5 xdotool windowfocus --sync "$w" 2>/dev/null || true
    wait_until_idle
}

# idle_together SUBJECT:FIGURE...: CPU over the same chunks of nothing for
# every program named, each in ms per second.
idle_together() {
    local pair subject
    local -A before=() all=()
    for _ in $(seq "$IDLE_CHUNKS"); do
        for pair in "$@"; do
            pid=$(pid_of "${pair%%:*}")
            before[$pair]=$(cpu_ns)
        done
        sleep "$IDLE_CHUNK_SECONDS"
        for pair in "$@"; do
            pid=$(pid_of "${pair%%:*}")
            all[$pair]+="$(awk -v ns=$(($(cpu_ns) - before[$pair])) -v s="$IDLE_CHUNK_SECONDS" 'BEGIN { print ns / 1e6 / s }') "
        done
    done
    for pair in "$@"; do
        subject=${pair%%:*}
        echo "$subject ${pair#*:}: ${all[$pair]}ms/s" >&2
        figure "${subject}_${pair#*:}" "$(printf '%.3f' "$(printf '%s\n' ${all[$pair]} | median)")" ms/s
    done
}

# paced_in_turn INTERVAL_MS STREAM SUBJECT...: as paced, for programs
# started with start_as, a chunk typed into each in turn, so that whatever
# else the machine does in those seconds falls on all of them alike. Each
# runs alone in its chunk, the others held (SIGSTOP), so that one's timers
# (TIPP10's lesson) do not load another's keys; a subject types
# SUBJECT_stream when that is set.
paced_in_turn() {
    local delay=$1 stream=$2 subject other own
    shift 2
    local -A chunks=()
    for _ in $(seq "$CHUNKS"); do
        for subject in "$@"; do
            for other in "$@"; do
                if [ "$other" = "$subject" ]; then
                    kill -CONT "$(pid_of "$other")"
                else
                    kill -STOP "$(pid_of "$other")"
                fi
            done
            use "$subject"
            own=${subject}_stream
            chunks[$subject]+="$(paced_chunk "$delay" "$(keys_from "${!own:-$stream}" "$PACED_KEYS")");"
        done
    done
    for subject in "$@"; do kill -CONT "$(pid_of "$subject")"; done
    for subject in "$@"; do
        local list=()
        IFS=';' read -r -a list <<<"${chunks[$subject]%;}"
        paced_figures "$subject" "$delay" "${list[@]}"
    done
}

# burst SUBJECT STREAM N: CPU per key over N keys typed as fast as xdotool
# sends them, where the program folds many keys into one repaint.
burst() {
    local n0
    n0=$(cpu_ns)
    xdotool type --delay 0 "$(keys_from "$2" "$3")"
    wait_until_idle
    figure "${1}_key_burst_ms" "$(awk -v ns=$(($(cpu_ns) - n0)) -v k="$3" 'BEGIN { printf "%.4f", ns / 1e6 / k }')" ms
}

rss_figure() { figure "${1}_rss_mb" "$(awk -v kb="$(rss_kb)" 'BEGIN { printf "%.1f", kb / 1024 }')" MB; }

# TIPP10 builds its lesson database on its first start, which takes a minute
# or more here: that is done once, into a home kept beside the build, and
# each start gets a copy of it. Its start-up window of tips is turned off in
# that home's settings, as a player does after the first time.
tipp10_home=$(realpath -m build/release/bench/tipp10-home)
tipp10_ready() {
    [ -s "$tipp10_home/.local/share/TIPP10/TIPP10/tipp10v2.db" ] && return 0
    echo "TIPP10: building its database in $tipp10_home (once)" >&2
    rm -rf "$tipp10_home"
    mkdir -p "$tipp10_home/.config/TIPP10"
    printf '[main]\ncheck_illustration=false\n' >"$tipp10_home/.config/TIPP10/TIPP10.conf"
    local out
    out=$(HOME=$(realpath "$tipp10_home") "$map_wait" 300 env -u QT_QPA_PLATFORM tipp10 2>/dev/null) || true
    kill "${out%% *}" 2>/dev/null || true
    sleep 0.5
    [ "${out#* }" != - ] && [ -s "$tipp10_home/.local/share/TIPP10/TIPP10/tipp10v2.db" ]
}
tipp10_usable() {
    command -v tipp10 >/dev/null &&
        dpkg-query -W -f='${Status}' libqt6sql6-sqlite 2>/dev/null | grep -q 'ok installed'
}
fresh_tipp10_home() {
    rm -rf "$work/home"
    cp -a "$tipp10_home" "$work/home"
}
# Start Training (Alt+S) opens the first lesson on its five-minute limit;
# Space starts it. The lesson's text is drawn from "asdf jkl;" as the tutor
# sees fit, so the stream holds those keys among the alphabet: the next key
# comes within every pass, as in the game.
prepare_tipp10() {
    xdotool key alt+s
    wait_until_idle
    xdotool key space
    wait_until_idle
}
