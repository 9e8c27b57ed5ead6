#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT
# Draws TALLYWICK's artwork with ImageMagick and writes it next to this script:
#   tallywick.png                    32x32 program icon (green dollar sign)
#   tallywick.ico                    Windows icon with 16, 32 and 48 px images
#   icons/hicolor/NxN/apps/tallywick.png   desktop icons, N = 16 ... 256
#   picture1.gif ... picture4.gif    the four card-brand pictures of the
#                                    main window (interlaced GIF, <= 128 colours,
#                                    one transparent colour for the corners)
#
# Every image is drawn at its final size (from drawing primitives, a font
# glyph, or for the 16 px icon a pixel map), so nothing is a blurry upscale
# of a smaller bitmap.  Running the script again
# overwrites the files with identical output.
#
# Re-run it from anywhere with:
#   bash assets/make-artwork.sh
# It needs ImageMagick 6 or 7 (convert/magick) and the DejaVu fonts
# (Debian: apt-get install imagemagick fonts-dejavu-core fonts-dejavu-extra).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

if command -v magick >/dev/null 2>&1; then
    im=(magick)
else
    im=(convert)
fi

font_dir=/usr/share/fonts/truetype/dejavu
font_bold="$font_dir/DejaVuSans-Bold.ttf"
font_cond="$font_dir/DejaVuSansCondensed-Bold.ttf"
font_cond_oblique="$font_dir/DejaVuSansCondensed-BoldOblique.ttf"
for f in "$font_bold" "$font_cond" "$font_cond_oblique"; do
    if [[ ! -r "$f" ]]; then
        echo "make-artwork.sh: missing font $f (install fonts-dejavu-core and fonts-dejavu-extra)" >&2
        exit 1
    fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Keep PNG output byte-for-byte stable between runs: no time stamps.
# shellcheck disable=SC2054  # the comma belongs to the -define value
png_opts=(-strip -define png:exclude-chunks=date,time)

# ---------------------------------------------------------------------------
# Program icon: a bright green dollar sign with a dark outline on a
# transparent background.
# ---------------------------------------------------------------------------
sign_fill='#00FF00'
sign_edge='#003000'

# At 16x16 a font glyph turns to mush, so the smallest sign is drawn pixel by
# pixel (G = green body; the outline is added below like at the other sizes).
cat > "$work/sign16.xpm" <<'XPM'
/* XPM */
static char *sign16[] = {
"16 16 2 1",
". c None",
"G c #00FF00",
"................",
"........G.......",
"......GGGGG.....",
".....GGGGGGG....",
"....GG..G..GG...",
"....GG..G.......",
".....GGGG.......",
"......GGGGG.....",
"........GGGG....",
"........G..GG...",
"....GG..G..GG...",
".....GGGGGGG....",
"......GGGGG.....",
"........G.......",
"........G.......",
"................"
};
XPM

# make_sign SIZE OUTFILE
make_sign() {
    local n="$1" out="$2"
    local edge pointsize aa
    if (( n <= 32 )); then
        edge=1
        aa=(+antialias)      # crisp, few-colour look at the small sizes
    else
        edge=$(( (n + 12) / 24 ))
        aa=(-antialias)
    fi
    # DejaVu Sans Bold's "$" is about 0.92 of the point size tall; leave
    # room for the outline on both ends.
    pointsize=$(( (n - 2 * edge) * 100 / 93 ))

    if (( n == 16 )); then
        "${im[@]}" "$work/sign16.xpm" -fill "$sign_fill" -colorize 100 \
            "PNG32:$work/glyph.png"
    else
        "${im[@]}" -size $((n * 2))x$((n * 2)) xc:none "${aa[@]}" \
            -font "$font_bold" -pointsize "$pointsize" -fill "$sign_fill" \
            -gravity center -annotate +0+0 '$' -trim +repage \
            -bordercolor none -border "$edge" "$work/glyph.png"
    fi

    if (( n <= 32 )); then
        # hard edges: no partly transparent pixels
        "${im[@]}" "$work/glyph.png" -channel A -threshold 50% +channel \
            "$work/glyph.png"
    fi

    # The outline is the glyph's shape grown by EDGE pixels, painted dark.
    "${im[@]}" "$work/glyph.png" -alpha extract \
        -morphology Dilate "Disk:$edge" \
        -background "$sign_edge" -alpha shape "$work/edge.png"

    "${im[@]}" "$work/edge.png" "$work/glyph.png" -compose over -composite \
        -background none -gravity center -extent "${n}x${n}" \
        "${png_opts[@]}" "PNG32:$out"
}

for n in 16 32 48 64 128 256; do
    mkdir -p "$here/icons/hicolor/${n}x${n}/apps"
    make_sign "$n" "$here/icons/hicolor/${n}x${n}/apps/tallywick.png"
done
cp "$here/icons/hicolor/32x32/apps/tallywick.png" "$here/tallywick.png"

"${im[@]}" "$here/icons/hicolor/16x16/apps/tallywick.png" \
    "$here/icons/hicolor/32x32/apps/tallywick.png" \
    "$here/icons/hicolor/48x48/apps/tallywick.png" \
    "$here/tallywick.ico"

# ---------------------------------------------------------------------------
# Card pictures.  Each card is drawn opaque, reduced to 127 colours without
# dithering, and then given transparent rounded corners, which the GIF writer
# stores as the one transparent palette entry (128 entries at most).  The
# pictures are written interlaced.  The transparent entry carries a magenta
# key colour that nothing on the cards uses.
# ---------------------------------------------------------------------------
corner=3
key_colour='#FF00FF'

# finish_card SOURCE.png OUTFILE.gif WIDTH HEIGHT
finish_card() {
    local src="$1" out="$2" w="$3" h="$4"
    "${im[@]}" -size "${w}x${h}" xc:black -fill white \
        -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) $corner,$corner" \
        -threshold 50% "$work/mask.png"
    "${im[@]}" "$src" -alpha off +dither -colors 127 \
        "$work/mask.png" -alpha off -compose CopyOpacity -composite \
        -transparent-color "$key_colour" -interlace GIF "GIF:$out"
}

# card_edge WIDTH HEIGHT: draw arguments for the card's thin border
card_edge() {
    echo "roundrectangle 0,0 $(($1 - 1)),$(($2 - 1)) $corner,$corner"
}

# picture1.gif, 56x35: green charge card, AMEX across a dark band at the top
# and a portrait medallion (a head in profile) in the middle.
medal=19
"${im[@]}" -size "${medal}x${medal}" xc:'#D6EBDA' -fill '#2F6B43' \
    -draw "ellipse 8,19.5 8,5 0,360" \
    -draw "polygon 6,10 11,11 11,15.5 5,15.5" \
    -draw "circle 9,8 9,4" \
    -draw "polygon 12,6.5 14.8,10 12,10.5" \
    -draw "polygon 12,11 12.5,12.5 10,12.5" \
    -draw "polygon 4.5,8 6,3 10,2 13,4 8,4.5 6,7 5.5,10" \
    "$work/medal-face.png"
"${im[@]}" -size "${medal}x${medal}" xc:black -fill white \
    -draw "circle 9,9 9,0.3" "$work/medal-mask.png"
# Cut the face round and put a one-pixel rim around it.
"${im[@]}" "$work/medal-face.png" "$work/medal-mask.png" -alpha off \
    -compose CopyOpacity -composite \
    \( +clone -alpha extract -morphology EdgeOut Disk:1 \
       -background '#2F6B43' -alpha shape \) \
    -compose over -composite "$work/medal.png"

w=56 h=35
"${im[@]}" -size "${w}x${h}" gradient:'#8CC09A'-'#4E8A5E' \
    -fill '#2F6B43' -draw "rectangle 0,0 $w,10" \
    -fill white -font "$font_cond" -pointsize 10 \
    -gravity north -annotate +0+1 'AMEX' -gravity none \
    "$work/medal.png" -geometry +18+13 -compose over -composite \
    -fill none -stroke '#1E4A2D' -draw "$(card_edge $w $h)" \
    "$work/card1.png"
finish_card "$work/card1.png" "$here/picture1.gif" $w $h

# picture2.gif, 57x35: white card with overlapping red and orange discs and
# the brand word underneath.
w=57 h=35
left_disc="circle 22,12.5 22,3"
right_disc="circle 34,12.5 34,3"
"${im[@]}" -size "${w}x${h}" xc:white \
    \( -size "${w}x${h}" xc:none -fill '#EB001B' -draw "$left_disc" \) \
    -compose over -composite \
    \( -size "${w}x${h}" xc:none -fill '#F79E1B' -draw "$right_disc" \) \
    -compose over -composite \
    \( -size "${w}x${h}" xc:none -fill '#FF5F00' -draw "$right_disc" \
       \( -size "${w}x${h}" xc:none -fill black -draw "$left_disc" \) \
       -compose DstIn -composite \) \
    -compose over -composite \
    -fill '#222222' -font "$font_cond" -pointsize 8 \
    -gravity south -annotate +0+3 'MasterCard' -gravity none \
    -fill none -stroke '#9A9A9A' -draw "$(card_edge $w $h)" \
    "$work/card2.png"
finish_card "$work/card2.png" "$here/picture2.gif" $w $h

# picture3.gif, 56x35: dark blue band at the top, the brand word on white,
# orange band at the bottom.
w=56 h=35
"${im[@]}" -size "${w}x${h}" xc:white \
    -fill '#1A1F71' -draw "rectangle 0,0 $w,8" \
    -fill '#F7B600' -draw "rectangle 0,27 $w,$h" \
    -fill '#1A1F71' -font "$font_cond_oblique" -pointsize 14 \
    -gravity center -annotate +0+0 'VISA' -gravity none \
    -fill none -stroke '#8A8A9A' -draw "$(card_edge $w $h)" \
    "$work/card3.png"
finish_card "$work/card3.png" "$here/picture3.gif" $w $h

# picture4.gif, 55x35: black card, brand word in orange, and a card-number
# line of four groups of four embossed digits.
w=55 h=35
digits=""
for group in 0 1 2 3; do
    for digit in 0 1 2 3; do
        x=$(( 3 + group * 13 + digit * 3 ))
        digits+="rectangle $x,23 $((x + 1)),26 "
    done
done
"${im[@]}" -size "${w}x${h}" gradient:'#2A2A2A'-'#050505' \
    -fill '#FF6000' -font "$font_cond" -pointsize 9 \
    -gravity north -annotate +0+6 'DISCOVER' -gravity none \
    -fill '#D0D0D0' -draw "$digits" \
    -fill none -stroke '#444444' -draw "$(card_edge $w $h)" \
    "$work/card4.png"
finish_card "$work/card4.png" "$here/picture4.gif" $w $h
