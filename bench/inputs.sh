# shellcheck shell=bash
# The benchmark's inputs and its desktop. Sourced by bench/run.sh, which
# sets work (the folder), convert and MANY_CARDS.

# The marker, the eight fields (ASCII, padded to their widths) and the
# separator: a card without a poster, 1176 bytes.
card_header() {   # title
    LC_ALL=C printf '@CNFCH@%-50s%-4s%-2s%-2s%-50s%-50s%-510s%-500s\251' "$1" 2024 " 1" 30 Drame \
        "Anne Martin" "Bruno Durand|Claire Petit|" "Un film pour mesurer."
}

le_bytes() {   # value, byte count: the value's bytes, least significant first
    local value=$1 count=$2 i
    for ((i = 0; i < count; i++)); do
        printf %b "\\0$(printf %03o $((value >> 8 * i & 255)))"
    done
}

# An uncompressed 24-bit BMP of random pixels: a picture that any reader
# accepts, whose bytes are as costly to copy as any.
bmp_picture() {   # width (a multiple of 4), height
    local size=$(($1 * $2 * 3))
    printf 'BM'
    le_bytes $((size + 54)) 4; le_bytes 0 4; le_bytes 54 4
    le_bytes 40 4; le_bytes "$1" 4; le_bytes "$2" 4; le_bytes 1 2; le_bytes 24 2
    le_bytes 0 4; le_bytes $size 4; le_bytes 2835 4; le_bytes 2835 4; le_bytes 0 4; le_bytes 0 4
    head -c $size /dev/urandom
}

# A photograph's worth of detail, so that the JPEG is as large as a scanned
# poster of that size.
jpeg_picture() {   # width, height, output
    "$convert" -seed 1 -size "$1x$2" plasma:fractal -attenuate 0.5 +noise Gaussian -quality 90 "$3"
}

# What the collection's rows need of make_inputs: the 1 MB poster.
make_collection_pictures() {
    mkdir -p "$out" "$work/cache"
    jpeg_picture 1000 1500 "$work/poster-1mo.jpg"
}

make_inputs() {
    mkdir -p "$work/cards"
    mkdir -m 700 "$work/runtime"
    make_collection_pictures
    jpeg_picture 2300 3450 "$work/poster-5mo.jpg"
    bmp_picture 5120 6510 >"$work/poster-100mo.bmp"
    local size
    for size in 1mo 5mo; do
        { card_header "Affiche de $size"; cat "$work/poster-$size.jpg"; } >"$work/card-$size.cfh"
    done
    { card_header "Affiche de 100 Mo"; cat "$work/poster-100mo.bmp"; } >"$work/card-100mo.cfh"
    local i
    for ((i = 1; i <= MANY_CARDS; i++)); do
        card_header "Fiche $i" >"$work/cards/fiche-$i.cfh"
    done
    many_cards=("$work"/cards/*.cfh)
}

size_of() {   # file: its size in MB, for the table
    awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f Mo", b / 1e6 }'
}

wait_for() {   # seconds, command: true once the command succeeds
    local tries=$(($1 * 10))
    shift
    until "$@"; do
        ((tries-- > 0)) || return 1
        sleep 0.1
    done
}

has_window_manager() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Xvfb on a free display, openbox managing its windows and a session bus, as
# in a desktop session (without one, Qt tries to start a bus at each start).
start_desktop() {
    export XDG_RUNTIME_DIR=$work/runtime XDG_CACHE_HOME=$work/cache   # nothing left in the user's home
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for 20 test -s "$work/display" || { echo "Xvfb ne démarre pas" >&2; exit 1; }
    export DISPLAY=":$(cat "$work/display")"
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    wait_for 20 has_window_manager || { echo "openbox ne démarre pas" >&2; exit 1; }
    export QT_QPA_PLATFORM=xcb
    dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" --print-address=3 \
        3>"$work/bus" 2>"$work/bus.log" &
    bus_pid=$!
    wait_for 20 test -s "$work/bus" || { echo "dbus-daemon ne démarre pas" >&2; exit 1; }
    DBUS_SESSION_BUS_ADDRESS=$(head -1 "$work/bus")
    export DBUS_SESSION_BUS_ADDRESS
}

# The first Damage event must be the first paint, not the window's mapping:
# the anchor, told to hold back its first paint, must be seen painting that
# much later than it was mapped.
check_first_paint() {
    local delay=300 paint map rest
    read -r paint map rest < <("$bin/firstpaint" 30000 "$bin/vieweranchor" "$work/poster-1mo.jpg" $delay)
    paint_check=$(awk -v p="$paint" -v m="$map" 'BEGIN { printf "%.1f", p - m }')
    if awk -v d="$paint_check" -v delay=$delay 'BEGIN { exit !(d < delay) }'; then
        echo "La mesure de la première peinture est fausse : retardée de $delay ms," \
            "elle est vue $paint_check ms après l'affichage de la fenêtre." >&2
        exit 1
    fi
}
