#!/usr/bin/env bash
# Builds the sample cards from their texts and a poster drawn here:
# a card is "@CNFCH@", the eight fields (Windows-1252, padded with spaces
# to 50, 4, 2, 2, 50, 50, 510 and 500 bytes), the byte 0xA9, then the poster.
# Needs iconv and ImageMagick's convert.
set -euo pipefail
cd "$(dirname "$0")"
export LC_ALL=C

field() {   # text, width
    local bytes
    bytes=$(printf '%s' "$1" | iconv -f UTF-8 -t CP1252)
    printf '%-*.*s' "$2" "$2" "$bytes"
}

card() {   # output, poster file or "", then the eight fields
    local out=$1 poster=$2
    {
        printf '@CNFCH@'
        field "$3" 50; field "$4" 4; field "$5" 2; field "$6" 2
        field "$7" 50; field "$8" 50; field "$9" 510; field "${10}" 500
        printf '\251'
        if [ -n "$poster" ]; then cat "$poster"; fi
    } > "$out"
}

poster=$(mktemp --suffix=.jpg)
trap 'rm -f "$poster"' EXIT
convert -size 240x360 gradient:'#1d3557-#e9c46a' \
    -fill '#f1faee' -draw 'circle 170,90 170,120' \
    -fill '#264653' -draw 'polygon 0,360 0,250 60,200 120,240 180,190 240,230 240,360' \
    -fill '#2a2a2a' -draw 'rectangle 96,150 112,260' -draw 'polygon 90,150 118,150 104,128' \
    -fill '#ffd166' -draw 'polygon 104,140 240,110 240,170' \
    -fill '#f1faee' -font DejaVu-Sans-Bold -pointsize 22 -gravity south -annotate +0+24 'LE PHARE' \
    -quality 70 -strip "$poster"

card le-phare-des-brumes.cfh "$poster" \
    "Le Phare des brumes" 1998 " 1" 47 "Drame" "Hélène Marchal" \
    "Louis Garnier|Clara Vidal|Étienne Roux|Margot Lenoir|" \
    "Sur une île bretonne battue par les vents, le dernier gardien de phare voit arriver une jeune ingénieure chargée d'automatiser la lumière. Entre méfiance et tempêtes d'équinoxe, ils découvrent le journal de bord d'un naufrage que personne sur l'île ne veut raconter."

# A wide poster ends above the summary, which then runs across the window.
convert -size 360x200 gradient:'#03045e-#48cae4' \
    -fill '#caf0f8' -draw 'polygon 40,150 320,150 290,175 70,175' -draw 'rectangle 150,70 160,150' \
    -fill '#ffffff' -draw 'polygon 162,75 162,140 230,140' \
    -quality 70 -strip "$poster"

card la-longue-traversee.cfh "$poster" \
    "La Longue Traversée" 2011 " 2" "05" "Aventure" "Yves Castel" \
    "Anaïs Morel|Bruno Lefort|" \
    "Trois amis d'enfance achètent un vieux voilier pour traverser l'Atlantique sans jamais avoir quitté la Manche. Les pannes, les disputes et une escale imprévue aux Açores mettent leur amitié à l'épreuve, tandis qu'un carnet trouvé dans la cale révèle l'histoire du premier propriétaire du bateau, parti lui aussi un jour de printemps et jamais revenu. Une comédie douce-amère sur l'âge adulte, les promesses que l'on se fait à vingt ans et le courage de les tenir."

card sans-affiche.cfh "" \
    "La Valise oubliée" 2004 " 1" 32 "Comédie" "Paul Ferrand" \
    "Sophie Aubert|Marc Delorme|" \
    "Un employé des objets trouvés ouvre une valise qui n'aurait jamais dû rester en gare."
