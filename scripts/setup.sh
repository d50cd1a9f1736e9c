# Shared by ./run and ./test: installs what is missing from Debian's archive,
# then configures and builds a preset. Sourced, not run.

ZEM_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev
    fonts-ipafont-mincho desktop-file-utils appstream python3 clang libclang-rt-dev xvfb xdotool)

zem_missing_packages() {
    local missing=() p
    for p in "${ZEM_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    echo "${missing[@]}"
}

zem_install_packages() {
    local missing
    missing=$(zem_missing_packages)
    [ -z "$missing" ] && return 0
    echo "Installing: $missing"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        elif command -v sudo >/dev/null && [ -t 0 ]; then
            sudo=(sudo)
        else
            echo "Cannot install packages without root. Please run:" >&2
            echo "  sudo apt-get update && sudo apt-get install -y $missing" >&2
            exit 1
        fi
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q || { echo "apt-get update failed" >&2; exit 1; }
    # shellcheck disable=SC2086
    "${sudo[@]}" apt-get install -y -q --no-install-recommends $missing || {
        echo "Please run: sudo apt-get install -y $missing" >&2
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
