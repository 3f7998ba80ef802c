#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, only those that are missing.
# Usage: scripts/deps.sh [build|test]   (test adds what the tests and benchmarks use)
set -euo pipefail

packages=(
    cmake make g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    qt6-image-formats-plugins libqt6svg6 qt6-wayland
    libqt6sql6-sqlite
    zlib1g-dev
    qtkeychain-qt6-dev
    libxcb1-dev
    libmicrohttpd-dev
    fonts-dejavu-core
    qt6-tools-dev qt6-l10n-tools # Qt6LinguistTools for CMake, lupdate and lrelease: the translations
    qt6-translations-l10n        # Qt's own catalogues (its buttons and file dialog), loaded beside ours
)
if [ "${1:-build}" = test ]; then
    packages+=(xvfb xauth xdotool xclip imagemagick openbox wmctrl x11-utils curl dpkg-dev file)
    # The accessibility tree, which the end-to-end scripts read to find controls and wait on them.
    packages+=(at-spi2-core python3-pyatspi)
    # A headless Wayland desktop with a screenshot portal, a private session bus, and the
    # validators of the desktop metadata.
    packages+=(sway xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk grim pipewire
               wtype dbus dbus-daemon libglib2.0-bin util-linux appstream desktop-file-utils)
    packages+=(openssl) # the host tests: a TLS certificate
    packages+=(gnome-keyring libsecret-tools) # a real Secret Service for the destinations' keyring
    packages+=(shared-mime-info) # the custom-uploader file type: update-mime-database
    packages+=(man-db systemd) # the host's manual page and unit: man -l, systemd-analyze verify
    packages+=(lintian python3-debian) # the .deb checked as Debian checks it; the copyright file parsed
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# No recommends: the GTK platform theme they pull in makes Qt open native GTK dialogs,
# which headless tests cannot answer.
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
