#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs the tests
# offscreen; then runs the core tests once more under AddressSanitizer and UBSan.
#   ./test.sh            everything
#   ./test.sh --quick    skip the sanitizer build
set -euo pipefail
cd "$(dirname "$0")"
quick=0
[ "${1:-}" = "--quick" ] && quick=1

./scripts/setup.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRTV_WERROR=ON >/dev/null
cmake --build build -j2
(cd build && ctest -j2 --output-on-failure --timeout 120)

if [ "$quick" -eq 0 ]; then
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRTV_WERROR=ON -DRTV_SANITIZE=ON \
        -DRTV_CORE_ONLY=ON >/dev/null
  cmake --build build-sanitize -j2
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest -j2 --output-on-failure --timeout 120)
fi
