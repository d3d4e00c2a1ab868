#!/bin/sh
# Draws the program's pictures from the SVG sources in src/ and rewrites ../icons.qrc.
#   src/treeN.svg       -> treeN.png (16 px) and treeN@2x.png (32 px): note tree pictures
#   src/qingjian*.svg   -> qingjian16/32/48/256.png: the application and tray icon (a simpler
#                          drawing for 16 and 32 px)
#   src/baguaLater.svg  -> baguaLater.png (251 x 249) and @2x: the Later-Heaven trigram picture
#                          (its labels need the font "WenQuanYi Micro Hei")
#   every other src/X.svg (drawn on a 32 px grid) -> X.png (32 px) with X@2x.png (64 px) for
#                          toolbars, and X16.png (16 px) with X16@2x.png (32 px) for menus
# Needs rsvg-convert (Debian package librsvg2-bin); ImageMagick's montage makes contact.png
# when it is installed. Run from anywhere: sh resources/icons/render.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

draw() { # source size target
    rsvg-convert -w "$2" -h "$2" "src/$1.svg" -o "$3"
}

for svg in src/*.svg; do
    name=$(basename "$svg" .svg)
    case "$name" in
    tree*)
        draw "$name" 16 "$name.png"
        draw "$name" 32 "$name@2x.png"
        ;;
    baguaLater)
        rsvg-convert -w 251 -h 249 src/baguaLater.svg -o baguaLater.png
        rsvg-convert -w 502 -h 498 src/baguaLater.svg -o baguaLater@2x.png
        ;;
    qingjian-small | qingjian-medium | qingjian-22 | qingjian-24) ;; # the hicolor sizes, drawn by the build
    qingjian)
        draw qingjian-small 16 qingjian16.png
        draw qingjian-medium 32 qingjian32.png
        for size in 48 256; do draw qingjian "$size" "qingjian$size.png"; done
        ;;
    *)
        draw "$name" 32 "$name.png"
        draw "$name" 64 "$name@2x.png"
        draw "$name" 16 "${name}16.png"
        draw "$name" 32 "${name}16@2x.png"
        ;;
    esac
done

# The resource list: prefix /icons, each file under its own name (":/icons/actSave.png"); the
# @2x files sit beside their 1x files so that Qt picks them on high-DPI screens.
qrc=../icons.qrc
{
    echo '<!DOCTYPE RCC>'
    echo '<RCC version="1.0">'
    echo '    <qresource prefix="/icons">'
    for png in $(ls *.png | LC_ALL=C sort); do
        [ "$png" = contact.png ] && continue
        echo "        <file alias=\"$png\">icons/$png</file>"
    done
    echo '    </qresource>'
    echo '</RCC>'
} >"$qrc"

# A contact sheet for looking at every picture at once (not part of the program).
if command -v montage >/dev/null 2>&1; then
    montage -background '#F0F0F0' -geometry +4+4 -tile 12x $(ls *.png | grep -v '@2x' | grep -v contact) /tmp/qingjian-icons-contact.png 2>/dev/null || true
fi
