#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a built package (the first argument, or the one scripts/package.sh
# left in build-package/): its layout, its declared dependencies, and that
# the unpacked program, started offscreen in Local mode with a fresh home
# folder, comes up with the looms of the shipped samples and creates
# Shedwise.db in that home's data folder (never beside the program).
# The program is started with PLEXIWEAVE_START_CHECK=local, which answers the
# data-mode question, prints one line about the started window and exits.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-$(ls "$root"/build-package/plexiweave_*.deb 2>/dev/null | tail -n 1)}"
[ -f "$deb" ] || { echo "No package: run scripts/package.sh first" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$work/root"
usr="$work/root/usr"
samples="$usr/share/plexiweave/samples"
for f in bin/plexiweave share/applications/plexiweave.desktop share/doc/plexiweave/copyright \
         share/icons/hicolor/scalable/apps/plexiweave.svg \
         share/plexiweave/samples/{LoomSpec,WarpType,FabricType,StruLoom,DowntimeType}.csv; do
  [ -e "$usr/$f" ] || fail "missing /usr/$f"
done
desktop="$usr/share/applications/plexiweave.desktop"
grep -qx 'Path=/usr/share/plexiweave/samples' "$desktop" || fail "desktop entry: wrong Path="
grep -qx 'Exec=plexiweave' "$desktop" || fail "desktop entry: wrong Exec="
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop"; fi

depends="$(dpkg-deb -f "$deb" Depends)"
for p in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libxlsxwriter4 \
         libqt6sql6-sqlite libqt6sql6-psql fonts-liberation; do
  grep -Eq "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done

# The seed data must come from the package: drop the last loom of the
# unpacked LoomSpec.csv, so a program that read the source tree's copy
# shows one loom too many.
sed -i '$d' "$samples/LoomSpec.csv"
expected="$(cut -d, -f2 "$samples/LoomSpec.csv" | grep -v '^$' | tr '\n' ' ' | sed 's/ $//')"
count="$(wc -w <<<"$expected")"

mkdir "$work/home" "$work/cwd"
line="$(cd "$work/cwd" && env -i PATH=/usr/bin:/bin HOME="$work/home" QT_QPA_PLATFORM=offscreen \
  PLEXIWEAVE_START_CHECK=local timeout 120 "$usr/bin/plexiweave" 2>"$work/stderr")" || {
  cat "$work/stderr" >&2
  fail "program did not start: $line"
}
db="$work/home/.local/share/Plexiweave/Shedwise.db"
echo "$line"
[[ "$line" == "started: mode local, $count looms ($expected), database $db, messages: none" ]] ||
  fail "unexpected start: wanted $count looms ($expected) on $db"
[ -s "$db" ] || fail "no database at $db"
[ ! -e "$usr/bin/Shedwise.db" ] || fail "database created beside the program"
echo "Package check passed: $(basename "$deb")"
