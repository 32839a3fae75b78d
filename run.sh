#!/usr/bin/env bash
# Builds Cinefiche and starts it; the arguments go to the program
# (./run.sh card.cfh opens a card, ./run.sh "card.cfh" /m edits it).
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
install_missing_packages
configure_and_build build
exec build/cinefiche "$@"
