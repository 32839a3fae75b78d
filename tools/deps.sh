# Installs the Debian packages the build and the tests need, when missing.
# Qt Charts' CMake files need Qt's OpenGL ones, which its package leaves out.
# Sourced by run.sh and test.sh.

CINEFICHE_PACKAGES="cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n qt6-image-formats-plugins libgl-dev fonts-dejavu-core fonts-liberation librsvg2-bin clang-format libicu-dev zlib1g-dev libzip-dev pkg-config"

install_missing_packages() {
    local missing=()
    for pkg in $CINEFICHE_PACKAGES "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installation des paquets manquants : ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Release: the package strips its programs anyway, and debugging information
# makes an optimised build a third slower.
configure_and_build() {   # folder, then extra CMake options
    local dir=$1
    shift
    cmake -S "$(dirname "$0")" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir"
}

# Fails when a C++ file git knows differs from the project's .clang-format.
# Run from the project's folder; outside a git checkout nothing is checked.
check_format() {
    local files
    if ! files=$(git -c safe.directory="$PWD" ls-files '*.cpp' '*.h' '*.c' 2>/dev/null); then
        echo "Pas de dépôt git : le format du code n'est pas vérifié"
        return 0
    fi
    printf '%s\n' "$files" | xargs -r -d '\n' clang-format --dry-run -Werror
}
