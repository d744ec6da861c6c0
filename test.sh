#!/usr/bin/env bash
# Installs what is missing, checks that the layers only include downwards and
# that the code is formatted as .clang-format says,
# builds with warnings as errors and runs every test (the editor window's
# tests headless, and its screenshot test under Xvfb); then builds the core
# with AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests and
# the fuzz corpus there.
#
#   ./test.sh           everything
#   ./test.sh --quick   the layer and format checks, the build and the main suite only
#                       (no sanitizer build, no fuzzing): for the edit-test loop
set -euo pipefail
cd "$(dirname "$0")"
JOBS="$(nproc)"

QUICK=0
for arg in "$@"; do
  case "$arg" in
    --quick) QUICK=1 ;;
    *) echo "usage: $0 [--quick]" >&2; exit 1 ;;
  esac
done

./tools/install-deps.sh

echo "== layers"
python3 tools/checklayers.py

echo "== format"
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run -Werror

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DIW_GUI=AUTO -DIW_WERROR=ON >/dev/null
cmake --build build -j"$JOBS"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$JOBS"

if [ "$QUICK" = 1 ]; then
  exit 0
fi

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DIW_SANITIZE=ON -DIW_FUZZ=ON -DIW_BENCH=OFF -DIW_GUI=OFF -DIW_WERROR=ON >/dev/null
cmake --build build-asan -j"$JOBS"
echo "== sanitizer tests"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$JOBS"
