#!/bin/bash
# Decoder speed benchmark: quorel-decode against mpg123 and minimp3 on the same files,
# measured in the same run, runs of the three interleaved. Prints per stream the median
# CPU time (user + system) of RUNS runs, each decoding the file REPEAT times to
# /dev/null, and the ratios ours / mpg123 and ours / minimp3. Then the variants against
# mpg123 alone (minimp3 has neither): half and quarter rate (mpg123 -2, -4) and the mix
# to one channel (mpg123 -m).
#
# Usage: scripts/bench-decoder.sh [BUILD_DIR]   (default build/native)
# Environment: MINIMP3 (a minimp3 checkout; its column is left out without one),
# VECTORS (default /work/shared/vectors), RUNS (default 11), REPEAT (times each file is
# decoded per measurement; default about 64 MB of stream, 1 to 20 times).
#
# minimp3 is a peer for measurement only: it is compiled here from MINIMP3 into the
# temporary directory (gcc -O2, its default SSE2 path) behind a reader with the same
# fixed 64 KiB buffer as quorel-decode, and never ships.
#
# The long streams are made on the fly from 120 s of repeatable stereo pink noise and a
# tone: Layer III by LAME at 320 kbit/s (MPEG-1) and 64 kbit/s at 22.05 kHz (MPEG-2),
# Layer II by twolame at 384 kbit/s; the Layer I stream repeats the joint-stereo
# conformance stream l1-fl2 (384 kbit/s, 44.1 kHz, 0.43 s) 280 times.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
vectors=${VECTORS:-/work/shared/vectors}
runs=${RUNS:-11}
tool=$build/tools/decode/quorel-decode

for program in mpg123 sox lame twolame gcc /usr/bin/time; do
    command -v "$program" >/dev/null || { echo "missing: $program" >&2; exit 1; }
done
[ -x "$tool" ] || cmake --build "$build" --target quorel-decode

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -R -n -r 44100 -c 2 -b 16 "$work/long.wav" synth 120 pinknoise sine 440 vol 0.5
lame --quiet -t -b 320 "$work/long.wav" "$work/l3-320k.mp3"
lame --quiet -t --resample 22.05 -b 64 "$work/long.wav" "$work/l3-mpeg2-64k.mp3"
twolame --quiet -b 384 "$work/long.wav" "$work/l2-384k.mp2"
rm "$work/long.wav"
for ((i = 0; i < 280; i++)); do cat "$root/tests/data/decoder/l1-fl2.bit"; done > "$work/l1-384k.mp1"

minimp3=""
if [ -n "${MINIMP3:-}" ]; then
    cat > "$work/minimp3-decode.c" <<'CODE'
#define MINIMP3_IMPLEMENTATION
#include "minimp3.h"
#include <stdio.h>
#include <string.h>
/* minimp3-decode INPUT: raw 16-bit PCM to standard output, input through a fixed buffer. */
int main(int argc, char **argv) {
    static unsigned char buffer[65536];
    static mp3d_sample_t pcm[MINIMP3_MAX_SAMPLES_PER_FRAME];
    mp3dec_t decoder;
    mp3dec_frame_info_t info;
    size_t held = 0, begin = 0;
    int eof = 0;
    FILE *file = argc > 1 ? fopen(argv[1], "rb") : NULL;
    if (!file) return 1;
    mp3dec_init(&decoder);
    for (;;) {
        if (!eof && held - begin < 16384) {
            memmove(buffer, buffer + begin, held - begin);
            held -= begin;
            begin = 0;
            size_t got = fread(buffer + held, 1, sizeof(buffer) - held, file);
            held += got;
            eof = got == 0;
        }
        if (held == begin) break;
        int samples = mp3dec_decode_frame(&decoder, buffer + begin, (int)(held - begin), pcm, &info);
        if (info.frame_bytes == 0) break;
        begin += (size_t)info.frame_bytes;
        if (samples) fwrite(pcm, sizeof(mp3d_sample_t), (size_t)(samples * info.channels), stdout);
    }
    fclose(file);
    return 0;
}
CODE
    gcc -O2 -I"$MINIMP3" -o "$work/minimp3-decode" "$work/minimp3-decode.c" -lm
    minimp3=$work/minimp3-decode
fi

# CPU seconds (user + system) for REPEAT runs of the command; "-" when it fails (mpg123
# refuses a quarter of 22.05 kHz).
cpu_time() {
    local repeat=$1
    shift
    if /usr/bin/time -f "%U %S" -o "$work/time" bash -c \
        'for ((i = 0; i < $0; i++)); do "$@" > /dev/null 2>&1 || exit 1; done' "$repeat" "$@"; then
        awk '{ printf "%.3f\n", $1 + $2 }' "$work/time"
    else
        echo "-"
    fi
}

median() { sort -n "$1" | sed -n "$(( ($(wc -l < "$1") + 1) / 2 ))p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }'; }

# bench NAME FILE REPEAT "label:command args" ...: interleaved runs, one median each;
# prints the medians and each ratio of the first command to the others. The word FILE
# in a command stands for the stream.
bench() {
    local name=$1 file=$2 repeat=$3
    shift 3
    local i r
    for ((i = 0; i < $#; i++)); do : > "$work/runs$i"; done
    for ((r = 0; r < runs; r++)); do
        i=0
        for entry in "$@"; do
            local command=${entry#*:}
            # shellcheck disable=SC2086
            cpu_time "$repeat" ${command//FILE/$file} >> "$work/runs$i"
            i=$((i + 1))
        done
    done
    local line first="" m
    line=$(printf "%-24s %3d" "$name" "$repeat")
    i=0
    for entry in "$@"; do
        m=$(median "$work/runs$i")
        line+=$(printf " | %-8s %7s s" "${entry%%:*}" "$m")
        if [ -z "$first" ]; then first=$m; else line+=$(printf " %5s" "$(ratio "$first" "$m")"); fi
        i=$((i + 1))
    done
    echo "$line"
}

streams=("$vectors"/speed/*.mp3 "$work/l3-320k.mp3" "$work/l3-mpeg2-64k.mp3" "$work/l2-384k.mp2"
         "$work/l1-384k.mp1")
# Each measurement decodes about 64 MB of stream (at least once, at most 20 times):
# CPU time comes in 10 ms steps, and a Layer II stream decodes at about 100 MB/s.
repeat_of() {
    local size repeat
    size=$(stat -c %s "$1")
    repeat=$(( 64000000 / size ))
    repeat=$(( repeat < 1 ? 1 : (repeat > 20 ? 20 : repeat) ))
    echo "${REPEAT:-$repeat}"
}

echo "CPU seconds, median of $runs interleaved runs; a ratio is ours / that decoder's"
echo "== full rate, 16-bit, both channels"
for stream in "${streams[@]}"; do
    peers=("mpg123:mpg123 -q -s FILE")
    [ -n "$minimp3" ] && peers+=("minimp3:$minimp3 FILE")
    bench "$(basename "$stream")" "$stream" "$(repeat_of "$stream")" "quorel:$tool --raw FILE -" "${peers[@]}"
done
echo "== half rate, quarter rate, mix to one channel (against mpg123 -2, -4, -m)"
for stream in "$work/l3-320k.mp3" "$work/l3-mpeg2-64k.mp3" "$work/l2-384k.mp2" "$work/l1-384k.mp1"; do
    repeat=$(repeat_of "$stream")
    bench "$(basename "$stream") half" "$stream" "$repeat" "quorel:$tool --raw --reduction 1 FILE -" "mpg123:mpg123 -q -s -2 FILE"
    bench "$(basename "$stream") quarter" "$stream" "$repeat" "quorel:$tool --raw --reduction 2 FILE -" "mpg123:mpg123 -q -s -4 FILE"
    bench "$(basename "$stream") mix" "$stream" "$repeat" "quorel:$tool --raw --conversion 1 FILE -" "mpg123:mpg123 -q -s -m FILE"
done
