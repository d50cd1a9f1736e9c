# shellcheck shell=bash
# Shared by ./run, ./test and scripts/build-deb: installs what is missing from
# Debian's archive, then configures and builds a preset. Sourced, not run.

# What building and playing need, and nothing more: ./run installs these.
# MeCab reads a text's kanji: its header to build, the library and the IPA
# dictionary in UTF-8 to play (the program opens the library itself).
ZEM_PLAY_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libsqlite3-dev fonts-ipafont-mincho
    qt6-translations-l10n libmecab-dev libmecab2 mecab-ipadic-utf8)

# What the tests, fuzzers, benchmarks and the package check add: ./test and
# bench/run install these as well. One group per line, so a new tool goes beside
# its kin.
ZEM_TEST_PACKAGES=(
    libgtest-dev libbenchmark-dev python3    # core tests, benchmarks, icon check
    clang libclang-rt-dev                    # fuzzers, sanitizers
    xvfb xauth xdotool locales               # GUI tests and benchmarks on a real X server
    desktop-file-utils appstream             # menu entry and metadata validators
    dpkg-dev debhelper fakeroot lintian      # scripts/build-deb and its lint
    pkg-config libxcb1-dev                   # the benchmarks' exec-to-mapped timer
    libskk-common                            # an input method's romaji table, for the spelling judge's test
)

# The programs bench/run measures the game against: bench/run installs these too.
ZEM_BENCH_PACKAGES=(xterm tipp10 libqt6sql6-sqlite)

# zem_missing_packages PACKAGE...
zem_missing_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    echo "${missing[@]}"
}

# zem_install_packages [play]: the play list alone, or (by default) both lists.
zem_install_packages() {
    local wanted=("${ZEM_PLAY_PACKAGES[@]}")
    [ "${1:-}" = play ] || wanted+=("${ZEM_TEST_PACKAGES[@]}")
    zem_install_list "${wanted[@]}"
}

# zem_install_list PACKAGE...: installs those that are missing.
zem_install_list() {
    local missing
    missing=$(zem_missing_packages "$@")
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    # shellcheck disable=SC2086
    zem_apt_get "install -y $missing" install -y -q --no-install-recommends $missing
}

# zem_apt_get HINT ARGS...: apt-get update, then apt-get ARGS, as root (through
# sudo when it can ask); HINT is the command a player is told to run otherwise.
zem_apt_get() {
    local hint=$1
    shift
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
            sudo=(sudo)
        else
            echo "Cannot install packages without root. Please run:" >&2
            echo "  sudo apt-get update && sudo apt-get $hint" >&2
            exit 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q || { echo "apt-get update failed" >&2; exit 1; }
    "${sudo[@]}" apt-get "$@" || {
        echo "Please run: sudo apt-get $hint" >&2
        exit 1
    }
}

# zem_build PRESET [targets...]
zem_build() {
    local preset=$1
    shift
    cmake --preset "$preset" >/dev/null || exit 1
    cmake --build --preset "$preset" "$@" || exit 1
}
