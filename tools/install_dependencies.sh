#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, if missing.
set -euo pipefail

packages=(cmake make g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          qt6-qpa-plugins fonts-wqy-microhei clang libclang-rt-14-dev "$@")

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
