#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
#   tools/run-tests.sh             plain build in build/
#   tools/run-tests.sh --sanitize  AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
cmake_args=()
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-asan
  cmake_args+=(-DQIMUBOX_SANITIZE=ON -DQIMUBOX_BUILD_BENCH=OFF)
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1:suppressions=$PWD/tools/sanitizers/asan.supp"
  export LSAN_OPTIONS="suppressions=$PWD/tools/sanitizers/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$PWD/tools/sanitizers/ubsan.supp"
fi

bash tools/install-deps.sh
cmake -S . -B "$build_dir" "${cmake_args[@]}"
cmake --build "$build_dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build_dir" --output-on-failure --timeout 300
