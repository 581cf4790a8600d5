#!/bin/bash
# Output hashes of quorel-decode on every test stream under every option set, one
# line "stream reduction conversion md5" each. Two builds compute the same bits when
# their lists are identical:
#   scripts/decoder-hashes.sh > native.txt
#   DECODE="/usr/lib/wine/wine64 build/win64/tools/decode/quorel-decode.exe" \
#       scripts/decoder-hashes.sh > win64.txt && diff native.txt win64.txt
# Environment: DECODE (the decoder command, default build/native's quorel-decode),
# EXTRA (more stream files, e.g. the long benchmark streams).
set -eu # a refused stream hashes its empty output

root=$(cd "$(dirname "$0")/.." && pwd)
decode=${DECODE:-$root/build/native/tools/decode/quorel-decode}
data=$root/tests/data/decoder

# reduction conversion: both channels, mix, left, right, 8-bit, 8-bit mix, reduced rates.
options=("0 0" "0 1" "0 2" "0 3" "0 8" "0 9" "1 0" "2 0" "1 9")

cd "$data"
for stream in *.bit fixtures/*.mp3 fixtures/*.mp2 robust/*.bit robust/*.mp3 ${EXTRA:-}; do
    for option in "${options[@]}"; do
        read -r reduction conversion <<< "$option"
        hash=$($decode --raw --reduction "$reduction" --conversion "$conversion" "$stream" - \
                   2>/dev/null | md5sum | cut -d' ' -f1)
        echo "$stream $reduction $conversion $hash"
    done
done
