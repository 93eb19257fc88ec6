#!/bin/sh
# Draws the tray's built-in image with ImageMagick. The PNG file is kept in the
# repository; run this again only to change it.
set -e
cd "$(dirname "$0")"

# The mark of the current control mode in the menu: a green check.
convert -size 16x16 xc:none \
    -fill none -stroke '#1b7f2a' -strokewidth 3 \
    -draw "stroke-linejoin round stroke-linecap round polyline 3,8 7,12 13,4" \
    -depth 8 apply.png
