#!/usr/bin/env bash
# Installs the Debian 12 packages the game needs to build, run and test,
# skipping those already present. Needs root (or sudo).
set -euo pipefail
paquetes=(
  build-essential cmake ninja-build pkg-config clang
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6svg6
  qt6-qpa-plugins libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  xvfb xauth fonts-dejavu-core python3
  qt6-translations-l10n
  desktop-file-utils appstream dpkg-dev
)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${faltan[@]}"
fi
