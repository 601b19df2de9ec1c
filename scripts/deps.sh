# Installs every Debian package the project needs that is missing. Sourced by the scripts.
zev_packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    nlohmann-json3-dev qt6-base-dev dosbox
    libqt6opengl6-dev libgl-dev libgl1-mesa-dri xvfb xauth fonts-dejavu-core xdotool
    locales libcdio-dev pkg-config desktop-file-utils appstream openbox shared-mime-info x11-utils
)

zev_install_deps() {
    local missing=()
    for p in "${zev_packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        export DEBIAN_FRONTEND=noninteractive
        $sudo apt-get update -qq
        $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}
