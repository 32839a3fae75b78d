# shellcheck shell=bash
# The collection window's rows, on the tree of bench/collection.sh, watched
# from outside by bench/windowprobe.c. Sourced by bench/run.sh, which sets
# work, out, bin, build, tool and the desktop.

WINDOW_RUNS=${WINDOW_RUNS:-5}
SEARCH_KEYS=${SEARCH_KEYS:-fiche9}   # typed in the search, one letter at a time

# Each run in a settings folder of its own: the window opens on the tree, in
# its first view, whatever a user chose.
probe_collection() {   # keys, command, tree
    rm -rf "$work/config"
    XDG_CONFIG_HOME=$work/config "$bin/windowprobe" 60000 1500 "$1" "$2" \
        "$build/cinefiche" --collection "$3"
}

# A card changed by another program: the first one shown, retitled anew each run.
retitle_first() {   # tree
    echo "'$tool' set 'titre=Fiche 1 ($(date +%s%N))' -- '$1/dossier-1/fiche-1.cfh' >/dev/null"
}

window_cached() { probe_collection "$SEARCH_KEYS" "$(retitle_first "$work/tree")" "$work/tree"; }
window_version2() { probe_collection "$SEARCH_KEYS" "$(retitle_first "$work/tree2")" "$work/tree2"; }
window_empty_cache() {
    rm -rf "$XDG_CACHE_HOME/thumbnails"
    probe_collection - - "$work/tree"
}
# The editor's start-up plus reading the same cards' records and last 4 KB,
# where a card's extension is.
records_and_paint() {   # cards...
    local paint records
    paint=$("$bin/firstpaint" 30000 "$build/cinefiche" | cut -d' ' -f1)
    records=$("$bin/stopwatch" "$bin/recordsanchor" --tail "$@" | cut -d' ' -f1)
    awk -v p="$paint" -v r="$records" 'BEGIN { printf "%.2f\n", p + r }'
}
window_anchor() { records_and_paint "${tree_cards[@]}"; }
window2_anchor() { records_and_paint "${tree2_cards[@]}"; }

# The window driven from inside (bench/windowdriver.cpp) on a copy of a
# tree that shares its cards' files: a card it changes is replaced, so the
# tree itself stays as it was.
driven_window() {   # tree, tag
    [ -d "$1-driven" ] || cp -al "$1" "$1-driven"
    rm -rf "$work/config"
    XDG_CONFIG_HOME=$work/config "$bin/windowdriver" "$1-driven" "$2"
}
window_driven() { driven_window "$work/tree" -; }
window2_driven() { driven_window "$work/tree2" "Noël"; }

measure_collection_window() {
    interleave window "$WINDOW_RUNS" window_cached window_anchor
    interleave window2 "$WINDOW_RUNS" window_version2 window2_anchor
    interleave windowcold "$WINDOW_RUNS" window_empty_cache -
    interleave driven "$WINDOW_RUNS" window_driven window2_driven
}

# A figure against its target: "label | target | min / median / max".
target_row() {   # label, target, row, column, divisor[, results file: the row's first side's]
    printf '| %s | %s | %s |\n' "$1" "$2" "$(slashed "$(summary "${6:-$work/$3.a}" "$4" "$5")")"
}

print_collection_window_rows() {
    local ms=1 mib=1024 cards="$TREE_CARDS fiches en 100 dossiers"
    table_row "16. collection sur $cards, vignettes en cache : jusqu'aux affiches du premier écran (objectif : 1,3 au plus)" \
        "cinefiche --collection" "éditeur à sa première peinture + recordsanchor --tail sur les mêmes fiches" window 1 $ms
    table_row "16b. la même sur les fiches en version 2 (objectif : 1,3 au plus)" "cinefiche --collection" \
        "éditeur + recordsanchor --tail sur ces fiches" window2 1 $ms
    echo
    echo "| mesure de la collection ($cards) | objectif | min / médiane / max |"
    echo "|---|---|---|"
    target_row "17. cache vide : affiches du premier écran placées, en ms" "2000" windowcold 1 $ms
    target_row "17b. cache vide : plus longue attente de la boucle d'événements (_NET_WM_PING), en ms" "50" \
        windowcold 3 $ms
    target_row "17c. vignettes en cache : plus longue attente de la boucle d'événements, en ms" "50" window 3 $ms
    target_row "18. une lettre tapée dans la recherche : médiane des lettres de « $SEARCH_KEYS », en ms" "16" \
        window 5 $ms
    target_row "18b. la même, la plus lente des lettres, en ms" "16" window 6 $ms
    target_row "18c. une lettre tapée, fiches en version 2 : médiane, en ms" "16" window2 5 $ms
    target_row "18d. la même, la plus lente des lettres, en ms" "16" window2 6 $ms
    target_row "19. mémoire de pointe, vignettes en cache, en Mio" "150" window 4 $mib
    target_row "19b. mémoire de pointe, cache vide, en Mio" "150" windowcold 4 $mib
    target_row "19c. mémoire de pointe, fiches en version 2, en Mio" "150" window2 4 $mib
    target_row "20. une fiche changée par cinefiche-card set : montrée après, en ms" "1000" window 7 $ms
    target_row "21. « Vu » d'une fiche : dessiné, en ms" "50" driven 1 $ms
    target_row "21b. la même sur le disque (fdatasync), en ms" "200" driven 2 $ms
    target_row "22. 1 000 fiches choisies marquées vues, en ms" "5000" driven 3 $ms
    target_row "22b. la même : plus longue attente de la boucle d'événements, en ms" "50" driven 4 $ms
    target_row "23. « À voir » choisi dans la liste de côté : redessiné, en ms" "16" driven 5 $ms
    target_row "23b. une étiquette choisie (fiches en version 2, toutes étiquetées), en ms" "16" driven 6 $ms \
        "$work/driven.b"
    target_row "24. tri de la liste par titre (titre de tri, sinon sans l'article), en ms" \
        "pas plus que 24b" driven 7 $ms
    target_row "24b. tri de la liste par réalisateur, en ms" "-" driven 8 $ms
    target_row "25. « Doublons » choisi, en ms" "300" driven 9 $ms
    target_row "25b. « Doublons », fiches en version 2 (un seul film : 10 000 doublons), en ms" "300" \
        driven 9 $ms "$work/driven.b"
    target_row "26. vue « Statistiques », en ms" "200" driven 10 $ms
    target_row "27. mémoire de pointe après tout cela, en Mio" "150" driven 11 $mib
}
