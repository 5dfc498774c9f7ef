#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Under CI (CI=true) or with QX_SANITIZE=1
# the tests run a second time in an AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$root/build" && ctest --output-on-failure -j "$jobs")

if [[ "${CI:-}" == "true" || "${QX_SANITIZE:-0}" == "1" ]]; then
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON -DQX_BUILD_BENCH=OFF
  (cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j "$jobs")
fi

# Under CI the file readers are also fuzzed for a bounded time (clang and libFuzzer).
if [[ "${CI:-}" == "true" || "${QX_FUZZ:-0}" == "1" ]]; then
  QX_FUZZ_SECONDS=${QX_FUZZ_SECONDS:-20} "$root/scripts/fuzz.sh"
fi
