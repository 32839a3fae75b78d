#!/usr/bin/env bash
# Measures Cinefiche beside anchors, programs that do the same job with the
# least code, and prints a table: min / median / max of each side over runs
# that alternate the two, and the ratio of the medians. Every figure is taken
# from outside the programs (bench/firstpaint.c, bench/stopwatch.c).
#
#   bench/run.sh               rows 3 to 5 use cinefiche-card once it is built
#   bench/run.sh --drivers     they use bench/carddriver: the card library's calls alone
#   bench/run.sh --collection  rows 10 to 15 alone (find, show, catalogue over a
#                              tree); TREE_CARDS=1000 CATALOGUE_CARDS=100 for a quick look
#   bench/run.sh --window      rows 16 to 27 alone: the collection window on that tree
#   bench/run.sh --share       rows S alone: find and show over that tree on a network
#                              share made on this machine, at round trips of 0, 2 and
#                              5 ms (SHARE_RTTS); as root
#
# Windows open under Xvfb with openbox, as on a desktop. Inputs and outputs
# are in a new folder under /var/tmp, on disk, so that a save's fdatasync
# really reaches a disk; the folder is removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
source bench/inputs.sh
source bench/table.sh
source bench/collection.sh
source bench/collectionwindow.sh
source bench/sharerows.sh

STARTUP_RUNS=15
SAVE_RUNS=10
READ_RUNS=10
MANY_RUNS=20
THUMBNAIL_RUNS=15
MANY_CARDS=10000

build="build-bench"
bin=$build/bench
convert=/usr/bin/convert   # Debian's ImageMagick, whatever else PATH holds
use_drivers=no
only_collection=no
only_window=no
only_share=no
[ "${1:-}" = "--drivers" ] && use_drivers=yes
[ "${1:-}" = "--collection" ] && only_collection=yes
[ "${1:-}" = "--window" ] && only_window=yes
[ "${1:-}" = "--share" ] && only_share=yes

install_missing_packages xvfb openbox x11-utils dbus-daemon imagemagick libx11-dev libxdamage-dev libxtst-dev \
    openssh-server openssh-client sshfs
echo "Construction en Release dans $build..." >&2
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCINEFICHE_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >"$build/bench-build.log" || { tail -30 "$build/bench-build.log"; exit 1; }

# Rows 3 to 5 go through the card tool when it is built, else (or with
# --drivers) through bench/carddriver; rows 7 and 8 need the tool itself.
tool=$build/cinefiche-card
has_tool=no
[ -x "$tool" ] && has_tool=yes
card_rows=driver
[ $has_tool = yes ] && [ $use_drivers = no ] && card_rows=tool

work=$(mktemp -d /var/tmp/cinefiche-bench.XXXXXX)
out=$work/out
xvfb_pid=
wm_pid=
bus_pid=
cleanup() {
    local pid
    for pid in $bus_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    local mounted
    for mounted in "$work"/share-*; do
        [ -d "$mounted" ] && SHARE_STATE=$work/sshd share_unmount "$mounted"
    done
    rm -rf "$work"
}
trap cleanup EXIT

# The sides: each prints one measurement. Outputs are removed before a run,
# not during it, so that no side pays for replacing an older file.
startup() { "$bin/firstpaint" 30000 "$@"; }
viewer_cinefiche() { startup "$build/cinefiche" "$work/card-1mo.cfh"; }
viewer_anchor() { startup "$bin/vieweranchor" "$work/poster-1mo.jpg"; }
text_anchor() { startup "$bin/textanchor" "$work/poster-1mo.jpg"; }
editor_cinefiche() { startup "$build/cinefiche"; }
editor_anchor() { startup "$bin/editoranchor"; }
form_anchor() { startup "$bin/formanchor"; }

save_cinefiche() {
    rm -f "$out/saved.cfh"
    if [ $card_rows = tool ]; then
        "$bin/stopwatch" "$tool" new "titre=Banc d'essai" --poster "$work/poster-100mo.bmp" "$out/saved.cfh"
    else
        "$bin/stopwatch" "$bin/carddriver" new "$work/poster-100mo.bmp" "$out/saved.cfh"
    fi
}
# The same card in version 2: exact texts in other scripts and the user's
# own fields, in the extension after the poster (the tool alone writes one).
save_version2() {
    rm -f "$out/saved2.cfh"
    "$bin/stopwatch" "$tool" new "titre=Banc d'essai — Испытание" "realisateur=Krzysztof Kieślowski" \
        "etiquettes=à revoir,Noël" note=8 vu_le=2026-01-02 --poster "$work/poster-100mo.bmp" "$out/saved2.cfh"
}
save_anchor() {
    rm -f "$out/copy.bmp"
    "$bin/stopwatch" cp "$work/poster-100mo.bmp" "$out/copy.bmp" --then sync -d "$out/copy.bmp"
}

read_cinefiche() {
    rm -f "$out/poster.bmp" "$out/cfh_img.tmp"
    if [ $card_rows = tool ]; then
        "$bin/stopwatch" "$tool" poster "$work/card-100mo.cfh" "$out/poster.bmp"
    else   # the viewer's own read: the poster to FOLDER/cfh_img.tmp
        "$bin/stopwatch" "$bin/carddriver" poster "$work/card-100mo.cfh" "$out"
    fi
}
read_anchor() {
    rm -f "$out/copy.cfh"
    "$bin/stopwatch" cp "$work/card-100mo.cfh" "$out/copy.cfh"
}

# The card library's reading of records, whatever the tool's own work
# (JSON) costs: that is row 8.
records_cinefiche() { "$bin/stopwatch" "$bin/carddriver" records "${many_cards[@]}"; }
records_anchor() { "$bin/stopwatch" "$bin/recordsanchor" "${many_cards[@]}"; }
records_stat_anchor() { "$bin/stopwatch" "$bin/recordsanchor" --stat "${many_cards[@]}"; }

thumbnail_cinefiche() {
    rm -f "$out/thumbnail.png"
    "$bin/stopwatch" "$tool" thumbnail -s 256 "$work/card-5mo.cfh" "$out/thumbnail.png"
}
thumbnail_anchor() {
    rm -f "$out/thumbnail.png"
    "$bin/stopwatch" "$convert" "$work/poster-5mo.jpg" -thumbnail 256x256 "$out/thumbnail.png"
}

show_cinefiche() { "$bin/stopwatch" "$tool" show --json "${many_cards[@]}"; }
show_anchor() { records_anchor; }

# What the card tool costs before its first card, beside loading Qt alone.
start_cinefiche() { "$bin/stopwatch" "$tool" --version; }
start_anchor() { "$bin/stopwatch" "$bin/startanchor"; }
driver_start() { "$bin/stopwatch" "$bin/carddriver" records; }
driver_start_anchor() { "$bin/stopwatch" "$bin/recordsanchor"; }

with_tool() {   # side: the side when cinefiche-card is built, else "-"
    if [ $has_tool = yes ]; then echo "$1"; else echo -; fi
}

# What ran on the Cinefiche side of the card tool's rows.
card_side() {   # the tool's command, the driver's
    if [ $card_rows = tool ]; then echo "cinefiche-card $1"; else echo "carddriver $2 (pilote)"; fi
}
tool_only() {   # the tool's command
    if [ $has_tool = yes ]; then echo "cinefiche-card $1"; else echo "n/a (pas de cinefiche-card)"; fi
}

card_rows_said() {
    if [ $card_rows = tool ]; then
        echo "cinefiche-card"
    elif [ $use_drivers = yes ]; then
        echo "bench/carddriver (--drivers), les appels de la bibliothèque des fiches sans l'outil"
    else
        echo "bench/carddriver, les appels de la bibliothèque des fiches, tant que cinefiche-card n'est pas construit"
    fi
}

median_of() {   # results file, column
    summary "$work/$1" "$2" 1 | cut -d' ' -f2
}

print_table() {
    local ms=1 mib=1024 jpeg1 bmp100
    jpeg1=$(size_of "$work/poster-1mo.jpg")
    bmp100=$(size_of "$work/poster-100mo.bmp")
    echo
    echo "Banc d'essai de Cinefiche, $(git rev-parse --short HEAD), $(date '+%Y-%m-%d %H:%M')"
    echo "Machine : $(nproc) cœurs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')," \
        "Qt $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null)"
    echo "Charge moyenne avant : $load_before (1, 5, 15 min)"
    echo "Affichage : Xvfb $DISPLAY en 1920x1080x24, avec openbox et un bus de session ; contrôle de la mesure : une première" \
        "peinture retardée de 300 ms est vue $paint_check ms après l'affichage de sa fenêtre"
    echo "Lignes 3 et 4 : $(card_rows_said) ; ligne 5 : bench/carddriver, la bibliothèque des fiches seule ; lignes 7 et 8 :" \
        "$([ $has_tool = yes ] && echo cinefiche-card || echo "n/a, cinefiche-card n'est pas construit")"
    echo "Entrées et sorties dans $(dirname "$work") ($(df --output=fstype "$work" | tail -1), sur disque)"
    echo "Temps en ms, mémoire en Mio ; n mesures par côté, alternées ; rapport = médiane Cinefiche / médiane témoin"
    echo
    echo "| mesure | Cinefiche | témoin | n | Cinefiche min / médiane / max | témoin min / médiane / max | rapport |"
    echo "|---|---|---|---|---|---|---|"
    table_row "1. visionneuse, fiche avec affiche JPEG de $jpeg1 : du lancement à la première peinture" \
        "cinefiche FICHE" "vieweranchor : Qt, JPEG à 129 px" viewer 1 $ms
    table_row "1b. la même, contre un témoin qui écrit aussi du texte" \
        "cinefiche FICHE" "textanchor : le même, avec un titre et une ligne de texte" text 1 $ms
    table_row "2. éditeur sur une nouvelle fiche : du lancement à la première peinture" "cinefiche" \
        "editoranchor : QMainWindow, menu, 8 QLineEdit" editor 1 $ms
    table_row "2b. le même, contre un témoin qui a les contrôles de l'éditeur" "cinefiche" \
        "formanchor : les mêmes menus, libellés, zones, liste, résumé, cadre et boutons" form 1 $ms
    table_row "3. enregistrer une fiche avec affiche BMP de $bmp100, fdatasync compris" \
        "$(card_side "new --poster" "new")" "cp + sync -d" save 1 $ms
    table_row "3b. la même en version 2 : textes exacts en plusieurs écritures, champs personnels (objectif : 1,3 au plus)" \
        "$(tool_only "new --poster")" "cp + sync -d" save2 1 $ms
    table_row "4. lire cette fiche, affiche vers un fichier" "$(card_side poster poster)" cp read 1 $ms
    table_row "5. lire les enregistrements de $MANY_CARDS petites fiches" "carddriver records : readCardHead" \
        "recordsanchor : open + read de 1176 octets" records 1 $ms
    table_row "5b. les mêmes, contre un témoin qui lit aussi la taille de chaque fichier" \
        "carddriver records : readCardHead" "recordsanchor --stat : open + fstat + read" recstat 1 $ms
    table_row "6. mémoire de pointe, visionneuse (ligne 1, à la première peinture)" "cinefiche FICHE" \
        "vieweranchor" viewer 3 $mib
    table_row "6b. la même, contre le témoin qui écrit aussi du texte" "cinefiche FICHE" \
        "textanchor" text 3 $mib
    table_row "7. vignette d'une fiche avec affiche JPEG de $(size_of "$work/poster-5mo.jpg")" \
        "$(tool_only "thumbnail -s 256")" "convert -thumbnail 256x256 du JPEG" thumbnail 1 $ms
    table_row "8. cinefiche-card show --json sur $MANY_CARDS fiches" "$(tool_only "show --json")" \
        "recordsanchor" show 1 $ms
    table_row "9. démarrage de l'outil sans travail" "$(tool_only --version)" \
        "startanchor : programme vide lié à QtCore seul" start 1 $ms
    table_row "9b. démarrage du pilote de la ligne 5 sans fiche (QtCore seul)" "carddriver records" \
        "recordsanchor sans fiche" drvstart 1 $ms
    [ $has_tool = yes ] && print_collection_rows
    [ $has_tool = yes ] && print_collection_window_rows
    echo
    echo "Fenêtre affichée (MapNotify), médianes en ms : visionneuse $(median_of viewer.a 2)," \
        "son témoin $(median_of viewer.b 2) ; éditeur $(median_of editor.a 2), son témoin $(median_of editor.b 2)"
    echo "Charge moyenne après : $load_after (1, 5, 15 min)"
    echo "Durée : $SECONDS s, dont $measured s de mesures"
}

# Some rows alone: measures them, prints their table and ends.
measure_alone() {   # what is measured, the table's title, its third line, the rows' function
    echo "Mesures..." >&2
    measures_start=$SECONDS
    "$1"
    load_after=$(cut -d' ' -f1-3 /proc/loadavg)
    measured=$((SECONDS - measures_start))
    echo
    echo "$2, $(git rev-parse --short HEAD), $(date '+%Y-%m-%d %H:%M')"
    echo "Machine : $(nproc) cœurs ; charge moyenne avant : $load_before, après : $load_after"
    echo "$3"
    echo
    echo "| mesure | Cinefiche | témoin | n | Cinefiche min / médiane / max | témoin min / médiane / max | rapport |"
    echo "|---|---|---|---|---|---|---|"
    "$4"
    echo
    echo "Durée : $SECONDS s, dont $measured s de mesures"
    exit 0
}

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "Fabrication des entrées dans $work..." >&2
if [ $only_collection = yes ]; then
    [ $has_tool = yes ] || { echo "cinefiche-card n'est pas construit" >&2; exit 1; }
    make_collection_pictures   # the collection's rows alone: no 100 MB picture, no desktop
    make_collection_inputs
    export XDG_CACHE_HOME=$work/cache
    measure_alone measure_collection "Banc d'essai de la collection" \
        "Temps en ms, mémoire en Mio ; n mesures par côté, alternées ; rapport = médiane Cinefiche / médiane témoin" \
        print_collection_rows
fi
if [ $only_share = yes ]; then
    [ $has_tool = yes ] || { echo "cinefiche-card n'est pas construit" >&2; exit 1; }
    [ "$(id -u)" -eq 0 ] || { echo "--share monte un partage : à lancer en root" >&2; exit 1; }
    make_collection_pictures
    make_tree
    tree_made=$SECONDS
    export XDG_CACHE_HOME=$work/cache
    measure_alone measure_share "Banc d'essai d'un partage réseau (sshfs sur un sshd local, à travers un relais qui retient chaque paquet la moitié de l'aller-retour dans chaque sens)" \
        "Temps en ms ; n mesures par côté, alternées ; rapport = médiane sans index / médiane avec l'index" \
        print_share_rows
fi
make_inputs
[ $has_tool = yes ] && make_collection_inputs
start_desktop
if [ $only_window = yes ]; then
    [ $has_tool = yes ] || { echo "cinefiche-card n'est pas construit" >&2; exit 1; }
    measure_alone measure_collection_window "Banc d'essai de la fenêtre de collection" \
        "Affichage : Xvfb $DISPLAY en 1920x1080x24, avec openbox ; temps en ms, mémoire en Mio" \
        print_collection_window_rows
fi
check_first_paint
echo "Mesures..." >&2
measures_start=$SECONDS
interleave viewer $STARTUP_RUNS viewer_cinefiche viewer_anchor
interleave text $STARTUP_RUNS viewer_cinefiche text_anchor
interleave editor $STARTUP_RUNS editor_cinefiche editor_anchor
interleave form $STARTUP_RUNS editor_cinefiche form_anchor
interleave save $SAVE_RUNS save_cinefiche save_anchor
interleave save2 $SAVE_RUNS "$(with_tool save_version2)" save_anchor
interleave read $READ_RUNS read_cinefiche read_anchor
interleave records $MANY_RUNS records_cinefiche records_anchor
interleave recstat $MANY_RUNS records_cinefiche records_stat_anchor
interleave thumbnail $THUMBNAIL_RUNS "$(with_tool thumbnail_cinefiche)" thumbnail_anchor
interleave show $MANY_RUNS "$(with_tool show_cinefiche)" show_anchor
interleave start $STARTUP_RUNS "$(with_tool start_cinefiche)" start_anchor
interleave drvstart $STARTUP_RUNS driver_start driver_start_anchor
[ $has_tool = no ] || measure_collection
[ $has_tool = no ] || measure_collection_window
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
measured=$((SECONDS - measures_start))

print_table
