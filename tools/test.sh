#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  1. the parts without windows again under AddressSanitizer and UndefinedBehaviorSanitizer
#     (clang), with each fuzz target run for a few seconds;
#  2. the whole program with g++, every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
jobs=$(nproc)

cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DTESSARINE_WITH_GUI=OFF -DTESSARINE_SANITIZE=ON -DTESSARINE_FUZZ=ON -DTESSARINE_BENCH=OFF >/dev/null
cmake --build build-san -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-san --output-on-failure -j "$jobs"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
