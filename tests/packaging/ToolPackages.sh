#!/usr/bin/env bash
# Every program the build, the tests and the packaging call must come from a Debian
# package that a fresh machine gets from scripts/deps.sh: one it names (or that
# scripts/package.sh names in its call of it), a hard dependency of such a package,
# or one every Debian system has (Essential, or priority required).  A program that
# is only recommended by something, or that happens to be on this machine, fails
# here instead of on a user's fresh machine.
# Usage: ToolPackages.sh SOURCE_DIR
set -euo pipefail
src=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# program, who calls it (build, tests, package: only scripts/package.sh, which
# installs its own extras when it runs).
tools="
bash build
cmake build
ninja build
c++ build
g++ build
pkg-config build
gzip build
ctest tests
cpack tests
file tests
dpkg-shlibdeps tests
dpkg-deb tests
dpkg-query tests
readelf tests
strip tests
awk tests
sed tests
grep tests
cmp tests
mktemp tests
python3 tests
pdftotext tests
pdfinfo tests
soffice tests
xvfb-run tests
xauth tests
Xvfb tests
xdotool tests
xmllint tests
dpkg-buildflags package
lintian package
apt-get package
"
# Used when the machine has them, never needed: the compiler cache and the
# format-check target.  scripts/fuzz.sh installs its own compiler.
optional="ccache clang-format clang-format-14"

# The packages named: every array of deps.sh, and what package.sh hands it.
words() { tr -s ' \t()' '\n' | grep -E '^[a-z0-9][a-z0-9.+-]+$' || true; }
arrays() { # the words of the arrays assigned in file $1 (name=(...), name+=(...))
  awk '/(^|[ \t;&])[A-Za-z_]+\+?=\(/ { on = 1; sub(/^[^(]*\(/, "") }
       on { line = $0; if (sub(/\).*$/, "", line)) on = 0; print line }' "$1" | words
}
named=$( { arrays "$src/scripts/deps.sh"; arrays "$src/scripts/package.sh"; } | sort -u)
[ -n "$named" ] || { echo "FAIL: no package names found in scripts/deps.sh"; exit 1; }

# Accepted: the named packages and their hard dependencies (Depends and Pre-Depends
# without alternatives: "a | b" guarantees neither).
installed_named=$( { dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' $named 2>/dev/null || true; } | awk '$2 ~ /^ii/ { print $1 }')
depends=$( { dpkg-query -W -f='${Depends}, ${Pre-Depends}\n' $installed_named 2>/dev/null || true; } | tr ',' '\n' |
  grep -v '|' | sed 's/(.*)//; s/:.*//; s/[[:space:]]//g' | grep . | sort -u || true)
accepted=$(printf '%s\n%s\n' "$named" "$depends" | sort -u)

# A program is looked up where Debian's packages put programs, not in the PATH of
# this machine (a /usr/local or ~/.pyenv one would hide whether the package is there).
system_path=/usr/sbin:/usr/bin:/sbin:/bin
declare -A where caller
paths=()
while read -r program who; do
  [ -n "$program" ] || continue
  caller[$program]=$who
  found=$(PATH=$system_path command -v "$program" || true)
  if [ -z "$found" ]; then
    if [ "$who" = package ]; then
      # Not installed yet: scripts/package.sh must name the package it comes in.
      grep -qxF "$program" <<<"$named" || fail "$program (called by scripts/package.sh) is not installed and no script names a package for it"
    else
      fail "$program is missing from this machine (called by the $who)"
    fi
    continue
  fi
  resolved=$(readlink -f "$found")
  where[$program]="$found $resolved"
  # Merged /usr: the packages may own the file under /bin, /sbin or /lib.
  for p in "$found" "$resolved"; do
    paths+=("$p")
    [[ $p == /usr/* ]] && paths+=("${p#/usr}")
  done
done <<<"$tools"

# One query for every path: "package[:arch][, package...]: path".
declare -A owner
while IFS= read -r line; do
  path=${line##*: }
  pkgs=${line%: *}
  owner[$path]=$(tr ',' '\n' <<<"$pkgs" | sed 's/:.*//; s/[[:space:]]//g')
done < <(dpkg-query -S "${paths[@]}" 2>/dev/null | grep -v '^diversion' || true)

owners=$(printf '%s\n' "${owner[@]}" | sort -u)
base=$( { dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' $owners 2>/dev/null || true; } |
  awk '$2 == "yes" || $3 == "required" { print $1 }')
accepted=$(printf '%s\n%s\n' "$accepted" "$base" | sort -u)

for program in "${!where[@]}"; do
  read -r found resolved <<<"${where[$program]}"
  candidates=($(for p in "$found" "$resolved"; do echo ${owner[$p]:-} ${owner[${p#/usr}]:-}; done | tr ' ' '\n' | sort -u))
  if [ ${#candidates[@]} -eq 0 ]; then
    fail "$program ($resolved) belongs to no Debian package"
    continue
  fi
  ok=0
  for c in "${candidates[@]}"; do
    grep -qxF "$c" <<<"$accepted" && ok=1
  done
  [ $ok = 1 ] || fail "$program ($resolved) comes with the package ${candidates[*]}, which scripts/deps.sh does not install"
done

# A program newly looked for by a script must be in the list above.
listed=" $(awk '{ print $1 }' <<<"$tools" | tr '\n' ' ') $optional "
while IFS= read -r name; do
  [[ $listed == *" $name "* ]] || fail "a script looks for '$name', which this test does not know: add it to the list"
done < <(
  find "$src/scripts" "$src/tests" "$src/cmake" "$src/.ci" "$src/bench" "$src" -maxdepth 3 \
    \( -name '*.sh' -o -name '*.py' -o -name '*.cmake' -o -name CMakeLists.txt -o -path '*/.ci/*' \) \
    -type f -not -path '*/build*' -not -path "$src/tests/packaging/ToolPackages.sh" -print0 2>/dev/null |
    xargs -0 grep -hoE 'command -v [A-Za-z0-9_.+-]+|shutil\.which\("[^"]+"\)|find_program\([A-Za-z0-9_]+( NAMES)?( [A-Za-z0-9_.+-]+)+' |
    sed -E 's/^command -v //; s/^shutil\.which\("([^"]+)"\)/\1/; s/^find_program\([A-Za-z0-9_]+( NAMES)?//' |
    tr ' ' '\n' | grep -vxE 'REQUIRED|NAMES|' | sort -u
)

[ "$failures" = 0 ] || exit 1
echo "$(grep -c . <<<"$tools") programs, each from a package scripts/deps.sh installs"
