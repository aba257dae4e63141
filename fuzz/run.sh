#!/usr/bin/env bash
# Builds the window with clang, libFuzzer, ASan and UBSan, and fuzzes it for
# FUZZ_SECONDS (default 60) from the seed corpus. A crash or broken invariant
# fails, and libFuzzer prints the input's bytes and leaves it as crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh clang libclang-rt-dev
seconds=${FUZZ_SECONDS:-60}
flags="-fsanitize=address,undefined,float-divide-by-zero,float-cast-overflow,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DYEASTCALC_FUZZ=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
cmake --build build/fuzz --parallel --target fuzz_window

# New finds go to a scratch corpus; the checked-in seeds stay as they are.
rm -rf build/fuzz/corpus build/fuzz/artifacts
mkdir -p build/fuzz/corpus build/fuzz/artifacts
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=fuzz/lsan.supp UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build/fuzz/fuzz/fuzz_window -max_total_time="$seconds" -max_len=512 -timeout=10 \
    -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/ \
    build/fuzz/corpus fuzz/corpus
