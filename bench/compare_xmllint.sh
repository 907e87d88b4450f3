#!/usr/bin/env bash
# Loads the benchmark's generated 10 MB catalogue with kalorina-cli and reads the
# same files with libxml2's stream reader (xmllint --stream --noout, Debian
# libxml2-utils), both as whole processes, alternately; prints the median time
# of each, as processor time (user + system: steadier on a busy machine) and as
# elapsed time, and their ratios.
# Usage: bench/compare_xmllint.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: compare_xmllint.sh BUILD_DIR [RUNS]}
runs=${2:-15}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/bin/catalogue_load_bench" --write "$dir/data" >/dev/null
TIMEFORMAT='%3R %3U %3S'
measure() {  # prints "elapsed cpu" in ms
    { time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ printf "%d %d\n", $1 * 1000, ($2 + $3) * 1000 }'
}
: >"$dir/k"; : >"$dir/x"
for ((i = 0; i < runs; i++)); do
    measure "$build/bin/kalorina-cli" --data "$dir/data" catalogue >>"$dir/k"
    measure xmllint --stream --noout "$dir"/data/*.xml >>"$dir/x"
done
median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
kc=$(median "$dir/k" 2); xc=$(median "$dir/x" 2); kw=$(median "$dir/k" 1); xw=$(median "$dir/x" 1)
awk -v kc="$kc" -v xc="$xc" -v kw="$kw" -v xw="$xw" 'BEGIN {
    printf "processor time: kalorina-cli catalogue %d ms, xmllint --stream %d ms: %.2f x the speed of xmllint\n", kc, xc, xc / kc
    printf "elapsed time:   kalorina-cli catalogue %d ms, xmllint --stream %d ms: %.2f x the speed of xmllint\n", kw, xw, xw / kw }'
