#!/usr/bin/env bash
# Reads version-2 cards as a reader of version 1 does, with the record's
# rules alone (marker, record, separator, then the poster to the end of the
# file): each field shows its Windows-1252 form, and the poster, extension
# and all, decodes with ImageMagick to the same pixels as the picture alone,
# in each format a poster may have.
#
#   tools/check-versionone.sh [BUILD]   BUILD: build by default
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
install_missing_packages imagemagick python3

build=${1:-build}
[ -x "$build/cinefiche-card" ] || cmake --build "$build" --target cinefiche-card >/dev/null
tool=$(realpath "$build/cinefiche-card")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pixels() { convert "$1" -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }

convert -size 120x80 gradient:navy-gold -rotate 15 "$work/base.png"
failed=0
for format in jpg png gif bmp webp tiff; do
    picture=$work/poster.$format
    convert "$work/base.png" "$picture"
    "$tool" new titre='Andreï Roublev (Андрей Рублёв)' realisateur='Krzysztof Kieślowski' \
        acteurs='Dvořák|Anna Karina' note=9 etiquettes='à revoir' --poster "$picture" "$work/card.cfh"
    python3 - "$work/card.cfh" "$work/seen.$format" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
assert data[:7] == b"@CNFCH@", "marker"
record = data[7:1175]
def field(offset, width):
    return record[offset:offset + width].decode("cp1252").rstrip(" ")
expected = {"titre": (0, 50, "Andreï Roublev (Andrej Rublev)"),
            "realisateur": (108, 50, "Krzysztof Kieslowski"),
            "acteurs": (158, 510, "Dvorák|Anna Karina|")}
for key, (offset, width, text) in expected.items():
    assert field(offset, width) == text, (key, field(offset, width))
open(sys.argv[2], "wb").write(data[1176:])
PY
    if [ "$(pixels "$work/seen.$format")" != "$(pixels "$picture")" ]; then
        echo "$format : l'affiche lue par une version 1 diffère de l'image seule" >&2
        failed=1
    fi
    rm "$work/card.cfh"
done
[ $failed -eq 0 ] && echo "Fiches de version 2 lues comme une version 1 : champs et affiches (JPEG, PNG, GIF, BMP, WebP, TIFF) justes"
exit $failed
