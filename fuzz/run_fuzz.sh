#!/bin/sh
# Fuzzes the library's open-and-play path for SECONDS (default 600): builds
# the target with clang and libFuzzer in BUILD (default build/fuzz of the
# source tree), seeds it with a fresh corpus and the committed regressions,
# and leaves any crashing, leaking or hanging input in BUILD/findings. The
# exit status is libFuzzer's: 0 when the time ran out without a finding.
set -eu
secs="${1:-600}"
src=$(cd "$(dirname "$0")/.." && pwd)
build="${2:-$src/build/fuzz}"
CC=clang CXX=clang++ cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKV_FUZZ=ON -DKV_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target kvplay_fuzz -j2
"$src/fuzz/make_corpus.sh" "$build/corpus"
mkdir -p "$build/findings"
exec "$build/devtools/kvplay_fuzz" -max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$build/findings/" "$build/corpus" "$src/fuzz/regressions"
