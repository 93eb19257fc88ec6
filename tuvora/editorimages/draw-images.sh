#!/bin/sh
# Draws the policy editor's built-in images with ImageMagick. The PNG files are kept in
# the repository; run this again only to change them. Each is the fallback for a theme
# icon of the same purpose.
set -e
cd "$(dirname "$0")"

# Settings: three sliders.
convert -size 22x22 xc:none \
    -stroke '#555555' -strokewidth 2 -draw "line 3,5 19,5" -draw "line 3,11 19,11" -draw "line 3,17 19,17" \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 \
    -draw "rectangle 12,2 15,8" -draw "rectangle 5,8 8,14" -draw "rectangle 14,14 17,20" \
    -depth 8 settings.png

# Internet: a globe.
convert -size 22x22 xc:none \
    -fill '#4a90d9' -stroke '#1f4f80' -strokewidth 1 -draw "circle 11,11 11,2" \
    -fill none -stroke '#dfeeff' -draw "ellipse 11,11 4,9 0,360" -draw "line 2,11 20,11" \
    -draw "line 4,6 18,6" -draw "line 4,16 18,16" \
    -depth 8 internet.png

# Application: a program window.
convert -size 22x22 xc:none \
    -fill white -stroke '#444444' -strokewidth 1 -draw "rectangle 2,3 19,18" \
    -fill '#1f5fa8' -stroke none -draw "rectangle 3,4 18,7" \
    -fill '#8aa4c8' -draw "rectangle 5,10 10,15" -draw "rectangle 12,10 16,11" -draw "rectangle 12,13 16,14" \
    -depth 8 application.png

# The schedules: a calendar page, with a globe mark or a window mark.
calendar() {
    convert -size 22x22 xc:none \
        -fill white -stroke '#555555' -strokewidth 1 -draw "rectangle 2,4 19,19" \
        -fill '#c62828' -stroke none -draw "rectangle 3,5 18,8" \
        -fill '#555555' -draw "rectangle 6,2 7,6" -draw "rectangle 14,2 15,6" \
        -fill '#bbbbbb' -draw "rectangle 4,10 6,11" -draw "rectangle 8,10 10,11" -draw "rectangle 4,13 6,14" \
        -draw "rectangle 8,13 10,14" -draw "rectangle 4,16 6,17" -draw "rectangle 8,16 10,17" \
        "$@"
}
calendar -fill '#4a90d9' -stroke '#1f4f80' -draw "circle 15,15 15,11" \
    -fill none -stroke '#dfeeff' -draw "line 11,15 19,15" -depth 8 internet-schedule.png
calendar -fill white -stroke '#444444' -draw "rectangle 11,11 19,18" \
    -fill '#1f5fa8' -stroke none -draw "rectangle 12,12 18,13" -depth 8 application-schedule.png

# OK: a green check.
convert -size 22x22 xc:none \
    -fill none -stroke '#2e7d32' -strokewidth 4 \
    -draw "stroke-linejoin round stroke-linecap round polyline 4,12 9,17 18,5" \
    -depth 8 ok.png

# Help: a blue circle with a question mark.
convert -size 22x22 xc:none \
    -fill '#1f5fa8' -stroke '#123a66' -strokewidth 1 -draw "circle 11,11 11,2" \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 14 -gravity center -annotate +0+1 '?' \
    -depth 8 help.png

# An application whose menu entry names no icon the theme has: a plain program
# window at the tree's icon size.
convert -size 20x20 xc:none \
    -fill '#eeeeee' -stroke '#666666' -strokewidth 1 -draw "rectangle 2,3 17,16" \
    -fill '#8a8a8a' -stroke none -draw "rectangle 3,4 16,6" \
    -depth 8 application-generic.png
