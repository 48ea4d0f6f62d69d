#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Mirovel needs.
# Safe to run again: it asks apt only for what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libfltk1.3-dev libjpeg-dev libcurl4-openssl-dev
  fonts-wqy-microhei xvfb xdotool x11-utils imagemagick
  icu-devtools openssl curl python3 procps
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
