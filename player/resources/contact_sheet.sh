#!/usr/bin/env bash
# Writes a PNG contact sheet of the panel bitmaps and icons, four times
# enlarged, for checking the pixel art: contact_sheet.sh [out.png]
# Needs ImageMagick.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$(realpath -m "${1:-contact-sheet.png}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$here/bitmaps"
for icon in *.ico; do
    convert "${icon}[0]" "$work/${icon%.ico}_32.png"
    convert "${icon}[1]" "$work/${icon%.ico}_16.png"
done
montage -font DejaVu-Sans -pointsize 11 -label '%t' ./*.bmp "$work"/*.png \
    -filter point -resize 400% -background '#202020' -fill white \
    -geometry +10+10 -tile 6x "$out"
