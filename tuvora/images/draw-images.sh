#!/bin/sh
# Draws the policy list window's button images with ImageMagick (22 by 22). The PNG
# files are kept in the repository; run this again only to change them.
set -e
cd "$(dirname "$0")"

page="-fill white -stroke #555555 -strokewidth 1"

# New: a page with a green plus.
convert -size 22x22 xc:none $page -draw "polygon 4,2 13,2 17,6 17,20 4,20" \
    -stroke '#2e7d32' -strokewidth 3 -draw "line 14,11 14,19" -draw "line 10,15 18,15" \
    -depth 8 new.png

# Edit: a page with a pencil across it.
convert -size 22x22 xc:none $page -draw "polygon 3,2 12,2 16,6 16,20 3,20" \
    -fill '#e0a800' -stroke '#7a5b00' -draw "polygon 8,17 18,5 21,8 11,20 7,21" \
    -depth 8 edit.png

# Remove: a page with a red bar.
convert -size 22x22 xc:none $page -draw "polygon 4,2 13,2 17,6 17,20 4,20" \
    -stroke '#c62828' -strokewidth 3 -draw "line 9,15 20,15" \
    -depth 8 remove.png

# Copy: two pages, one over the other.
convert -size 22x22 xc:none $page -draw "rectangle 2,2 12,15" -draw "rectangle 8,7 19,20" \
    -stroke '#8aa4c8' -draw "line 10,11 17,11" -draw "line 10,14 17,14" -draw "line 10,17 15,17" \
    -depth 8 copy.png

# Activate: a green check in a circle.
convert -size 22x22 xc:none -fill '#2e7d32' -stroke '#1b4d1e' -strokewidth 1 -draw "circle 11,11 11,2" \
    -fill none -stroke white -strokewidth 3 -draw "polyline 6,11 10,15 16,7" \
    -depth 8 activate.png

# Export: a blue arrow leaving a tray.
convert -size 22x22 xc:none -fill '#9e9e9e' -stroke '#424242' -strokewidth 1 -draw "rectangle 2,14 19,19" \
    -fill '#1f5fa8' -stroke none -draw "polygon 9,13 9,7 5,7 11,1 17,7 13,7 13,13" \
    -depth 8 export.png

# Import: a blue arrow coming down into a tray.
convert -size 22x22 xc:none -fill '#9e9e9e' -stroke '#424242' -strokewidth 1 -draw "rectangle 2,14 19,19" \
    -fill '#1f5fa8' -stroke none -draw "polygon 9,1 13,1 13,7 17,7 11,13 5,7 9,7" \
    -depth 8 import.png

# About: a white "i" in a blue circle.
convert -size 22x22 xc:none -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 -draw "circle 11,11 11,2" \
    -fill white -stroke none -draw "circle 11,6 11,4.5" -draw "rectangle 10,9 12,16" \
    -depth 8 about.png

# Help: a white question mark in a green circle.
convert -size 22x22 xc:none -fill '#2e7d32' -stroke '#1b4d1e' -strokewidth 1 -draw "circle 11,11 11,2" \
    -fill none -stroke white -strokewidth 2 -draw "path 'M 8,8 C 8,4 14,4 14,8 C 14,11 11,11 11,13'" \
    -fill white -stroke none -draw "circle 11,16 11,15" \
    -depth 8 help.png

# OK of the name dialog: a green check.
convert -size 22x22 xc:none -fill none -stroke '#2e7d32' -strokewidth 4 \
    -draw "stroke-linejoin round stroke-linecap round polyline 4,11 9,16 18,5" \
    -depth 8 ok.png
