# Shared by the bench/*.bench scripts that measure whole programs on an X
# server (Xvfb) from outside: start a program and time its window's mapping,
# read its CPU time and resident memory from /proc, type at a person's pace
# and in bursts with xdotool. Every figure is printed as
# "FIGURE <subject>_<figure> <value> <unit>", so that bench/run can set a
# program beside its references. Sourced, not run.

# The helpers built with the benchmarks (bench/gui).
zem_bench_dir=$(realpath build/release/bench/gui 2>/dev/null || true)
map_wait=$zem_bench_dir/map_wait

# A paced measurement types CHUNKS chunks of PACED_KEYS keys, each read as
# windows of WINDOW_KEYS keys back to back; an idle one reads IDLE_CHUNKS
# windows of IDLE_CHUNK_SECONDS back to back; a start-up is timed
# MAPPED_ROUNDS times. Each figure is the median of its samples. On the
# shared machines this runs on, the rest of the host adds to a sample now
# and then, never takes from it, and much: a Qt window repainting a clock at
# 0.5 ms/s took 11 to 38 ms in one second of three at worst, in user time,
# with no page fault. A chunk of several seconds was hit more often than not,
# so the median of a few chunks measured the host; many short windows leave
# most of them clean.
CHUNKS=${ZEM_CHUNKS:-7}
PACED_KEYS=${ZEM_PACED_KEYS:-20}
WINDOW_KEYS=${ZEM_WINDOW_KEYS:-5}
IDLE_CHUNKS=${ZEM_IDLE_CHUNKS:-28}
IDLE_CHUNK_SECONDS=${ZEM_IDLE_CHUNK_SECONDS:-1}
MAPPED_ROUNDS=${ZEM_MAPPED_ROUNDS:-15}

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
# The process's own memory: the pages it wrote, smaps_rollup's Private_Dirty
# + Shared_Dirty. That is its heap, stacks and other anonymous pages, its
# copies of library pages it changed (relocations, data), and shared memory it
# wrote: a Qt window's frame is handed to the X server through MIT-SHM, as
# the floor's is, unless turned off, as the game does, which keeps it in its
# heap; either way the frame counts. Not the clean pages of mapped files
# (libraries' code, fonts): every process mapping a file shares them, and the
# kernel drops them and reads them again as it likes. So linking SQLite adds
# its code to VmRSS and not here, nor is SQLite's code first run mid-game
# (when the history is written) growth.
own_kb() {
    awk '/^(Private|Shared)_Dirty:/ { kb += $2; found = 1 } END { if (!found) exit 1; print kb }' \
        "/proc/$pid/smaps_rollup" 2>/dev/null ||
        awk '/^Rss(Anon|Shmem):/ { kb += $2 } END { print kb }' "/proc/$pid/status"
}

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

# start CMD...: starts the program, sets pid to it and mapped_in to the
# milliseconds from exec to its first window mapped (or "-"), and gives that
# window the focus. A function named in before_start runs first, outside the
# timing. Not to be called in a subshell: stop needs the pid.
start() {
    local out window
    ${before_start:-true}
    out=$("$map_wait" 60 "$@" 2>>"$work/programs.log") || true
    pid=${out%% *}
    mapped_in=${out#* }
    pids_started+=("$pid")
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    if [ -n "$window" ]; then timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true; fi
}

stop() {
    kill "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null; do sleep 0.02; done
    pid=
}

# mapped SUBJECT CMD...: exec to window mapped, warm: one start unmeasured,
# then the median of MAPPED_ROUNDS starts (a start is short, and wall-clock
# time is what other processes on the machine disturb).
mapped() {
    local subject=$1
    shift
    declare -g -a "${subject}_cmd"
    local -n cmd=${subject}_cmd
    cmd=("$@")
    unset -n cmd
    mapped_side_by_side "$subject"
}

# start_subject SUBJECT: start with the command in the array SUBJECT_cmd,
# after the function named in SUBJECT_before_start when there is one (a
# fresh home for TIPP10), outside the timing.
start_subject() {
    local hook=${1}_before_start
    local -n cmd=${1}_cmd
    before_start=${!hook:-} start "${cmd[@]}"
}

# mapped_side_by_side SUBJECT...: exec to window mapped of programs to be set
# beside one another, each started by start_subject: one start of each
# unmeasured, then MAPPED_ROUNDS rounds of one start each, in turn and in the
# opposite order every other round, so that whatever else the machine does
# in those seconds, and whatever one start leaves behind for the next, falls
# on all of them alike.
mapped_side_by_side() {
    local subject round order
    local -A samples=()
    for subject in "$@"; do
        start_subject "$subject"
        stop
    done
    for round in $(seq "$MAPPED_ROUNDS"); do
        order=("$@")
        if [ $((round % 2)) -eq 0 ]; then
            order=()
            for subject in "$@"; do order=("$subject" "${order[@]}"); done
        fi
        for subject in "${order[@]}"; do
            start_subject "$subject"
            stop
            # The X server lets go of the window before the next start.
            sleep 0.2
            [ "$mapped_in" = - ] && { echo "$subject: no window mapped" >&2; return 1; }
            samples[$subject]+="$mapped_in "
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

# keys_from STREAM N [FROM]: N characters of STREAM repeated, from its
# FROM-th on (0 by default), so that chunk after chunk goes on through it.
keys_from() {
    local s=$1 from=$((${3:-0} % ${#1}))
    while [ "${#s}" -lt $(($2 + from)) ]; do s=$s$1; done
    printf '%s' "${s:from:$2}"
}

# paced_chunk INTERVAL_MS KEYS: types KEYS into the program of pid one key
# every INTERVAL_MS, read in windows of WINDOW_KEYS keys back to back, so
# that what one key leaves for later falls in the next window; the last
# waits the program out to idle, so that the last keys are paid for in it.
# Prints "CPU-a-key interval;" for each window. xdotool's type keeps half
# its --delay between two keys (press, half, release), so it is asked for
# twice the interval.
paced_chunk() {
    local delay=$1 keys=$2 i w n0 n1 t0 t1
    n0=$(cpu_ns)
    t0=$(date +%s%N)
    for ((i = 0; i < ${#keys}; i += WINDOW_KEYS)); do
        w=${keys:i:WINDOW_KEYS}
        xdotool type --delay $((delay * 2)) "$w"
        t1=$(date +%s%N)
        [ $((i + WINDOW_KEYS)) -lt "${#keys}" ] || wait_until_idle
        n1=$(cpu_ns)
        awk -v ns=$((n1 - n0)) -v wall=$((t1 - t0)) -v k="${#w}" \
            'BEGIN { printf "%s %s;", ns / 1e6 / k, wall / 1e6 / k }'
        n0=$n1
        t0=$t1
    done
}

# paced_figures SUBJECT INTERVAL_MS "CPU INTERVAL"...: the medians of the
# windows' CPU a key and of their intervals.
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
# INTERVAL_MS, in chunks of PACED_KEYS keys; the median over their windows,
# and the interval kept beside.
paced() {
    local subject=$1 delay=$2 chunk windows="" list=()
    for chunk in $(seq 0 $((CHUNKS - 1))); do
        windows+=$(paced_chunk "$delay" "$(keys_from "$3" "$PACED_KEYS" $((chunk * PACED_KEYS)))")
    done
    IFS=';' read -r -a list <<<"${windows%;}"
    paced_figures "$subject" "$delay" "${list[@]}"
}

# Programs running side by side, for figures whose ratio is judged: each is
# started by start_as SUBJECT [CMD...] (without CMD, as start_subject
# starts it), which keeps its pid and window as SUBJECT_pid and
# SUBJECT_window, and made the one measured and typed into by use SUBJECT.
# The screen is wide enough for the game's window and one more beside it.
start_as() {
    local subject=$1
    shift
    if [ $# -eq 0 ]; then start_subject "$subject"; else start "$@"; fi
    printf -v "${subject}_pid" %s "$pid"
    printf -v "${subject}_window" %s "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)"
}
pid_of() {
    local -n p=${1}_pid
    echo "$p"
}
# Fails when the subject's window does not get the focus (it was closed, or
# it was a dialog that went away): the keys would go to another window, and
# its figure would measure nothing.
use() {
    local -n p=${1}_pid w=${1}_window
    pid=$p
    [ -n "$w" ] && timeout 5 xdotool windowfocus --sync "$w" 2>/dev/null || true
    if [ -z "$w" ] || [ "$(xdotool getwindowfocus 2>/dev/null)" != "$w" ]; then
        echo "$1: its window ${w:-(none)} does not take the focus" >&2
        return 1
    fi
    wait_until_idle
}

# idle_together SUBJECT:FIGURE...: CPU over the same windows of nothing for
# every program named, each in ms per second; the windows are read back to
# back, so that a repaint at a window's edge falls in one or the other.
idle_together() {
    local pair subject now at
    local -A cpu=() time=() all=()
    for pair in "$@"; do
        pid=$(pid_of "${pair%%:*}")
        cpu[$pair]=$(cpu_ns)
        time[$pair]=$(date +%s%N)
    done
    for _ in $(seq "$IDLE_CHUNKS"); do
        sleep "$IDLE_CHUNK_SECONDS"
        for pair in "$@"; do
            pid=$(pid_of "${pair%%:*}")
            now=$(cpu_ns)
            at=$(date +%s%N)
            all[$pair]+="$(awk -v ns=$((now - cpu[$pair])) -v wall=$((at - time[$pair])) 'BEGIN { print ns / wall * 1e3 }') "
            cpu[$pair]=$now
            time[$pair]=$at
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
    local delay=$1 stream=$2 chunk subject other own
    shift 2
    local -A chunks=()
    local -A lost=()
    for chunk in $(seq 0 $((CHUNKS - 1))); do
        for subject in "$@"; do
            [ -z "${lost[$subject]:-}" ] || continue
            for other in "$@"; do
                if [ "$other" = "$subject" ]; then
                    kill -CONT "$(pid_of "$other")"
                else
                    kill -STOP "$(pid_of "$other")"
                fi
            done
            use "$subject" || { lost[$subject]=1; continue; }
            own=${subject}_stream
            chunks[$subject]+=$(paced_chunk "$delay" \
                "$(keys_from "${!own:-$stream}" "$PACED_KEYS" $((chunk * PACED_KEYS)))")
        done
    done
    for subject in "$@"; do kill -CONT "$(pid_of "$subject")"; done
    for subject in "$@"; do
        [ -z "${lost[$subject]:-}" ] || { echo "$subject: not measured, its keys went elsewhere" >&2; continue; }
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

# Memory after start: the process's own pages, which are judged, and VmRSS
# beside them. The game's own pages come within a few per cent of the
# floor's, so they are printed to the kilobyte, lest rounding judge them.
memory_figures() {
    figure "${1}_own_mb" "$(awk -v kb="$(own_kb)" 'BEGIN { printf "%.3f", kb / 1024 }')" MB
    figure "${1}_rss_mb" "$(awk -v kb="$(rss_kb)" 'BEGIN { printf "%.1f", kb / 1024 }')" MB
}

# TIPP10 builds its lesson database on its first start, which takes a minute
# or more here: that is done once, into a home kept beside the build, and
# each start gets a copy of it. Three settings of that home are a player's
# choices: the start-up window of tips turned off, as a player does after the
# first time; the lesson's time limit at its longest, 20 minutes rather
# than 5, so that the lesson still runs when the last chunk of keys comes;
# and typing errors not blocked, so that TIPP10 takes every key as the game
# does. Blocking, its default, it throws away every wrong key after the
# first at a place: of 40 keys of the stream below it took 9 (its status
# line: 4 errors, 5 characters), and its figure was mostly the cost of a key
# it ignores, beside the game's of a key it answers. Not blocking, it counts
# the error and goes on, as the game counts a miss and shows it (40 keys: 37
# errors, 41 characters). Its blocking figure is shown beside, not judged
# (bench/peers_xvfb.bench).
# TIPP10 finds its settings and its database through XDG_CONFIG_HOME and
# XDG_DATA_HOME when they are set, so it runs without them: under the
# game's own (program_xvfb.bench) it showed its tips, whose window Space
# closed instead of starting the lesson, and no key reached the lesson.
tipp10_home=$(realpath -m build/release/bench/tipp10-home)
tipp10_settings='[main]
check_illustration=false
[duration]
radio_time=true
spin_time=20
[error]
check_stop=false'
tipp10_ready() {
    local conf=$tipp10_home/.config/TIPP10/TIPP10.conf
    [ -s "$tipp10_home/.local/share/TIPP10/TIPP10/tipp10v2.db" ] &&
        grep -qx 'spin_time=20' "$conf" 2>/dev/null &&
        grep -qx 'check_stop=false' "$conf" 2>/dev/null && return 0
    echo "TIPP10: building its database in $tipp10_home (once)" >&2
    rm -rf "$tipp10_home"
    mkdir -p "${conf%/*}"
    printf '%s\n' "$tipp10_settings" >"$conf"
    local out
    out=$("$map_wait" 300 env -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
        HOME="$tipp10_home" tipp10 2>/dev/null) || true
    kill "${out%% *}" 2>/dev/null || true
    sleep 0.5
    [ "${out#* }" != - ] && [ -s "$tipp10_home/.local/share/TIPP10/TIPP10/tipp10v2.db" ]
}
# tipp10_subject: TIPP10 as start_subject starts it, on a fresh copy of its
# home in the bench's work folder, made outside any timing.
tipp10_subject() {
    tipp10_cmd=(env -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$work/home" tipp10)
    tipp10_before_start=fresh_tipp10_home
}
tipp10_usable() {
    command -v tipp10 >/dev/null &&
        dpkg-query -W -f='${Status}' libqt6sql6-sqlite 2>/dev/null | grep -q 'ok installed'
}
fresh_tipp10_home() {
    rm -rf "$work/home"
    cp -a "$tipp10_home" "$work/home"
}
# The same, blocking typing errors, as TIPP10 comes.
blocking_tipp10_home() {
    fresh_tipp10_home
    sed -i 's/^check_stop=false$/check_stop=true/' "$work/home/.config/TIPP10/TIPP10.conf"
}
# Start Training (Alt+S) opens the first lesson on its five-minute limit;
# Space starts it. The lesson's text is drawn from "asdf jkl;" as the tutor
# sees fit, so the stream holds those keys among the alphabet: the next key
# comes within every pass, as in the game.
# The lesson opens in the window TIPP10 started with: had these keys gone to
# another of its windows, a dialog that then closed, that window would not
# take the focus back and the keys to come would miss the lesson.
prepare_tipp10() {
    xdotool key alt+s
    wait_until_idle
    xdotool key space
    wait_until_idle
    use "${1:-tipp10}"
}
