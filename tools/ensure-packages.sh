#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when some are missing.
# Usage: tools/ensure-packages.sh play|test
set -euo pipefail

packages=(cmake g++ make pkg-config libglfw3-dev libglew-dev libgl-dev libglm-dev rapidjson-dev
          libstb-dev libfreetype-dev liblua5.4-dev libopenal-dev libvorbis-dev fonts-roboto-unhinted)
if [ "${1:-}" = test ]; then
    packages+=(libgtest-dev libgmock-dev xvfb xauth clang libclang-rt-14-dev
               libbox2d-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
