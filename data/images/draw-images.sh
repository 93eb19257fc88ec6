#!/bin/sh
# Draws the suite's built-in images with ImageMagick. The PNG files are kept in the
# repository; run this again only to change them.
set -e
cd "$(dirname "$0")"

# Product logo: a blue shield with a white check, the name beneath.
convert -size 256x200 xc:none \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 4 \
    -draw "path 'M 128,10 L 200,36 L 200,96 C 200,140 168,168 128,186 C 88,168 56,140 56,96 L 56,36 Z'" \
    -fill none -stroke white -strokewidth 14 -draw "stroke-linejoin round stroke-linecap round polyline 92,96 118,124 166,66" \
    -depth 8 logo.png

# Window icon: the shield alone, small.
convert -size 32x32 xc:none \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 \
    -draw "path 'M 16,2 L 28,6 L 28,15 C 28,22 23,27 16,30 C 9,27 4,22 4,15 L 4,6 Z'" \
    -fill none -stroke white -strokewidth 3 -draw "stroke-linejoin round stroke-linecap round polyline 10,15 14,20 22,10" \
    -depth 8 windowicon.png

# Login: a golden key.
convert -size 22x22 xc:none \
    -fill '#e0a800' -stroke '#7a5b00' -strokewidth 1 -draw "circle 7,11 7,5" \
    -fill '#7a5b00' -stroke none -draw "circle 6,11 6,9" \
    -fill '#e0a800' -stroke '#7a5b00' -draw "rectangle 12,10 20,12" -draw "rectangle 16,12 17,15" -draw "rectangle 19,12 20,15" \
    -depth 8 login.png

# Cancel: a red cross in a circle.
convert -size 22x22 xc:none \
    -fill '#c62828' -stroke '#7f1010' -strokewidth 1 -draw "circle 11,11 11,2" \
    -stroke white -strokewidth 3 -draw "line 7,7 15,15" -draw "line 15,7 7,15" \
    -depth 8 cancel.png

# Close: a grey door arrow.
convert -size 22x22 xc:none \
    -fill '#9e9e9e' -stroke '#424242' -strokewidth 1 -draw "rectangle 3,2 13,19" \
    -fill '#1f5fa8' -stroke none -draw "polygon 10,11 16,6 16,9 20,9 20,13 16,13 16,16" \
    -depth 8 close.png

# Help tree: closed folder, open folder, document (16 by 16).
convert -size 16x16 xc:none \
    -fill '#e8b940' -stroke '#8a6a10' -strokewidth 1 \
    -draw "polygon 1,3 6,3 7,5 14,5 14,13 1,13" \
    -depth 8 folder-closed.png
convert -size 16x16 xc:none \
    -fill '#c99a2a' -stroke '#8a6a10' -strokewidth 1 -draw "polygon 1,3 6,3 7,5 13,5 13,7 1,7" \
    -fill '#f4d36c' -draw "polygon 1,13 3,7 15,7 13,13" \
    -depth 8 folder-open.png
convert -size 16x16 xc:none \
    -fill white -stroke '#555555' -strokewidth 1 -draw "polygon 3,1 10,1 13,4 13,15 3,15" \
    -stroke '#8aa4c8' -draw "line 5,6 11,6" -draw "line 5,8 11,8" -draw "line 5,10 11,10" -draw "line 5,12 9,12" \
    -depth 8 document.png
