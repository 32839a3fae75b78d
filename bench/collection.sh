# shellcheck shell=bash
# The collection's rows: find, show and catalogue over a tree of cards with
# posters, the import of a movie library, a viewing history onto the tree
# and a spreadsheet's import. Sourced by bench/run.sh, which
# sets work, out, bin, tool, convert; TREE_CARDS, CATALOGUE_CARDS and
# IMPORT_MOVIES may be set to measure fewer.

TREE_CARDS=${TREE_CARDS:-10000}              # in 100 folders, 300 KB JPEG posters
CATALOGUE_CARDS=${CATALOGUE_CARDS:-1000}     # 1 MB JPEG posters
COLLECTION_RUNS=${COLLECTION_RUNS:-10}
CATALOGUE_RUNS=${CATALOGUE_RUNS:-3}
START_RUNS=${START_RUNS:-30}
SOUGHT=Belmondo   # the actor find looks for, on one card in a hundred
IMPORT_MOVIES=${IMPORT_MOVIES:-1000}         # a folder each, a media manager's NFO, 1 MB posters
IMPORT_RUNS=${IMPORT_RUNS:-3}
DIARY_ROWS=${DIARY_ROWS:-5000}               # a Letterboxd diary onto the tree's cards
TABLE_ROWS=${TABLE_ROWS:-1000}               # a spreadsheet for import --csv

collection_card() {   # title, actors: a card's record, then the poster on standard input
    LC_ALL=C printf '@CNFCH@%-50s%-4s%-2s%-2s%-50s%-50s%-510s%-500s\251' "$1" 1999 " 1" 45 Policier \
        "Anne Martin" "$2" "Une fiche parmi d'autres."
    cat
}

make_tree() {   # the tree of TREE_CARDS cards in 100 folders, 300 KB posters
    jpeg_picture 550 825 "$work/poster-300ko.jpg"
    local i folder actors
    for ((i = 1; i <= TREE_CARDS; i++)); do
        folder=$work/tree/dossier-$((i % 100))
        [ -d "$folder" ] || mkdir -p "$folder"
        actors="Bruno Durand|Claire Petit|"
        ((i % 100 == 0)) && actors="Jean-Paul $SOUGHT|Claire Petit|"
        collection_card "Fiche $i" "$actors" <"$work/poster-300ko.jpg" >"$folder/fiche-$i.cfh"
    done
}

make_collection_inputs() {
    make_tree
    tree_cards=("$work"/tree/*/*.cfh)
    # The same tree of cards with an extension: exact texts in several
    # scripts, every actor, the user's own fields.
    "$bin/carddriver" version2 "$work/poster-300ko.jpg" "$work/tree2" "$TREE_CARDS" "$SOUGHT"
    tree2_cards=("$work"/tree2/*/*.cfh)
    mkdir -p "$work/catalogue"
    for ((i = 1; i <= CATALOGUE_CARDS; i++)); do
        collection_card "Catalogue $i" "Bruno Durand|" <"$work/poster-1mo.jpg" >"$work/catalogue/fiche-$i.cfh"
    done
    # A tenth of the tree, for the peak memory at a tenth of the cards.
    tenth=("$work"/tree/dossier-{1..10})
    make_library
    make_exchange_inputs
}

# A Letterboxd diary whose rows find the tree's cards ("Fiche I", 1999, half
# of them a year off) but one in ten, whose title no card has; and a
# spreadsheet of English columns; each also at a tenth of its rows.
diary_rows() {   # count
    local i
    echo "Date,Name,Year,Letterboxd URI,Rating,Rewatch,Tags,Watched Date"
    for ((i = 1; i <= $1; i++)); do
        echo "2024-01-02,Fiche $((i % 10 ? i : i + TREE_CARDS)),$((1999 + i % 2)),https://boxd.it/$i,4.5,,\"a, b\",2024-01-01"
    done
}
table_rows() {   # count
    local i
    echo "Title,Year,Director,Runtime,Genre,Cast,Plot"
    for ((i = 1; i <= $1; i++)); do
        echo "Film $i,1999,Anne Martin,105,Policier,\"Bruno Durand, Claire Petit\",Une ligne parmi d'autres."
    done
}
make_exchange_inputs() {
    diary_rows "$DIARY_ROWS" >"$work/diary.csv"
    diary_rows $((DIARY_ROWS / 10)) >"$work/diary-tenth.csv"
    table_rows "$TABLE_ROWS" >"$work/table.csv"
    table_rows $((TABLE_ROWS / 10)) >"$work/table-tenth.csv"
    mkdir -p "$work/no-cards"
}

# A library as media managers write it: "Film N (YEAR)/Film N.mkv", its NFO
# (the test's real one, retitled) and its poster. The posters are links to
# one file: each side reads the same bytes, from the same page cache.
make_library() {
    local i folder
    library_tenth=()
    for ((i = 1; i <= IMPORT_MOVIES; i++)); do
        folder="$work/library/Film $i ($((1950 + i % 70)))"
        mkdir -p "$folder"
        : >"$folder/Film $i.mkv"
        sed -e "s|<title>[^<]*</title>|<title>Film $i</title>|" -e '/^https:/d' \
            tests/data/media-manager.nfo >"$folder/Film $i.nfo"
        ln "$work/poster-1mo.jpg" "$folder/Film $i-poster.jpg"
        ((i > IMPORT_MOVIES / 10)) || library_tenth+=("$folder")
    done
}

find_cinefiche() { "$bin/stopwatch" "$tool" find -r "$work/tree" --acteur "$SOUGHT"; }
find_anchor() { "$bin/stopwatch" "$bin/recordsanchor" "${tree_cards[@]}"; }
find_grep() { "$bin/stopwatch" grep -rl "$SOUGHT" "$work/tree"; }
tree_show() { "$bin/stopwatch" "$tool" show -r --json "$work/tree"; }
find_version2() { "$bin/stopwatch" "$tool" find -r "$work/tree2" --acteur "$SOUGHT"; }
show_version2() { "$bin/stopwatch" "$tool" show -r --json "$work/tree2"; }
tenth_show() { "$bin/stopwatch" "$tool" show -r --json "${tenth[@]}"; }
tenth_find() { "$bin/stopwatch" "$tool" find -r "${tenth[@]}" --acteur "$SOUGHT"; }

# The start of a command on one card, beside a program linked to QtCore alone.
one_find() { "$bin/stopwatch" "$tool" find "$work/catalogue/fiche-1.cfh" --acteur "$SOUGHT"; }
one_show() { "$bin/stopwatch" "$tool" show --json "$work/catalogue/fiche-1.cfh"; }
core_anchor() { "$bin/stopwatch" "$bin/startanchor"; }

catalogue_first() {   # empty thumbnail caches each time, the shared one and the catalogue's own
    rm -rf "$XDG_CACHE_HOME/thumbnails" "$XDG_CACHE_HOME/cinefiche" "$out/catalogue.html"
    "$bin/stopwatch" "$tool" catalogue "$work/catalogue" -o "$out/catalogue.html"
}
catalogue_again() {
    rm -f "$out/catalogue.html"
    "$bin/stopwatch" "$tool" catalogue "$work/catalogue" -o "$out/catalogue.html"
}
catalogue_convert() {   # ImageMagick, the same thumbnails on every core
    rm -rf "$out/thumbnails"
    mkdir -p "$out/thumbnails"
    "$bin/stopwatch" sh -c 'seq "$1" | xargs -P"$(nproc)" -I{} "$2" "$3" -thumbnail 256x256 "$4/{}.png"' \
        sh "$CATALOGUE_CARDS" "$convert" "$work/poster-1mo.jpg" "$out/thumbnails"
}
catalogue_show() { "$bin/stopwatch" "$tool" show --json "$work/catalogue"; }
tree_catalogue() {   # the tree's thumbnails are cached by the first run, not counted
    rm -f "$out/tree.html"
    "$bin/stopwatch" "$tool" catalogue -r "$work/tree" -o "$out/tree.html"
}
tenth_catalogue() {
    rm -f "$out/tenth.html"
    "$bin/stopwatch" "$tool" catalogue -r "${tenth[@]}" -o "$out/tenth.html"
}

import_cinefiche() {   # the cards of the last run removed first
    rm -f "$work"/library/*/*.cfh
    "$bin/stopwatch" "$tool" import "$work/library"
}
import_tenth() {
    rm -f "$work"/library/*/*.cfh
    "$bin/stopwatch" "$tool" import "${library_tenth[@]}"
}
import_anchor() {   # the same posters copied, the same NFOs parsed
    rm -rf "$out/library"
    mkdir -p "$out/library"
    "$bin/stopwatch" sh -c 'cp -- "$1"/*/*-poster.jpg "$2" && "$3" "$1"/*/*.nfo' \
        sh "$work/library" "$out/library" "$bin/nfoanchor"
}

# history -n: what a run that writes does but the writes, so that every run
# reads the same cards (a run that writes leaves the next nothing to do).
history_cinefiche() { "$bin/stopwatch" "$tool" history -n "$work/diary.csv" -- "$work/tree"; }
history_tenth() { "$bin/stopwatch" "$tool" history -n "$work/diary-tenth.csv" -- "$work/tree"; }
history_anchor() {   # find over the same cards, then the same diary read and matched to no card
    "$bin/stopwatch" sh -c '"$1" find -r "$2" --acteur "$3" >/dev/null && "$1" history -n "$4" -- "$5" >/dev/null' \
        sh "$tool" "$work/tree" "$SOUGHT" "$work/diary.csv" "$work/no-cards"
}
table_import() {   # table, into a folder emptied first
    rm -rf "$out/imported"
    mkdir -p "$out/imported"
    "$bin/stopwatch" "$tool" import --csv "$1" "$out/imported"
}
import_table() { table_import "$work/table.csv"; }
import_table_tenth() { table_import "$work/table-tenth.csv"; }
new_cards() {   # the same cards, as new makes them, in one process
    rm -rf "$out/new"
    mkdir -p "$out/new"
    "$bin/stopwatch" "$bin/carddriver" newcards "$TABLE_ROWS" "$out/new"
}

measure_collection() {
    interleave find "$COLLECTION_RUNS" find_cinefiche find_anchor
    interleave findgrep "$COLLECTION_RUNS" find_cinefiche find_grep
    interleave treeshow "$COLLECTION_RUNS" tree_show find_anchor
    interleave findv2 "$COLLECTION_RUNS" find_version2 find_cinefiche
    interleave showv2 "$COLLECTION_RUNS" show_version2 tree_show
    interleave catfirst "$CATALOGUE_RUNS" catalogue_first catalogue_convert
    interleave catagain "$COLLECTION_RUNS" catalogue_again catalogue_show
    interleave memshow "$CATALOGUE_RUNS" tree_show tenth_show
    interleave memfind "$CATALOGUE_RUNS" find_cinefiche tenth_find
    interleave memcat "$CATALOGUE_RUNS" tree_catalogue tenth_catalogue
    interleave import "$IMPORT_RUNS" import_cinefiche import_anchor
    interleave memimport "$IMPORT_RUNS" import_cinefiche import_tenth
    interleave history "$COLLECTION_RUNS" history_cinefiche history_anchor
    interleave memhistory "$CATALOGUE_RUNS" history_cinefiche history_tenth
    interleave importcsv "$COLLECTION_RUNS" import_table new_cards
    interleave memimportcsv "$CATALOGUE_RUNS" import_table import_table_tenth
    interleave onefind "$START_RUNS" one_find core_anchor
    interleave oneshow "$START_RUNS" one_show core_anchor
}

print_collection_rows() {
    local ms=1 mib=1024 tree="$TREE_CARDS fiches en 100 dossiers, affiches JPEG de $(size_of "$work/poster-300ko.jpg")"
    table_row "10. find -r --acteur sur $tree (objectif : 1,3 au plus)" "cinefiche-card find" \
        "recordsanchor : open + read de 1176 octets" find 1 $ms
    table_row "10b. le même, contre grep" "cinefiche-card find" "grep -rl" findgrep 1 $ms
    table_row "11. show -r --json sur $tree (objectif : 1,5 au plus)" "cinefiche-card show" "recordsanchor" \
        treeshow 1 $ms
    table_row "11b. find -r --acteur sur les mêmes fiches en version 2 : textes exacts en plusieurs écritures, champs personnels (objectif : 1,15 au plus)" \
        "find, version 2" "find, version 1 (ligne 10)" findv2 1 $ms
    table_row "11c. show -r --json sur les fiches en version 2 (objectif : 1,15 au plus)" "show, version 2" \
        "show, version 1 (ligne 11)" showv2 1 $ms
    table_row "12. catalogue HTML de $CATALOGUE_CARDS fiches, affiches de $(size_of "$work/poster-1mo.jpg"), cache vide" \
        "cinefiche-card catalogue" "xargs -P$(nproc) convert -thumbnail 256x256" catfirst 1 $ms
    table_row "12b. le même, vignettes en cache (objectif : 2 au plus)" "cinefiche-card catalogue" \
        "cinefiche-card show --json" \
        catagain 1 $ms
    table_row "13. mémoire de pointe, show : $TREE_CARDS fiches, puis un dixième" "show -r --json, tout" \
        "le même, un dixième" memshow 2 $mib
    table_row "13b. mémoire de pointe, find" "find, tout" "find, un dixième" memfind 2 $mib
    table_row "13c. mémoire de pointe, catalogue HTML (vignettes en cache)" "catalogue, tout" \
        "catalogue, un dixième" memcat 2 $mib
    table_row "14. import d'une médiathèque de $IMPORT_MOVIES films (un dossier chacun, .nfo, affiche de $(size_of "$work/poster-1mo.jpg") ; objectif : 2 au plus)" \
        "cinefiche-card import" "cp des affiches + nfoanchor : lecture XML des .nfo" import 1 $ms
    table_row "14c. mémoire de pointe, import : $IMPORT_MOVIES films, puis un dixième" "import, tout" \
        "import, un dixième" memimport 2 $mib
    table_row "14d. history -n d'un journal Letterboxd de $DIARY_ROWS lignes sur $tree (objectif : 2 au plus)" \
        "cinefiche-card history -n" "find -r --acteur + history -n du même journal sans fiche" history 1 $ms
    table_row "14e. mémoire de pointe, history : $DIARY_ROWS lignes, puis un dixième" "history, tout" \
        "history, un dixième" memhistory 2 $mib
    table_row "14f. import --csv de $TABLE_ROWS lignes (objectif : 1,5 au plus)" "cinefiche-card import --csv" \
        "carddriver newcards : les mêmes fiches comme new, en un processus" importcsv 1 $ms
    table_row "14g. mémoire de pointe, import --csv : $TABLE_ROWS lignes, puis un dixième" "import --csv, tout" \
        "import --csv, un dixième" memimportcsv 2 $mib
    table_row "15. démarrage de find --acteur sur une fiche (objectif : 1,1 au plus)" "cinefiche-card find FICHE" \
        "startanchor : programme vide lié à QtCore seul" onefind 1 $ms
    table_row "15b. démarrage de show --json sur une fiche (affiche JPEG)" "cinefiche-card show --json FICHE" \
        "startanchor" oneshow 1 $ms
}
