# shellcheck shell=bash
# Runs two sides in turn and sums them up. Sourced by bench/run.sh. A side
# is a function printing one line per run ("MS ..." from stopwatch or
# firstpaint); its runs go to $work/ROW.a (Cinefiche) and $work/ROW.b (anchor).

run_side() {   # function, results file
    "$1" >>"$2" 2>>"$work/errors.log" || {
        echo "Échec de $1 :" >&2
        tail -5 "$work/errors.log" >&2
        exit 1
    }
}

# A first run of each side warms the caches and is not counted; then the
# sides alternate, each one first every other round. A side "-" is not run.
interleave() {   # row, runs, Cinefiche side, anchor side
    local row=$1 runs=$2 a=$3 b=$4 i
    : >"$work/$row.a"
    : >"$work/$row.b"
    echo "  $row" >&2
    [ "$a" = - ] || run_side "$a" /dev/null
    [ "$b" = - ] || run_side "$b" /dev/null
    for ((i = 0; i < runs; i++)); do
        if ((i % 2)) && [ "$b" != - ]; then
            run_side "$b" "$work/$row.b"
        fi
        [ "$a" = - ] || run_side "$a" "$work/$row.a"
        if ((i % 2 == 0)) && [ "$b" != - ]; then
            run_side "$b" "$work/$row.b"
        fi
    done
}

# "MIN MEDIAN MAX" of one column of a results file, divided by divisor;
# "n/a" when the file is empty.
summary() {   # file, column, divisor
    [ -s "$1" ] || { echo n/a; return; }
    cut -d' ' -f"$2" "$1" | sort -g | awk -v d="$3" '
        { v[NR] = $1 / d }
        END {
            m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
            printf "%.1f %.1f %.1f\n", v[1], m, v[NR]
        }'
}

ratio() {   # Cinefiche summary, anchor summary: the ratio of the medians
    awk -v a="$1" -v b="$2" 'BEGIN {
        if (split(a, x, " ") < 3 || split(b, y, " ") < 3 || y[2] == 0) print "n/a"
        else printf "%.2f\n", x[2] / y[2]
    }'
}

slashed() {   # "MIN MEDIAN MAX" as "MIN / MEDIAN / MAX"
    echo "${1// / / }"
}

table_row() {   # label, Cinefiche side's name, anchor's name, row, column, divisor
    local a b
    a=$(summary "$work/$4.a" "$5" "$6")
    b=$(summary "$work/$4.b" "$5" "$6")
    printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$1" "$2" "$3" "$(wc -l <"$work/$4.b")" \
        "$(slashed "$a")" "$(slashed "$b")" "$(ratio "$a" "$b")"
}
