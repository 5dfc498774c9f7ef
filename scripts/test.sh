#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, then runs them again under the Spanish
# locale. Under CI (CI=true) or with QX_SANITIZE=1 the tests also run in an AddressSanitizer +
# UndefinedBehaviorSanitizer build. Under CI a compiler warning fails the build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

werror=(-DQX_WERROR=OFF)
if [[ "${CI:-}" == "true" ]]; then werror=(-DQX_WERROR=ON); fi

configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${werror[@]}"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")
# Users run es_ES.UTF-8, where printf and strtod take a comma for the decimal point.
(cd "$root/build" && LC_ALL=es_ES.UTF-8 ctest --output-on-failure -j "$jobs")

if [[ "${CI:-}" == "true" || "${QX_SANITIZE:-0}" == "1" ]]; then
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug -DQX_SANITIZE=ON -DQX_BUILD_BENCH=OFF "${werror[@]}"
  (cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j "$jobs")
fi

# Under CI the file readers are also fuzzed for a bounded time (clang and libFuzzer).
if [[ "${CI:-}" == "true" || "${QX_FUZZ:-0}" == "1" ]]; then
  QX_FUZZ_SECONDS=${QX_FUZZ_SECONDS:-20} "$root/scripts/fuzz.sh"
fi
