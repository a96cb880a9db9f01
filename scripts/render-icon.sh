#!/usr/bin/env bash
# Renders the program's icon, data/icons/glyphwright.svg, into the 48 and 256 pixel PNGs beside it
# (the desktop's icon theme and the window use them). Run it after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 48 256; do
  rsvg-convert --width "$size" --height "$size" glyphwright.svg --output "glyphwright-$size.png"
done
