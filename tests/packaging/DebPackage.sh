#!/usr/bin/env bash
# Packs the already-built tree into a Debian package in a scratch folder (no
# second build: CPack installs what the build made) and checks the package's
# file list, its binaries and its control data.
# Usage: DebPackage.sh CPACK BUILD_DIR VERSION     (exit 77: skipped)
set -euo pipefail
cpack=$1 build=$2 version=$3
if ! command -v dpkg-shlibdeps >/dev/null; then
  echo "dpkg-shlibdeps (dpkg-dev) is missing: skipped"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$work/kalorina_${version}_amd64.deb
[ -f "$deb" ] || { ls "$work"; echo "FAIL: no $deb"; exit 1; }

# The file list: every path as installed, each with its owner.
dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); print $2, $6 }' >"$work/list"
paths() { awk '{ print $2 }' "$work/list"; }
for p in /usr/bin/kalorina /usr/bin/kalorina-cli /usr/libexec/kalorina/kalorina-cli-pages \
  /usr/share/kalorina/languages/magyar.xmz /usr/share/kalorina/languages/english.xmz \
  /usr/share/kalorina/help/hu/contents.html /usr/share/kalorina/help/en/contents.html \
  /usr/share/kalorina/examples/house.klp /usr/share/kalorina/examples/flat.klp \
  /usr/share/kalorina/examples/house.building.json \
  /usr/share/kalorina/KalorinaReport.jpg /usr/share/kalorina/kalorina.jpg \
  /usr/share/applications/kalorina.desktop /usr/share/mime/packages/kalorina-project.xml \
  /usr/share/icons/hicolor/scalable/apps/kalorina.svg \
  /usr/share/man/man1/kalorina.1.gz /usr/share/man/man1/kalorina-cli.1.gz \
  /usr/share/doc/kalorina/copyright /usr/share/doc/kalorina/changelog.gz; do
  paths | grep -qxF "$p" || fail "missing $p"
done
# The whole catalogue, its included files too.
for f in $(cd "$(dirname "$0")/../../data" && find . -type f | sed 's|^\./||'); do
  paths | grep -qxF "/usr/share/kalorina/data/$f" || fail "missing /usr/share/kalorina/data/$f"
done
# Nothing outside /usr, no test or build leftovers, everything owned by root.
paths | grep -v '^/usr/\?' | grep -v '^/$' && fail "files outside /usr"
paths | grep -E 'tests?$|_tests|\.a$|\.o$|^/usr/include/|CMake' && fail "build or test files in the package"
awk '$1 != "root/root"' "$work/list" | grep . && fail "files not owned by root"

# Binaries stripped, manual pages readable.
dpkg-deb -x "$deb" "$work/root"
for b in usr/bin/kalorina usr/bin/kalorina-cli usr/libexec/kalorina/kalorina-cli-pages; do
  readelf -S "$work/root/$b" | grep -q '\.symtab\|\.debug_' && fail "$b is not stripped"
done
for m in kalorina kalorina-cli; do
  gzip -dc "$work/root/usr/share/man/man1/$m.1.gz" | grep -q "^\.TH ${m^^} 1" || fail "$m.1.gz is not its manual page"
done

# The control data; Depends as dpkg-shlibdeps found it, with versions.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kalorina ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture: $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Section)" ] || fail "no Section"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6; do
  [[ ", $depends," == *", $lib (>= "*")"* ]] || fail "Depends lacks $lib: $depends"
done
grep -qE 'gtest|gmock|benchmark|-dev' <<<"$depends" && fail "Depends names a build-only package: $depends"

[ "$failures" = 0 ] || exit 1
echo "package $(basename "$deb"): $(paths | grep -c '[^/]$') files, Depends: $depends"
