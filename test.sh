#!/usr/bin/env bash
# Builds Cinefiche and runs every test. --sanitize builds into build-sanitize
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs the same tests.
set -euo pipefail
cd "$(dirname "$0")"
source tools/deps.sh
install_missing_packages
check_format

dir=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
    # Unoptimised, and line tables alone: the sanitizers' reports still name
    # each file and line, and the build is a sixth quicker.
    options=(-DCINEFICHE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1)
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
    export LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
configure_and_build "$dir" "${options[@]}"
ctest --test-dir "$dir" --output-on-failure -j2
