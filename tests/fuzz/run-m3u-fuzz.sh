#!/usr/bin/env bash
# Builds the M3U fuzz target with clang and runs it under nice.
#   tests/fuzz/run-m3u-fuzz.sh [seconds]   (default 600)
# New inputs go to build/fuzz/m3u-corpus, never into the committed seeds.
# Lines longer than a path are the interesting ones, so long inputs come at once.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$root/build/fuzz
seconds=${1:-600}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DQUOREL_SANITIZE=ON -DQUOREL_FUZZ=ON >/dev/null
nice -n 10 cmake --build "$build" -j2 --target m3u_fuzz
mkdir -p "$build/m3u-corpus"
cd "$build"
nice -n 10 ./tests/fuzz/m3u_fuzz -max_total_time="$seconds" -max_len=8192 -len_control=0 -print_final_stats=1 \
    m3u-corpus "$root/tests/fuzz/corpus/m3u"
