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

# The tray's settings dialog and log viewer: page icons (32 by 32) and the help button.
# General settings: three sliders.
convert -size 32x32 xc:none \
    -stroke '#555555' -strokewidth 2 -draw "line 4,8 28,8" -draw "line 4,16 28,16" -draw "line 4,24 28,24" \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 \
    -draw "rectangle 17,4 22,12" -draw "rectangle 7,12 12,20" -draw "rectangle 20,20 25,28" \
    -depth 8 settings-general.png
# Log settings: a page of lines with a blue check.
convert -size 32x32 xc:none \
    -fill white -stroke '#555555' -strokewidth 1 -draw "polygon 5,2 20,2 26,8 26,30 5,30" \
    -stroke '#8aa4c8' -draw "line 9,10 22,10" -draw "line 9,14 22,14" -draw "line 9,18 18,18" \
    -fill none -stroke '#1f5fa8' -strokewidth 3 -draw "stroke-linejoin round stroke-linecap round polyline 14,24 18,28 29,17" \
    -depth 8 settings-log.png
# Snapshot viewer: a camera.
convert -size 32x32 xc:none \
    -fill '#424242' -stroke '#212121' -strokewidth 1 -draw "roundrectangle 2,9 29,27 3,3" -draw "rectangle 10,5 20,9" \
    -fill '#8aa4c8' -stroke white -strokewidth 2 -draw "circle 16,18 16,12" \
    -fill '#e8b940' -stroke none -draw "rectangle 24,12 27,14" \
    -depth 8 snapshot-viewer.png
# Log viewer: a page of lines under a magnifier.
convert -size 32x32 xc:none \
    -fill white -stroke '#555555' -strokewidth 1 -draw "polygon 3,2 17,2 23,8 23,29 3,29" \
    -stroke '#8aa4c8' -draw "line 7,9 18,9" -draw "line 7,13 18,13" -draw "line 7,17 14,17" \
    -fill '#d6e4f5c0' -stroke '#1f5fa8' -strokewidth 3 -draw "circle 19,20 19,14" \
    -stroke '#123a66' -strokewidth 4 -draw "stroke-linecap round line 24,25 29,30" \
    -depth 8 log-viewer.png
# Help: a white question mark on a blue disc.
convert -size 22x22 xc:none \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 -draw "circle 11,11 11,1" \
    -fill none -stroke white -strokewidth 2.5 -draw "stroke-linecap round stroke-linejoin round path 'M 7.5,8 A 3.5,3.5 0 1 1 12.8,11 L 11,12.5 L 11,13.5'" \
    -fill white -stroke none -draw "circle 11,17 11,15.6" \
    -depth 8 help.png
# OK: a green check.
convert -size 22x22 xc:none \
    -fill none -stroke '#1b6e20' -strokewidth 5 -draw "stroke-linejoin round stroke-linecap round polyline 4,12 9,17 18,5" \
    -stroke '#43a047' -strokewidth 3 -draw "stroke-linejoin round stroke-linecap round polyline 4,12 9,17 18,5" \
    -depth 8 ok.png
