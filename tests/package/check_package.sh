#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root (dpkg -x), checks that every file a
# desktop needs is in place and well formed, and runs the installed vestrelc on the
# examples: its IL projects must equal byte for byte those of the vestrelc of the build.
# Usage: check_package.sh PACKAGE.deb BUILD_VESTRELC
set -euo pipefail
package=$1
built_vestrelc=$2
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

dpkg -x "$package" "$root"

for path in usr/bin/vestrel usr/bin/vestrelc usr/lib/vestrel/vestrel usr/lib/vestrel/vestrelc \
            usr/lib/vestrel/Vestrel.ini usr/share/applications/vestrel.desktop \
            usr/share/icons/hicolor/scalable/apps/vestrel.svg usr/share/mime/packages/vestrel.xml \
            usr/share/man/man1/vestrelc.1.gz usr/share/man/man1/vestrel.1.gz \
            usr/share/doc/vestrel/manual/index.md usr/share/doc/vestrel/examples/pump.prg; do
  [ -e "$root/$path" ] || fail "missing /$path"
done
for program in vestrel vestrelc; do
  [ "$(readlink "$root/usr/bin/$program")" = "../lib/vestrel/$program" ] ||
    fail "/usr/bin/$program is not a link to ../lib/vestrel/$program"
done

# The installed translator, reached through its link, on every example (vestrelc makes
# the project folder itself, not its parents).
mkdir -p "$scratch/installed" "$scratch/built"
for source in "$examples"/*.prg; do
  name=$(basename "$source" .prg)
  if ! "$root/usr/bin/vestrelc" --quiet -o "$scratch/installed/$name" "$source"; then
    fail "installed vestrelc failed on $name.prg"
    continue
  fi
  "$built_vestrelc" --quiet -o "$scratch/built/$name" "$source"
done
diff -r "$scratch/built" "$scratch/installed" > /dev/null || fail "installed and built vestrelc write different projects"
[ -f "$scratch/installed/boiler_house/5.IL" ] || fail "no 5.IL for boiler_house.prg"
"$root/usr/bin/vestrelc" --check --quiet --ini "$root/usr/lib/vestrel/Vestrel.ini" "$examples/pump.prg" ||
  fail "installed vestrelc does not read the installed Vestrel.ini"
version=$("$root/usr/bin/vestrelc" --version)
dpkg-deb -f "$package" Version | grep -qx "${version#vestrelc }" || fail "package version differs from '$version'"

# Desktop entry, MIME type and icon.
desktop=$root/usr/share/applications/vestrel.desktop
grep -qx 'Exec=vestrel %F' "$desktop" || fail "the desktop entry does not pass files to vestrel"
grep -qx 'MimeType=text/x-korvel;' "$desktop" || fail "the desktop entry does not claim text/x-korvel"
if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
fi
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/vestrel.svg" || fail "the icon is not well-formed XML"
if command -v update-mime-database > /dev/null; then
  cp -r "$root/usr/share/mime" "$scratch/mime"
  update-mime-database "$scratch/mime" 2> /dev/null
  grep -q '^60:text/x-korvel:\*\.prg$' "$scratch/mime/globs2" || fail "the MIME database does not map *.prg to text/x-korvel"
fi

# Man pages render without warnings and name every option of the usage text.
for page in vestrelc vestrel; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 > /dev/null || true)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$root/usr/share/man/man1/vestrelc.1.gz" 2> /dev/null)
for option in $("$root/usr/bin/vestrelc" --help | grep -o -- '--[a-z-]*' | sort -u); do
  grep -q -- "$option" <<< "$rendered" || fail "vestrelc(1) does not describe $option"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures package checks failed"
  exit 1
fi
echo "package checks passed: $(basename "$package")"
