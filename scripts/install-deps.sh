#!/usr/bin/env bash
# Installs the Debian 12 packages that building, playing and testing zenit need.
# Runs apt-get only when something is missing; uses sudo when not root.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  libsdl2-dev libfluidsynth-dev timgm6mb-soundfont
  libimgui-dev libstb-dev libpng-dev fonts-ipafont-gothic
  libgtest-dev libbenchmark-dev
  xvfb xauth libx11-dev libxtst-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
