#!/usr/bin/env bash
# Renders data/icons/brimel.svg into the committed rasters: the four images of the program's
# icon (16x16 and 32x32, each in 16 and 256 colours), the Windows .ico holding them, and the
# freedesktop hicolor sizes. Needs librsvg2-bin and imagemagick.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 16 32; do
  rsvg-convert -w $size -h $size brimel.svg -o "$work/$size.png"
  for colours in 16 256; do
    # Palette images: transparency is a palette entry of its own.
    "$convert" "$work/$size.png" -channel A -threshold 50% +channel \
      -colors $colours -define png:format=png8 "PNG8:brimel-$size-${colours}c.png"
  done
done
# Palette images in, so the .ico holds 4-bit and 8-bit bitmaps as the design's four images are.
"$convert" \( brimel-16-16c.png -type Palette \) \( brimel-16-256c.png -type Palette \) \
  \( brimel-32-16c.png -type Palette \) \( brimel-32-256c.png -type Palette \) brimel.ico

for size in 48 64 128 256; do
  mkdir -p "hicolor/${size}x${size}"
  rsvg-convert -w $size -h $size brimel.svg -o "hicolor/${size}x${size}/brimel.png"
done
echo "icons rendered in $(pwd)"
