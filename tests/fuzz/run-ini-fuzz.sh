#!/usr/bin/env bash
# Builds the settings-file fuzz target with clang and runs it under nice.
#   tests/fuzz/run-ini-fuzz.sh [seconds]   (default 600)
# New inputs go to build/fuzz-ini/corpus, never into the committed seeds.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz-ini
seconds=${1:-600}
mkdir -p "$build/corpus"
nice -n 10 clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=all -I"$root/player/settings" \
    "$root/tests/fuzz/ini_document_fuzz.cpp" "$root/player/settings/IniDocument.cpp" \
    -o "$build/ini_document_fuzz"
cd "$build"
nice -n 10 ./ini_document_fuzz -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
    corpus "$root/tests/fuzz/corpus/ini"
