#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are
# missing; packages named as arguments too (scripts/package.sh adds lintian).
set -euo pipefail
# dpkg-dev: dpkg-shlibdeps, which finds the Debian package's Depends.
# nlohmann-json3-dev: reads the building descriptions and plans users hand us.
# libdxflib-dev: reads the architects' DXF drawings and writes the laid tubes;
# python3-ezdxf writes and reads DXF with another program in a test.
# libpolyclipping-dev: Clipper, the polygon offsets and cuts loops are laid with.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
          libgtest-dev libgmock-dev libbenchmark-dev libxml2-utils fonts-dejavu-core fonts-liberation2
          poppler-utils python3 qt6-translations-l10n dpkg-dev nlohmann-json3-dev libdxflib-dev
          libpolyclipping-dev python3-ezdxf "$@")
# LibreOffice opens the exported bill in a test; its recommendations (Java, help,
# more fonts) are not needed for that.
lean_packages=(libreoffice-calc-nogui libreoffice-writer-nogui)

# install [apt-get options...] -- packages...: installs those not yet installed.
install() {
  local options=() missing=()
  while [ "$1" != "--" ]; do options+=("$1"); shift; done
  shift
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${options[@]}" "${missing[@]}"
}

install -- "${packages[@]}"
install --no-install-recommends -- "${lean_packages[@]}"
# file: CPack's Debian generator asks it what each packed file is, and fails without it.
# binutils: strip for CPack, readelf for the package test (only an indirect dependency
# of g++).  xvfb, xauth, xdotool: the start-up test runs the real program on a virtual
# display and types into it; xvfb-run needs xauth, which xvfb only recommends.
tool_packages=(file binutils xvfb xauth xdotool)
install -- "${tool_packages[@]}"
