#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists every source file that lacks the licence line near its top, so a new
# file cannot slip in unlicensed. Exit status 1 when any is missing.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
cd "$root"
missing=$(find . \( -path './build*' -o -path ./.git \) -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name 'CMakeLists.txt' -o -name '*.cmake' \
     -o -name '*.sh' -o -path ./.ci/run \) -print |
  while read -r f; do
    head -n 3 "$f" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$f"
  done | sort)
if [ -n "$missing" ]; then
  echo "These files lack 'SPDX-License-Identifier: GPL-3.0-or-later' in their first lines:"
  echo "$missing"
  exit 1
fi
