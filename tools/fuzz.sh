#!/usr/bin/env bash
# Fuzzes the load of a card (its thumbnail too) and the read of an NFO (its
# card must come back the same through an export and a new import) for
# SECONDS (default 60) with libFuzzer, clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, starting from the checked-in corpus
# (tests/fuzz/corpus: cards, and NFOs, which begin with no card marker). New inputs gather in
# build-fuzz/corpus; a failing input is written to build-fuzz/ and the
# script ends with an error.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/deps.sh
install_missing_packages clang libclang-rt-14-dev

seconds=${1:-60}
cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
    -DCINEFICHE_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target untrusted_fuzz
mkdir -p build-fuzz/corpus
cd build-fuzz
QT_QPA_PLATFORM=offscreen tests/fuzz/untrusted_fuzz -max_total_time="$seconds" -max_len=32768 \
    -rss_limit_mb=1024 -timeout=10 -print_final_stats=1 corpus ../tests/fuzz/corpus
