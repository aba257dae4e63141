#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the layout with clang-format, then runs clang-tidy (.clang-tidy) and
# cppcheck over the program, its tests and the benchmark. Any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."

setup/deps.sh clang clang-format clang-tidy cppcheck
sources=$(git ls-files '*.cpp' '*.h')

echo "== clang-format"
clang-format --dry-run --Werror $sources

# clang builds everything once, so the tests' moc output exists for clang-tidy;
# it doubles as a warning check under clang.
echo "== clang build"
CC=clang CXX=clang++ cmake -S . -B build/lint -DCMAKE_BUILD_TYPE=Debug -DYEASTCALC_BENCH=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/lint --parallel "$(nproc)"

echo "== clang-tidy"
# Its "N warnings generated" lines count what it hid in system headers.
git ls-files '*.cpp' | xargs -P "$(nproc)" -n 1 clang-tidy -p build/lint --quiet 2>&1 \
    | { grep -v '^[0-9]* warnings\? generated\.$' || true; }

echo "== cppcheck"
# From 2.11 on, cppcheck stops following branches past a limit unless told to
# go on, and reports that as a finding; the full analysis takes seconds here.
level=()
cppcheck --help | grep -q -- --check-level && level=(--check-level=exhaustive)
# useStlAlgorithm is left out: it would turn plain Qt-style loops over nine
# squares into std::generate and std::any_of calls that read worse.
cppcheck --quiet --std=c++17 --library=qt --enable=warning,style,performance,portability \
    "${level[@]}" --suppress=useStlAlgorithm --inline-suppr --error-exitcode=1 -I src src tests bench

echo "lint: clean"
