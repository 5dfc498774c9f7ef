#!/usr/bin/env bash
# Installs what is missing, builds and runs every test, then runs them again under the Spanish
# locale. Under CI (CI=true) or with QX_SANITIZE=1 the tests also run in an AddressSanitizer +
# UndefinedBehaviorSanitizer build. Under CI a compiler warning fails the build, and the main build
# is compiled with the Release flags.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen

werror=(-DQX_WERROR=OFF)
release_flags=()
asan_debug=()
if [[ "${CI:-}" == "true" ]]; then
  werror=(-DQX_WERROR=ON)
  # CI machines share a small disk: full debug information in two builds does not fit beside the
  # rest. Line tables are enough for the sanitizers' stack traces. The main build takes the
  # Release flags (-O3): the optimiser's own warnings (-Wstringop-overflow and the like) appear
  # only there, and with warnings as errors a Release build that warns fails here.
  release_flags=(-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O3 -DNDEBUG" -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O3 -DNDEBUG")
  asan_debug=(-DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1)
fi

configure_and_build build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${release_flags[@]}" "${werror[@]}"
(cd "$root/build" && ctest --output-on-failure -j "$jobs")
# Users run es_ES.UTF-8, where printf and strtod take a comma for the decimal point.
(cd "$root/build" && LC_ALL=es_ES.UTF-8 ctest --output-on-failure -j "$jobs")
# A clean clone under CI needs the first build no more once its tests have passed.
if [[ "${CI:-}" == "true" ]]; then rm -rf "$root/build"; fi

if [[ "${CI:-}" == "true" || "${QX_SANITIZE:-0}" == "1" ]]; then
  configure_and_build build-asan -DCMAKE_BUILD_TYPE=Debug "${asan_debug[@]}" -DQX_SANITIZE=ON \
    -DQX_BUILD_BENCH=OFF "${werror[@]}"
  (cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
     ctest --output-on-failure -j "$jobs")
  if [[ "${CI:-}" == "true" ]]; then rm -rf "$root/build-asan"; fi
fi

# Under CI the file readers are also fuzzed for a bounded time (clang and libFuzzer).
if [[ "${CI:-}" == "true" || "${QX_FUZZ:-0}" == "1" ]]; then
  QX_FUZZ_SECONDS=${QX_FUZZ_SECONDS:-20} "$root/scripts/fuzz.sh"
fi
