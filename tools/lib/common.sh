# Shared set-up of tools/run, tools/test, tools/package, tools/screenshot and
# tools/mutation: installs the Debian packages that are missing and configures
# a build directory from a preset of CMakePresets.json.
# Sourced, not run.

QUELVAR_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"

# What building and running the program needs; Symbola draws the pictures of
# control characters typed into a cell.
QUELVAR_BUILD_PACKAGES=(cmake g++ ninja-build qt6-base-dev fonts-liberation fonts-symbola)
# What tools/package needs besides: dpkg-shlibdeps, which finds the Debian
# package's dependencies, and file, with which CPack picks the programs to
# show it.
QUELVAR_PACKAGE_PACKAGES=(dpkg-dev file)
# What the tests and the screenshot need besides: a virtual X server for the
# tests of the real program, xdotool to find its window and drive it,
# python3-xlib to close it and read its frame, a window manager (openbox) to
# frame it, a D-Bus session with an AT-SPI bus for what a screen reader hears,
# the desktop entry and AppStream checkers, and what tools/package needs for
# the package test.
QUELVAR_TEST_PACKAGES=(xvfb xauth xdotool python3-xlib openbox dbus-daemon dbus-bin at-spi2-core
    desktop-file-utils appstream "${QUELVAR_PACKAGE_PACKAGES[@]}")

quelvar_say() {
    printf '%s: %s\n' "$(basename "$0")" "$*" >&2
}

# Installs those of the given packages that are not installed yet. Nothing is
# fetched, and apt-get is not even asked, when all of them are there.
quelvar_ensure_packages() {
    if ! command -v dpkg-query >/dev/null 2>&1; then
        quelvar_say "not a Debian system; make sure these are installed: $*"
        return 0
    fi
    local missing=() pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            quelvar_say "these packages are missing and sudo is not available to install them: ${missing[*]}"
            exit 1
        fi
        sudo=(sudo)
    fi
    quelvar_say "installing ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# quelvar_configure PRESET [cmake options...]: configures the build tree of
# a configure preset of CMakePresets.json (release, test, mutation, package),
# which gives its place, generator and options; further options are added.
quelvar_configure() {
    local preset="$1"
    shift
    cmake -S "$QUELVAR_ROOT" --preset "$preset" "$@"
}

quelvar_jobs() {
    nproc 2>/dev/null || echo 2
}
