#!/usr/bin/env bash
# Builds the tag-format fuzz targets with clang and libFuzzer, and runs them
# when asked:  scripts/tags-fuzz.sh [seconds-per-target]
# Corpora grow in build/fuzz/corpus/<target>; the seeds in tests/fuzz/seeds
# are copied there first. Runs under nice.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/fuzz
mkdir -p "$out"
targets=(tags_id3v1_fuzz tags_id3v2_fuzz tags_riff_fuzz tags_lyrics3_fuzz tags_writer_roundtrip_fuzz)
sources=$(ls "$root"/plugins/input/tags/*.cpp | grep -v '_win.cpp')
for t in "${targets[@]}"; do
  nice -n 10 clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined \
    -fno-sanitize-recover=undefined \
    -I"$root/plugins/input/tags" -I"$root/player/host" -I"$root/tests/tags" -I"$root/tests/fuzz" \
    "$root/tests/fuzz/$t.cpp" $sources -o "$out/$t"
done
seconds=${1:-0}
if (( seconds > 0 )); then
  for t in "${targets[@]}"; do
    corpus=$out/corpus/$t
    mkdir -p "$corpus"
    [[ -d $root/tests/fuzz/seeds/$t ]] && cp -n "$root/tests/fuzz/seeds/$t"/* "$corpus"/ 2>/dev/null || true
    nice -n 10 "$out/$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$out/$t-" "$corpus" 2>&1 | tail -n 12 | tee "$out/$t.log"
  done
fi
