#!/usr/bin/env bash
# Installs what is missing, builds and runs every test (the editor window's
# tests headless, and its screenshot test under Xvfb); then builds the core
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests and
# the fuzz corpus there.
set -euo pipefail
cd "$(dirname "$0")"
JOBS="$(nproc)"

./tools/install-deps.sh

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIW_GUI=AUTO >/dev/null
cmake --build build -j"$JOBS"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$JOBS"

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DIW_SANITIZE=ON -DIW_FUZZ=ON -DIW_BENCH=OFF -DIW_GUI=OFF >/dev/null
cmake --build build-asan -j"$JOBS"
echo "== sanitizer tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$JOBS"
