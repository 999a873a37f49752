#!/usr/bin/env bash
# Installs everything the program, its tests and its benchmarks need on a
# Debian 12 machine. Safe to run again: apt skips what is already there.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libqt6sql6-ibase
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  libxlsxwriter-dev libzip-dev zlib1g-dev libcurl4-openssl-dev libsodium-dev
  libgtest-dev ledger python3-pyftpdlib
  xvfb xauth poppler-utils
  qt6-translations-l10n
  clang libclang-rt-14-dev llvm-14
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
