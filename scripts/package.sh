#!/usr/bin/env bash
# Builds the Debian package kalorina_VERSION_amd64.deb: a Release build into
# ./build-release (or $KALORINA_BUILD_DIR) installed under /usr, packed by CPack
# with its Depends found by dpkg-shlibdeps, then checked by lintian.
#   bash scripts/package.sh              build, pack, lintian
#   bash scripts/package.sh --no-lintian build and pack only
set -euo pipefail
cd "$(dirname "$0")/.."
lintian=1
for a in "$@"; do
  case "$a" in
    --no-lintian) lintian=0 ;;
    *) echo "usage: bash scripts/package.sh [--no-lintian]" >&2; exit 2 ;;
  esac
done
# dpkg-shlibdeps comes with dpkg-dev; lintian checks the package.
extra=(dpkg-dev)
[ "$lintian" = 1 ] && extra+=(lintian)
bash scripts/deps.sh "${extra[@]}"

build=${KALORINA_BUILD_DIR:-build-release}
# Debian's hardening flags (stack protector, fortified functions, a read-only
# global offset table), without -g: the binaries are stripped anyway.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export CXXFLAGS="$(DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
export LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
# A build tree keeps the flags it was configured with: start afresh when they changed.
if [ -f "$build/CMakeCache.txt" ] && ! { grep -qxF "CMAKE_CXX_FLAGS:STRING=$CXXFLAGS" "$build/CMakeCache.txt" &&
  grep -qxF "CMAKE_EXE_LINKER_FLAGS:STRING=$LDFLAGS" "$build/CMakeCache.txt"; }; then
  rm -rf "$build"
fi
KALORINA_BUILD_DIR=$build CMAKE_BUILD_TYPE=Release bash scripts/build.sh \
  -DCMAKE_INSTALL_PREFIX=/usr -DKALORINA_BUILD_TESTS=OFF -DKALORINA_CHECK_LAYERS=OFF

rm -f "$build"/kalorina_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/kalorina_*_amd64.deb)
echo "$deb"
if [ "$lintian" = 1 ]; then
  # Errors fail the build; the warnings left are explained in the README.
  lintian --fail-on error --info "$deb"
fi
