#!/usr/bin/env bash
# Checks the installation as a desktop and a Debian system see it: installs
# build/ into a scratch prefix and checks the card type, the default
# application, the desktop entries, the metainfo, the man pages and the
# program without a display; then packs build/ with CPack, checks the
# package's files, dependencies, description and stripped binaries, installs
# it with apt-get and removes it.
# Run after ./test.sh, as root or with sudo rights, on a machine where the
# package "cinefiche" is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
install_missing_packages desktop-file-utils appstream xdg-utils shared-mime-info libglib2.0-bin \
    dpkg-dev file man-db

# Every file the installation puts down, under its prefix.
expected=(
    bin/cinefiche
    bin/cinefiche-card
    libexec/cinefiche/cinefiche-card-pictures
    share/applications/cinefiche.desktop
    share/applications/cinefiche.modifier.desktop
    share/applications/x-cinefiche-collection.desktop
    share/doc/cinefiche/copyright
    share/icons/hicolor/scalable/apps/cinefiche.svg
    share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/cinefiche.png
    share/icons/hicolor/scalable/mimetypes/application-x-cinefiche.svg
    share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/mimetypes/application-x-cinefiche.png
    share/man/man1/cinefiche.1.gz
    share/man/man1/cinefiche-card.1.gz
    share/thumbnailers/cinefiche.thumbnailer
    share/metainfo/org.example.Cinefiche.metainfo.xml
    share/mime/packages/cinefiche.xml
)

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
build=$PWD/build
work=$(mktemp -d)
chmod 755 "$work"   # apt reads the package as its own user
prefix=$work/prefix
deb=""
trap 'rm -rf "$work"' EXIT

ok() { echo "ok    $*"; }
fail() {
    echo "ÉCHEC $*" >&2
    exit 1
}
quietly() {   # runs a command; its output is shown only when it fails
    "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; fail "$*"; }
}
same_files() {   # label, then a file of paths, compared with the expected list
    if ! diff -u <(printf '%s\n' "${expected[@]}" | sort) <(sort "$2") >"$work/diff"; then
        cat "$work/diff" >&2
        fail "$1 : les fichiers diffèrent de la liste attendue (- attendu, + trouvé)"
    fi
    ok "$1 : ${#expected[@]} fichiers, ceux attendus"
}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

check_prefix() {
    quietly cmake --install "$build" --prefix "$prefix"
    (cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' >"$work/installed"
    same_files "cmake --install" "$work/installed"
}

# A card is recognised by its name and, renamed without extension, by its marker.
check_card_type() {
    local card type
    for card in resources/samples/*.cfh; do
        cp "$card" "$work/fiche sans extension"
        for file in "$card" "$work/fiche sans extension"; do
            type=$(gio info -a standard::content-type "$file" | sed -n 's/^ *standard::content-type: //p')
            [ "$type" = application/x-cinefiche ] || fail "type de $file : « $type »"
        done
    done
    ok "les fiches, avec et sans extension, sont application/x-cinefiche"
}

check_default_application() {
    local default
    default=$(xdg-mime query default application/x-cinefiche)
    [ "$default" = cinefiche.desktop ] || fail "application par défaut (xdg-mime) : « $default »"
    default=$(gio mime application/x-cinefiche | sed -n 1p)
    [[ $default == *": cinefiche.desktop" ]] || fail "application par défaut (gio) : $default"
    ok "cinefiche.desktop est l'application par défaut des fiches"
}

# "Open with" on a folder offers the collection, which never takes folders
# from the file manager, whose entry sorts before it as the usual ones do.
check_folder_entry() {
    local apps=$prefix/share/applications default
    printf '[Desktop Entry]\nType=Application\nName=Fichiers\nExec=true %%U\nMimeType=inode/directory;\n' \
        >"$apps/thunar.desktop"
    update-desktop-database "$apps"
    gio mime inode/directory | grep -q 'x-cinefiche-collection.desktop' \
        || fail "la collection n'est pas proposée pour les dossiers : $(gio mime inode/directory)"
    default=$(xdg-mime query default inode/directory)
    [ "$default" = thunar.desktop ] || fail "application par défaut des dossiers : « $default »"
    rm "$apps/thunar.desktop"
    update-desktop-database "$apps"
    ok "« Ouvrir avec » propose la collection pour un dossier, sans prendre la place du gestionnaire de fichiers"
}

check_validators() {
    local entry page report
    for entry in "$prefix"/share/applications/*.desktop; do
        report=$(desktop-file-validate "$entry") || fail "desktop-file-validate $entry : $report"
        [ -z "$report" ] || fail "desktop-file-validate $entry : $report"
    done
    ok "desktop-file-validate"
    appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$work/appstream" \
        || { cat "$work/appstream" >&2; fail "appstreamcli validate --no-net"; }
    ok "appstreamcli validate --no-net"
    for page in "$prefix"/share/man/man*/*.gz; do
        report=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
        [ -z "$report" ] || fail "man $page : $report"
    done
    ok "pages de manuel, sans avertissement"
}

# --help and --version need no display: no DISPLAY, no Qt platform given.
check_information() {   # the program
    local out
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --version)
    [ "$(head -n 1 <<<"$out")" = "cinefiche $version" ] || fail "$1 --version : $out"
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --help)
    grep -q '^Utilisation : cinefiche' <<<"$out" || fail "$1 --help : $out"
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --help --version >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "$1 --help --version : code $status, 2 attendu"
    ok "$1 --version et --help, sans écran ; ensemble, code 2"
}

# The card tool starts without QtGui; its pictures come from the helper it
# finds in the libexec folder, as the thumbnailer entry runs it.
check_picture_helper() {   # the installed tool
    ! ldd "$1" | grep -q libQt6Gui || fail "$1 est lié à QtGui : $(ldd "$1" | grep libQt6Gui)"
    local thumbnail=$work/vignette.png
    "$1" thumbnail -s 64 resources/samples/le-phare-des-brumes.cfh "$thumbnail" \
        || fail "$1 thumbnail : l'assistant des images ne répond pas"
    file "$thumbnail" | grep -q 'PNG image data' || fail "$1 thumbnail : $(file "$thumbnail")"
    rm -f "$thumbnail"
    ok "$1 sans QtGui ; thumbnail passe par l'assistant des images"
}

check_package() {
    (cd "$work" && quietly cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package")
    deb=$(ls "$work"/package/cinefiche_"$version"_*.deb)
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' >"$work/packed"
    same_files "dpkg -c" "$work/packed"
    dpkg-deb -c "$deb" | awk '$1 !~ /^(-rw-r--r--|-rwxr-xr-x|drwxr-xr-x)$/ { bad = 1; print } END { exit bad }' \
        || fail "droits inattendus dans le paquet"
    local depends needed
    depends=$(dpkg-deb -f "$deb" Depends)
    for needed in libqt6widgets6 libqt6charts6 qt6-translations-l10n fonts-liberation qt6-image-formats-plugins libzip4; do
        grep -q "\b$needed\b" <<<"$depends" || fail "le paquet ne dépend pas de $needed : $depends"
    done
    ok "paquet $(basename "$deb") ; dépendances : $depends"
    check_description "dpkg-deb -f" "$(dpkg-deb -f "$deb" Description)"
    dpkg-deb -x "$deb" "$work/unpacked"
    local program
    for program in "$work"/unpacked/usr/bin/* "$work"/unpacked/usr/libexec/cinefiche/*; do
        file "$program" | grep -q ', stripped' || fail "$(basename "$program") n'est pas dépouillé : $(file "$program")"
    done
    ok "binaires du paquet dépouillés (file)"
}

# A summary line, then a body whose lines start with one blank: two would
# show them as preformatted, and the summary is not said twice.
check_description() {   # where it was read, the description
    local summary body
    summary=$(head -n 1 <<<"$2")
    body=$(tail -n +2 <<<"$2" | sed 's/^Description: //')
    [ -n "$body" ] || fail "$1 : la description n'a pas de corps"
    ! grep -q '^  ' <<<"$body" || fail "$1 : lignes de la description indentées de trop : $body"
    ! grep -qF "$(sed 's/^Description: //' <<<"$summary")" <<<"$body" || fail "$1 : le résumé est répété : $2"
    ok "$1 : description, un résumé puis un corps"
}

check_package_install() {
    ! dpkg-query -W -f='${Status}' cinefiche 2>/dev/null | grep -q 'install ok' \
        || fail "le paquet cinefiche est déjà installé sur cette machine"
    trap '$sudo apt-get purge -y -qq cinefiche >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    quietly $sudo apt-get update -qq
    quietly $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb"
    check_information /usr/bin/cinefiche
    check_description "apt-cache show" "$(apt-cache show cinefiche \
        | awk '/^Description:/ { on = 1; print; next } on && /^ / { print; next } { on = 0 }')"
    check_picture_helper /usr/bin/cinefiche-card
    /usr/bin/cinefiche-card show --json resources/samples/le-phare-des-brumes.cfh | grep -q '"titre": "Le Phare des brumes"' \
        || fail "cinefiche-card, une fois installé, ne lit pas une fiche"
    quietly $sudo env DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq cinefiche
    ! command -v cinefiche >/dev/null || fail "cinefiche reste installé après apt-get purge"
    ok "apt-get install du paquet, cinefiche-card lit une fiche, puis apt-get purge"
}

check_prefix
(
    export XDG_DATA_DIRS="$prefix/share:/usr/share" PATH="$prefix/bin:$PATH"
    # Only the prefix and the system count, not this user's own choices.
    export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config-dirs"
    update-mime-database "$prefix/share/mime"
    update-desktop-database "$prefix/share/applications"
    check_card_type
    check_default_application
    check_folder_entry
    check_validators
    check_information "$prefix/bin/cinefiche"
    check_picture_helper "$prefix/bin/cinefiche-card"
)
check_package
check_package_install
echo "Installation vérifiée."
