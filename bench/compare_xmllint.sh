#!/usr/bin/env bash
# Loads the benchmark's generated 10 MB catalogue with kalorina-cli and reads the
# same files with libxml2's stream reader (xmllint --stream --noout, Debian
# libxml2-utils), both as whole processes, alternately; prints the best time of
# each and their ratio.
# Usage: bench/compare_xmllint.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: compare_xmllint.sh BUILD_DIR [RUNS]}
runs=${2:-15}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$build/bin/catalogue_load_bench" --write "$dir/data" >/dev/null
best() { sort -n | head -1; }
now() { date +%s%N; }
: >"$dir/k"; : >"$dir/x"
for ((i = 0; i < runs; i++)); do
    t=$(now); "$build/bin/kalorina-cli" --data "$dir/data" catalogue >/dev/null; echo $(( $(now) - t )) >>"$dir/k"
    t=$(now); xmllint --stream --noout "$dir"/data/*.xml; echo $(( $(now) - t )) >>"$dir/x"
done
k=$(best <"$dir/k"); x=$(best <"$dir/x")
awk -v k="$k" -v x="$x" 'BEGIN { printf "kalorina-cli catalogue %.1f ms, xmllint --stream %.1f ms: %.2f x the speed of xmllint\n", k / 1e6, x / 1e6, x / k }'
