#!/usr/bin/env bash
# Builds the reader's libFuzzer target with clang (Debian: clang, libclang-rt-14-dev).
#   fuzz/build.sh [OUT_DIR]        -> OUT_DIR/fuzz_reader (default build-fuzz/)
# Run, seeded with the corpus, single job, niced, memory bounded:
#   nice -n 19 build-fuzz/fuzz_reader -jobs=1 -workers=1 -rss_limit_mb=2048 \
#     -max_len=262144 -timeout=30 -max_total_time=1200 CORPUS_DIR ../shared/swf-corpus/parse
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/../src"
out="${1:-$here/../build-fuzz}"
mkdir -p "$out"
movie="$src/runtime/movie"
lzma_flags=()
if [ -f /usr/include/lzma.h ]; then lzma_flags=(-DYELVANIS_HAVE_LZMA -llzma); fi
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" "${lzma_flags[@]:0:1}" \
  "$here/fuzz_reader.cpp" \
  "$movie/SwfStream.cpp" "$movie/SwfReader.cpp" "$movie/SwfDecompress.cpp" \
  "$movie/SwfShapeTags.cpp" "$movie/SwfBitmapTags.cpp" "$movie/SwfTextTags.cpp" "$movie/SwfDisplayTags.cpp" \
  "$movie/ShapeGeometry.cpp" "$movie/MoviePlayer.cpp" \
  -lz "${lzma_flags[@]:1:1}" -o "$out/fuzz_reader"
echo "built $out/fuzz_reader"
