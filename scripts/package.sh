#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree (default build/,
# as scripts/build.sh leaves it) and checks it: the expected files are in it,
# the control fields are set, and lintian reports no error.
#
#   bash scripts/package.sh            -> build/package/kurvex_<version>_<arch>.deb
#   BUILD_DIR=build-pkg bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
OUT_DIR="$PWD/$BUILD_DIR/package"

if [ ! -f "$BUILD_DIR/CPackConfig.cmake" ]; then
  echo "$BUILD_DIR/CPackConfig.cmake is missing: configure and build with the viewer first (scripts/build.sh)" >&2
  exit 1
fi
cmake --build "$BUILD_DIR" -j "${JOBS:-2}" >/dev/null

rm -rf "$OUT_DIR"
cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$OUT_DIR" >"$OUT_DIR.log" 2>&1 \
  || { cat "$OUT_DIR.log"; exit 1; }
debs=("$OUT_DIR"/kurvex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one kurvex_*.deb in $OUT_DIR" >&2; exit 1; }
deb=${debs[0]}
echo "$deb"

fail=0
problem() { echo "package: $*" >&2; fail=1; }

# The files, with the modes a package needs.
listing=$(dpkg-deb -c "$deb")
expect_file() {  # mode path
  grep -Eq "^$1 root/root +[0-9]+ [0-9-]+ [0-9:]+ \./$2\$" <<<"$listing" || problem "missing or wrong mode: $1 /$2"
}
expect_file -rwxr-xr-x usr/bin/kurvex
expect_file -rwxr-xr-x usr/bin/kurvex-cli
for f in usr/share/applications/kurvex.desktop \
         usr/share/icons/hicolor/scalable/apps/kurvex.svg \
         usr/share/icons/hicolor/48x48/apps/kurvex.png \
         usr/share/mime/packages/kurvex.xml \
         usr/share/metainfo/example.ostwerk.kurvex.metainfo.xml \
         usr/share/man/man1/kurvex.1.gz \
         usr/share/man/man1/kurvex-cli.1.gz \
         usr/share/doc/kurvex/copyright \
         usr/share/doc/kurvex/changelog.gz; do
  expect_file -rw-r--r-- "$f"
done
files=$(grep -c '^-' <<<"$listing")
[ "$files" -eq 11 ] || { problem "$files files in the package, expected 11:"; echo "$listing" >&2; }

# The control fields.
field() { dpkg-deb -f "$deb" "$1"; }
version=$(sed -n 's/^project(Kurvex VERSION \([0-9]*\.[0-9]*\.[0-9]*\).*/\1/p' CMakeLists.txt)
[ "$(field Package)" = kurvex ] || problem "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || problem "Version: $(field Version), expected $version"
[ "$(field Section)" = science ] || problem "Section: $(field Section)"
[ "$(field Maintainer)" = "Ostwerk GmbH <service@ostwerk.example>" ] || problem "Maintainer: $(field Maintainer)"
grep -q 'libqt6widgets6' <<<"$(field Depends)" || problem "Depends lacks the Qt libraries (dpkg-shlibdeps): $(field Depends)"
grep -q "libqt6svg6" <<<"$(field Depends)" || problem "Depends lacks libqt6svg6 (the SVG icon engine): $(field Depends)"
grep -q 'fonts-liberation2' <<<"$(field Recommends)" || problem "Recommends lacks fonts-liberation2"

# Binaries are stripped.
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
for program in kurvex kurvex-cli; do
  file -b "$tmp/usr/bin/$program" | grep -q ', stripped' || problem "$program is not stripped"
done

# lintian: errors fail, the rest is shown.
if ! lintian --fail-on error --display-info --tag-display-limit 0 "$deb"; then
  problem "lintian reports errors"
fi

[ $fail -eq 0 ] || exit 1
echo "package ok: $(basename "$deb")"
