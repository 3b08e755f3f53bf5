#!/usr/bin/env bash
# Installs every Debian package that building, testing and benchmarking VELOR needs.
# Packages already installed are skipped; runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev
  libqcustomplot-dev libqcustomplot2.1-qt6
  libhidapi-dev libudev-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  xvfb xauth imagemagick fonts-dseg fonts-dejavu-core fonts-liberation2
  qt6-qpa-plugins libgl-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
elif command -v sudo >/dev/null 2>&1; then
  sudo_cmd=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
