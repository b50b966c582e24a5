# Shared by run.sh and test.sh: installs what is missing, then configures and
# builds into ./build.
set -euo pipefail

KORDELA_PACKAGES=(cmake g++ make qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev poppler-utils
                  qt6-translations-l10n fonts-liberation)

kordela_install_missing() {
    local missing=()
    for package in "${KORDELA_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installation des paquets manquants : ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

kordela_build() {
    local root
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$root/build" --parallel "$(nproc)"
}
