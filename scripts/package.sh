#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: build-package/plexiweave_<version>_<arch>.deb
# (or in the folder given as the first argument). Only the program is built
# there; the installed files go under /usr.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build-package}")"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$out" -j"$(nproc)" --target plexiweave
rm -f "$out"/plexiweave_*.deb
(cd "$out" && cpack -G DEB >/dev/null)
ls "$out"/plexiweave_*.deb
