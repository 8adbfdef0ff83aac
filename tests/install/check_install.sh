#!/usr/bin/env bash
# Installs the build into a staging folder, as a package would, and checks what a desktop needs:
# the program, a valid desktop entry, the icon and MIME data that a MIME database accepts.
set -euo pipefail
build=$1
stage=$2
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
fail() { echo "install check: $*" >&2; exit 1; }
[ -x "$stage/usr/bin/orbala" ] || fail "no program in bin"
"$stage/usr/bin/orbala" --version | grep -q '^Orbala 1.31$' || fail "installed program does not run"
desktop-file-validate "$stage/usr/share/applications/orbala.desktop" || fail "desktop entry"
[ -s "$stage/usr/share/icons/hicolor/scalable/apps/orbala.svg" ] || fail "no icon"
update-mime-database "$stage/usr/share/mime" || fail "MIME data refused"
grep -q 'application/x-orbala:\*\.qvx' "$stage/usr/share/mime/globs2" || fail "no .qvx glob"
for glob in 'chemical/x-xyz:\*\.xyz' 'chemical/x-pdb:\*\.pdb' 'chemical/x-mdl-sdfile:\*\.sdf'; do
  grep -q "$glob" "$stage/usr/share/mime/globs2" || fail "no glob $glob"
done
echo "install check: passed"
