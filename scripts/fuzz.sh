#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (QX_FUZZ_SECONDS, 20 by default) from the kept seeds plus generated well-formed files; the
# "datos fiscales" reader starts from the sample files shipped in resources/examples.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
seconds=${QX_FUZZ_SECONDS:-20}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
corpus="$build/corpus/transfer"
rm -rf "$corpus" && mkdir -p "$corpus"
cp "$root"/fuzz/corpus/transfer/* "$corpus"/
"$build/transfer_seeds" "$corpus"
"$build/transfer_file_fuzzer" -max_total_time="$seconds" -max_len=300000 -rss_limit_mb=2048 "$corpus"

corpus="$build/corpus/fiscal"
rm -rf "$corpus" && mkdir -p "$corpus"
cp "$root"/resources/examples/*.df "$corpus"/
"$build/fiscal_file_fuzzer" -max_total_time="$seconds" -max_len=20000 -rss_limit_mb=2048 "$corpus"
