#!/usr/bin/env bash
# Builds the WAVE reader's fuzz target with clang and libFuzzer, and runs it
# when asked:  scripts/wave-fuzz.sh [seconds]
# The corpus grows in build/fuzz/corpus/wave_fuzz from tests/fuzz/seeds/wave_fuzz.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out/corpus/wave_fuzz"
nice -n 10 clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined \
    -I"$root/plugins/input/wave" -I"$root/plugins/input/tags" -I"$root/player/host" -I"$root/tests/tags" \
    "$root/tests/fuzz/wave_fuzz.cpp" "$root/plugins/input/wave/G711.cpp" \
    "$root/plugins/input/wave/WaveSource.cpp" -o "$out/wave_fuzz"
seconds=${1:-0}
if (( seconds > 0 )); then
    cp -n "$root"/tests/fuzz/seeds/wave_fuzz/* "$out/corpus/wave_fuzz/" 2>/dev/null || true
    nice -n 10 "$out/wave_fuzz" -max_total_time="$seconds" -max_len=2048 -print_final_stats=1 \
        -artifact_prefix="$out/wave_fuzz-" "$out/corpus/wave_fuzz" 2>&1 | tail -n 12
fi
