#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need,
# skipping those already present. Uses sudo when not run as root.
set -euo pipefail

packages=(
  cmake g++ make ccache dpkg-dev
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev libsqlite3-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  pkgconf libxlsxwriter-dev python3-openpyxl
  fonts-liberation poppler-utils xvfb xauth
  postgresql
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
