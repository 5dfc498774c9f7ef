#!/usr/bin/env bash
# Refreshes docs/images/form100-NN-<step>.png: the form-100 journey test run offscreen in
# Castellano, each step saving the window it works on.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
build=${QX_BUILD_DIR:-$root/build}
if [[ ! -x "$build/tests/test_app" ]]; then
  configure_and_build "$(basename "$build")" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$jobs" --target test_app
out="$root/docs/images"
mkdir -p "$out"
rm -f "$out"/form100-*.png
QT_QPA_PLATFORM=offscreen QX_SCREENSHOTS="$out" LC_ALL=es_ES.UTF-8 \
  "$build/tests/test_app" --gtest_filter='JourneyForm100.*'
# Smaller files, same pictures, where the optimiser is installed.
if command -v optipng >/dev/null; then optipng -quiet -o2 "$out"/form100-*.png; fi
ls "$out"/form100-*.png | wc -l
