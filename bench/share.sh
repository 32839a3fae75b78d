#!/usr/bin/env bash
# A network share on this machine: a local sshd serves a folder, sshfs mounts
# it, and at a round trip above 0 its ssh goes through bench/relay.c, which
# holds each chunk half of it in each direction. Run as root.
#
#   bench/share.sh run RTT_MS FOLDER   -- COMMAND...   mounts FOLDER, runs COMMAND
#                                                   with SHARE set to the mount
#                                                   point, unmounts
#   bench/share.sh mount RTT_MS FOLDER MOUNTPOINT   mounts, and leaves it mounted
#   bench/share.sh unmount MOUNTPOINT               unmounts, stops the server
#
# Sourced (by bench/run.sh), it defines share_mount and share_unmount alone.
# The server's keys, configuration and relay live in SHARE_STATE
# (/var/tmp/cinefiche-share unless set), which unmount removes.

SHARE_STATE=${SHARE_STATE:-/var/tmp/cinefiche-share}
SHARE_PORT=${SHARE_PORT:-22734}
share_source=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

share_server() {   # starts sshd on the loopback, once
    local state=$SHARE_STATE
    [ -f "$state/sshd.pid" ] && kill -0 "$(cat "$state/sshd.pid")" 2>/dev/null && return 0
    mkdir -p -m 700 "$state" /run/sshd
    [ -f "$state/host" ] || ssh-keygen -q -t ed25519 -N '' -f "$state/host"
    [ -f "$state/client" ] || ssh-keygen -q -t ed25519 -N '' -f "$state/client"
    cp "$state/client.pub" "$state/authorized"
    cat >"$state/sshd_config" <<EOF
ListenAddress 127.0.0.1
Port $SHARE_PORT
HostKey $state/host
AuthorizedKeysFile $state/authorized
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
StrictModes no
UsePAM no
PidFile $state/sshd.pid
Subsystem sftp internal-sftp
EOF
    cc -O2 -pthread -o "$state/relay" "$share_source/relay.c"
    /usr/sbin/sshd -f "$state/sshd_config" -E "$state/sshd.log"
    local tries=50
    until [ -f "$state/sshd.pid" ]; do
        ((tries-- > 0)) || { echo "sshd ne démarre pas : $state/sshd.log" >&2; return 1; }
        sleep 0.1
    done
}

share_mount() {   # round trip in ms, folder, mount point
    local rtt=$1 folder=$2 point=$3 state=$SHARE_STATE
    share_server || return 1
    mkdir -p "$point"
    local options=(-o "IdentityFile=$state/client" -o StrictHostKeyChecking=no
        -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR -o "Port=$SHARE_PORT")
    local each
    each=$(awk -v r="$rtt" 'BEGIN { print r / 2 }')
    [ "$each" != 0 ] && options+=(-o "ProxyCommand=$state/relay $each 127.0.0.1 $SHARE_PORT")
    sshfs "root@127.0.0.1:$(realpath "$folder")" "$point" "${options[@]}" && realpath "$point" >>"$state/mounts"
}

share_unmount() {   # mount point; stops the server once nothing is mounted from it
    local point
    point=$(realpath "$1")
    fusermount3 -u "$point" 2>/dev/null || umount -l "$point"
    rmdir "$point" 2>/dev/null || true
    [ -f "$SHARE_STATE/mounts" ] && grep -vxF "$point" "$SHARE_STATE/mounts" >"$SHARE_STATE/left" || true
    [ -f "$SHARE_STATE/left" ] && mv "$SHARE_STATE/left" "$SHARE_STATE/mounts"
    [ -s "$SHARE_STATE/mounts" ] && return 0
    [ -f "$SHARE_STATE/sshd.pid" ] && kill "$(cat "$SHARE_STATE/sshd.pid")" 2>/dev/null || true
    rm -rf "$SHARE_STATE"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    case "${1:-}" in
    run)
        [ "${4:-}" = "--" ] || { echo "usage : $0 run ALLER_RETOUR_MS DOSSIER -- COMMANDE..." >&2; exit 2; }
        SHARE=$(mktemp -d /var/tmp/cinefiche-mount.XXXXXX)
        export SHARE
        share_mount "$2" "$3" "$SHARE"
        trap 'share_unmount "$SHARE"' EXIT
        shift 4
        "$@"
        ;;
    mount) share_mount "$2" "$3" "$4" ;;
    unmount) share_unmount "$2" ;;
    *) echo "usage : $0 run|mount|unmount ..." >&2; exit 2 ;;
    esac
fi
