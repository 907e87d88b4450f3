#!/usr/bin/env bash
# Builds every fuzz target (fuzz/*_fuzz.cpp) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into ./build-fuzz (or $KALORINA_FUZZ_BUILD_DIR) and runs
# each for SECONDS (default 300), one after another:
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
# Each run works on a scratch copy of fuzz/corpus/<target> (so the repository's corpus
# does not grow by what the fuzzer keeps), with fuzz/<target>.dict where there is one.
# An input that finds a fault is saved in build-fuzz/fuzz-findings/<target>/: minimise
# it (the target with -minimize_crash=1 -runs=10000 FILE), fix the fault, and add it to
# fuzz/corpus/<target>/ so that the unit tests replay it from then on.
# Exits 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
build=${KALORINA_FUZZ_BUILD_DIR:-build-fuzz}

# Installs the Debian packages the fuzz build needs, only those that are missing.
packages=(cmake ninja-build clang libclang-rt-dev qt6-base-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

# Every target, or those named.
targets=()
if [ $# -gt 0 ]; then
  targets=("$@")
else
  for f in fuzz/*_fuzz.cpp; do
    targets+=("$(basename "$f" .cpp)")
  done
fi

# The first error of UndefinedBehaviorSanitizer stops the run like a crash does.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKALORINA_BUILD_FUZZ=ON -DKALORINA_BUILD_GUI=OFF -DKALORINA_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-fno-sanitize-recover=undefined" >/dev/null
cmake --build "$build" -j "${KALORINA_JOBS:-2}" --target "${targets[@]}"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
work="$build/fuzz-work"
findings="$build/fuzz-findings"
# The files some targets write for their readers stay in the build folder, whatever
# way libFuzzer ends the process.
mkdir -p "$work/tmp"
TMPDIR=$(realpath "$work/tmp")
export TMPDIR
summary=()
failed=0
for target in "${targets[@]}"; do
  name=${target%_fuzz}
  corpus="$work/$name"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$findings/$name"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=("-dict=fuzz/$name.dict")
  log="$work/$name.log"
  before=$(find "$findings/$name" -type f | wc -l)
  echo "== $target: $seconds s"
  set +e
  "$build/bin/$target" "$corpus" "${dict[@]}" -max_total_time="$seconds" -timeout=30 \
    -print_final_stats=1 -artifact_prefix="$findings/$name/" >"$log" 2>&1
  rc=$?
  set -e
  after=$(find "$findings/$name" -type f | wc -l)
  found=$((after - before))
  # libFuzzer's last status line ("#RUNS ... cov: N ft: ...") and its final count.
  runs=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -1 || true)
  cov=$( (grep -o 'cov: [0-9]*' "$log" || true) | tail -1 | cut -d' ' -f2)
  if [ "$rc" -ne 0 ] && [ "$found" -eq 0 ]; then
    found=1 # stopped without saving an input (e.g. out of memory in start-up): see the log
  fi
  if [ "$found" -gt 0 ]; then
    failed=1
    echo "   FOUND: see $log and $findings/$name/"
    grep -m3 -E "ERROR|runtime error|invariant broken" "$log" | sed 's/^/   /' || true
  fi
  summary+=("$(printf '%-18s %6s s  runs %10s  cov %6s  findings %s' "$name" "$seconds" "${runs:-?}" "${cov:-?}" "$found")")
done

echo
echo "Fuzz run of $seconds s per target:"
printf '  %s\n' "${summary[@]}"
exit $failed
