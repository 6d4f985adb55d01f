#!/usr/bin/env bash
# Installs the Debian 12 packages Tessarine needs to build, run and test.
# Idempotent: when every package is present no package tool is called at all.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-multimedia-dev libqt6svg6 qt6-image-formats-plugins
  libcurl4-openssl-dev libsqlite3-dev sqlite3
  libboost-dev libboost-system-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-dejavu-extra
  curl xvfb xauth x11-utils imagemagick
  wordnet-base wamerican
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
