#!/bin/sh
# Builds the decoder fuzz target with clang, libFuzzer, ASan and UBSan.
# Usage: tests/fuzz/build-decoder-fuzz.sh [OUTPUT]   (default build/fuzz/decoder-fuzz)
# Run:   nice -n 10 build/fuzz/decoder-fuzz -max_total_time=1800 WORKDIR tests/fuzz/corpus/decoder
# (WORKDIR receives the generated corpus; keep it out of the tree.)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build/fuzz/decoder-fuzz}
mkdir -p "$(dirname "$out")"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/plugins/input/decoder" \
    "$root/tests/fuzz/DecoderFuzz.cpp" "$root"/plugins/input/decoder/*.cpp \
    -o "$out"
echo "$out"
