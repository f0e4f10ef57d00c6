#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12; does nothing when all is there.
# With "deb", also what building and checking the Debian package needs.
set -euo pipefail

packages=(
  g++ cmake ninja-build make clang-format-14
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
  libxcb1-dev procps xvfb xauth xdotool dbus fonts-noto-color-emoji fonts-noto-cjk
  appstream desktop-file-utils weston qt6-wayland
)
[ "${1:-}" = deb ] && packages+=(dpkg-dev file lintian)
# `install-deps.sh fuzz`: also clang and its libFuzzer.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
