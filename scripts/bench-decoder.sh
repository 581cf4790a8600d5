#!/bin/bash
# Decoder speed benchmark: quorel-decode against Debian's mpg123 on the same files,
# in the same run. Prints, per stream, the median wall and CPU time of several runs
# (each run decodes the file REPEAT times, so that short files give measurable
# times), the ratio against mpg123, the half and quarter rate times and the peak memory.
#
# Usage: scripts/bench-decoder.sh [BUILD_DIR]   (default build/native)
# Environment: VECTORS (default /work/shared/vectors), RUNS (default 5), LONG_REPEAT
# (times each long stream is decoded per run, default 1).
#
# The long streams are made on the fly from 120 s of repeatable stereo pink noise and
# a tone: Layer III by LAME at 320 kbit/s, Layer II by twolame at 384 kbit/s; the
# Layer I stream repeats the joint-stereo conformance stream l1-fl2 (384 kbit/s,
# 44.1 kHz, 0.43 s) 280 times, as no Layer I encoder is at hand:
#   sox -R -n -r 44100 -c 2 -b 16 long.wav synth 120 pinknoise sine 440 vol 0.5
#   lame -t -b 320 long.wav long-320k.mp3
#   twolame -b 384 long.wav long-384k.mp2
#   for i in $(seq 280); do cat tests/data/decoder/l1-fl2.bit; done > long-l1-fl2.mp1
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
vectors=${VECTORS:-/work/shared/vectors}
runs=${RUNS:-5}
tool=$build/tools/decode/quorel-decode

for program in mpg123 sox lame twolame /usr/bin/time; do
    command -v "$program" >/dev/null || { echo "missing: $program" >&2; exit 1; }
done
[ -x "$tool" ] || cmake --build "$build" --target quorel-decode

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -R -n -r 44100 -c 2 -b 16 "$work/long.wav" synth 120 pinknoise sine 440 vol 0.5
lame --quiet -t -b 320 "$work/long.wav" "$work/long-320k.mp3"
twolame --quiet -b 384 "$work/long.wav" "$work/long-384k.mp2"
rm "$work/long.wav"
for ((i = 0; i < 280; i++)); do cat "$root/tests/data/decoder/l1-fl2.bit"; done > "$work/long-l1-fl2.mp1"

# One measurement: "wall cpu maxrss_kb" for REPEAT runs of the command.
measure() {
    local repeat=$1
    shift
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
        bash -c 'for ((i = 0; i < $0; i++)); do "$@" > /dev/null 2>&1; done' "$repeat" "$@"
    awk '{ printf "%.3f %.3f %d\n", $1, $2 + $3, $4 }' "$work/time"
}

# Median wall time, median CPU time and peak memory over RUNS measurements.
median_of() {
    local repeat=$1
    shift
    for ((r = 0; r < runs; r++)); do measure "$repeat" "$@"; done > "$work/runs"
    local middle=$(( (runs + 1) / 2 ))
    echo "$(sort -n -k1 "$work/runs" | sed -n "${middle}p" | cut -d' ' -f1)" \
        "$(sort -n -k2 "$work/runs" | sed -n "${middle}p" | cut -d' ' -f2)" \
        "$(sort -n -k3 "$work/runs" | tail -1 | cut -d' ' -f3)"
}

printf "%-22s %6s | %-22s | %-22s | %7s %7s | %14s %14s\n" "stream" "repeat" \
    "mpg123 wall/cpu s" "quorel wall/cpu s" "ratio" "(cpu)" "half wall/cpu" "quarter w/c"
printf "%s\n" "(ratio = quorel / mpg123 at full rate, 16-bit stereo; memory = peak RSS in KB)"
# One line per stream: mpg123, quorel-decode at full, half and quarter rate.
bench_stream() {
    local stream=$1
    local name size repeat mwall mcpu mmem qwall qcpu qmem hwall hcpu rwall rcpu
    name=$(basename "$stream")
    size=$(stat -c %s "$stream")
    repeat=$(( size < 2000000 ? 20 : ${LONG_REPEAT:-1} ))
    read -r mwall mcpu mmem < <(median_of "$repeat" mpg123 -q -s "$stream")
    read -r qwall qcpu qmem < <(median_of "$repeat" "$tool" --raw "$stream" -)
    read -r hwall hcpu _ < <(median_of "$repeat" "$tool" --raw --reduction 1 "$stream" -)
    read -r rwall rcpu _ < <(median_of "$repeat" "$tool" --raw --reduction 2 "$stream" -)
    printf "%-22s %6d | %9s %9s    | %9s %9s    | %7.2f %7.2f | %6s %6s  %6s %6s\n" \
        "$name" "$repeat" "$mwall" "$mcpu" "$qwall" "$qcpu" \
        "$(awk -v a="$qwall" -v b="$mwall" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')" \
        "$(awk -v a="$qcpu" -v b="$mcpu" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')" \
        "$hwall" "$hcpu" "$rwall" "$rcpu"
    printf "%-22s peak memory: mpg123 %d KB, quorel-decode %d KB\n" "" "$mmem" "$qmem"
}

echo "== Layer III"
for stream in "$vectors"/speed/*.mp3 "$work/long-320k.mp3"; do bench_stream "$stream"; done
echo "== Layer II"
for stream in "$root"/tests/data/decoder/l2-fl11.bit "$work/long-384k.mp2"; do bench_stream "$stream"; done
echo "== Layer I"
for stream in "$root"/tests/data/decoder/l1-fl2.bit "$work/long-l1-fl2.mp1"; do bench_stream "$stream"; done
