#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (QX_FUZZ_SECONDS, 20 by default) from the kept seeds plus generated well-formed files: the
# transfer-file and local-copy readers, the page-picture reader and player, the "datos fiscales"
# reader (from the sample files shipped in resources/examples), the settings profile and the
# declarations store over rows of any content, the box-definition rows and the edits' typed text.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
seconds=${QX_FUZZ_SECONDS:-20}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs"
# Each target: its kept seeds and the generated well-formed files (one form each, as a local
# copy holds them, and both forms together).
for pair in transfer:transfer_file_fuzzer local:local_copy_fuzzer; do
  name=${pair%%:*} target=${pair#*:}
  corpus="$build/corpus/$name"
  rm -rf "$corpus" && mkdir -p "$corpus"
  cp "$root"/fuzz/corpus/"$name"/* "$corpus"/
  "$build/transfer_seeds" "$corpus"
  "$build/$target" -max_total_time="$seconds" -max_len=300000 -rss_limit_mb=2048 "$corpus"
done

corpus="$build/corpus/wmf"
rm -rf "$corpus" && mkdir -p "$corpus"
"$build/wmf_seeds" "$root/resources/pages" "$corpus"
"$build/wmf_reader_fuzzer" -max_total_time="$seconds" -max_len=200000 -rss_limit_mb=2048 "$corpus"
# The player over the same pictures (its own copy: each run adds what it finds to its corpus); the
# system's font configuration keeps caches to the end of the process, which is no leak of ours.
rm -rf "$build/corpus/wmf_player" && cp -r "$corpus" "$build/corpus/wmf_player"
QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$root/fuzz/lsan_fonts.supp" "$build/wmf_player_fuzzer" \
  -max_total_time="$seconds" -max_len=200000 -rss_limit_mb=2048 "$build/corpus/wmf_player"

corpus="$build/corpus/fiscal"
rm -rf "$corpus" && mkdir -p "$corpus"
cp "$root"/resources/examples/*.df "$corpus"/
"$build/fiscal_file_fuzzer" -max_total_time="$seconds" -max_len=20000 -rss_limit_mb=2048 "$corpus"

corpus="$build/corpus/profile"
rm -rf "$corpus" && mkdir -p "$corpus"
cp "$root"/fuzz/corpus/profile/* "$corpus"/
"$build/settings_profile_fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 "$corpus"

corpus="$build/corpus/store"
rm -rf "$corpus" && mkdir -p "$corpus"
"$build/store_rows_fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=2048 "$corpus"

# Box-definition rows and the edits' typed text, from a few well-formed seeds.
corpus="$build/corpus/box_row"
rm -rf "$corpus" && mkdir -p "$corpus"
for spec in F12*5.2 S9 R13.2 S1*5.0 D8 R12*3-x; do
  { printf '\x0a\x00\x00\x00\x14\x00\x00\x00\x64\x00\x00\x00\x78\x00\x00\x00\x09'; printf '%s' "$spec"; } >"$corpus/$spec"
done
"$build/box_row_fuzzer" -max_total_time="$seconds" -max_len=256 -rss_limit_mb=2048 "$corpus"

corpus="$build/corpus/typed_text"
rm -rf "$corpus" && mkdir -p "$corpus"
n=0
for text in '1.234,56' '-12,5' '1 /2 /03  ' '15/06/1970' '12345678Z' 'X1234567L' 'B12345674' '99999999999'; do
  n=$((n + 1))
  printf '\x01%s' "$text" >"$corpus/seed$n"
done
"$build/typed_text_fuzzer" -max_total_time="$seconds" -max_len=64 -rss_limit_mb=2048 "$corpus"
