#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and runs every test offscreen with CTest.
# A throw-away PostgreSQL server on 127.0.0.1 serves the database suites.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

export QT_QPA_PLATFORM=offscreen
if [ -x "$root/scripts/pg-test-server.sh" ]; then
  pgenv="$(mktemp)"
  "$root/scripts/pg-test-server.sh" start "$pgenv"
  trap '"$root/scripts/pg-test-server.sh" stop "$pgenv"; rm -f "$pgenv"' EXIT
  # shellcheck disable=SC1090
  source "$pgenv"
fi

cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
