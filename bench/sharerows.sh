# shellcheck shell=bash
# The tree of the collection's rows on a network share made on this machine
# (bench/share.sh: sshfs through a relay of chosen round trip): find and show
# reading every card, beside the same reading what the index kept. Sourced
# by bench/run.sh, which sets work, out, tool; SHARE_RTTS and SHARE_RUNS may
# be set.

SHARE_RTTS=${SHARE_RTTS:-0 2 5}   # round trips in ms; 0: sshfs without the relay
SHARE_RUNS=${SHARE_RUNS:-3}
source bench/share.sh

share_find() { "$bin/stopwatch" "$tool" find -r --sans-cache "$share" --acteur "$SOUGHT"; }
share_find_index() { "$bin/stopwatch" "$tool" find -r "$share" --acteur "$SOUGHT"; }
share_show() { "$bin/stopwatch" "$tool" show -r --json --sans-cache "$share"; }
share_show_index() { "$bin/stopwatch" "$tool" show -r --json "$share"; }

measure_share() {
    SHARE_STATE=$work/sshd SHARE_PORT=22735
    # A card changed in the last minute is not indexed: the tree waits until then.
    local settled=$((tree_made + 61 - SECONDS)) rtt
    ((settled <= 0)) || sleep "$settled"
    for rtt in $SHARE_RTTS; do
        share=$work/share-$rtt
        share_mount "$rtt" "$work/tree" "$share"
        interleave "sharefind$rtt" "$SHARE_RUNS" share_find share_find_index
        interleave "shareshow$rtt" "$SHARE_RUNS" share_show share_show_index
        share_unmount "$share"
    done
}

print_share_rows() {
    local ms=1 rtt
    for rtt in $SHARE_RTTS; do
        table_row "S$rtt. find -r --acteur, $TREE_CARDS fiches sur sshfs, aller-retour de $rtt ms (objectif à 2 ms : 5 s au plus)" \
            "find --sans-cache" "find, avec l'index" "sharefind$rtt" 1 $ms
        table_row "S$rtt b. show -r --json, les mêmes" "show --sans-cache" "show, avec l'index" "shareshow$rtt" 1 $ms
    done
}
