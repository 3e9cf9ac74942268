#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (Debian: clang, libclang-rt-14-dev):
#   fuzz/build.sh [OUT_DIR]   -> OUT_DIR/fuzz_reader, OUT_DIR/fuzz_render, OUT_DIR/make_seeds
# (default build-fuzz/). fuzz/README.md says how to run them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
src="$here/../src"
out="${1:-$here/../build-fuzz}"
mkdir -p "$out"
movie="$src/runtime/movie"
lzma_flags=()
if [ -f /usr/include/lzma.h ]; then lzma_flags=(-DYELVANIS_HAVE_LZMA -llzma); fi
sanitize=(-g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
swf_sources=("$movie/SwfStream.cpp" "$movie/SwfReader.cpp" "$movie/SwfDecompress.cpp"
  "$movie/SwfShapeTags.cpp" "$movie/SwfBitmapTags.cpp" "$movie/SwfTextTags.cpp" "$movie/SwfDisplayTags.cpp"
  "$movie/ShapeGeometry.cpp" "$movie/MoviePlayer.cpp")

# The reader, geometry and timeline alone: no Qt.
clang++ -std=c++20 "${sanitize[@]}" -I"$src" "${lzma_flags[@]:0:1}" \
  "$here/fuzz_reader.cpp" "${swf_sources[@]}" \
  -lz "${lzma_flags[@]:1:1}" -o "$out/fuzz_reader"
echo "built $out/fuzz_reader"

# Loading and drawing, as the panel does: links Qt.
qt=$(pkg-config --cflags --libs Qt6Gui)
clang++ -std=c++20 -fPIC "${sanitize[@]}" -I"$src" "${lzma_flags[@]:0:1}" \
  "$here/fuzz_render.cpp" "${swf_sources[@]}" "$movie/PixelRaster.cpp" "$movie/AliasedPaint.cpp" \
  "$movie/MovieLoader.cpp" "$movie/MovieRenderer.cpp" \
  $qt -lz "${lzma_flags[@]:1:1}" -o "$out/fuzz_render"
echo "built $out/fuzz_render"

clang++ -std=c++20 -fPIC -O1 -I"$here/../tests/movie" "$here/make_seeds.cpp" $qt -lz -o "$out/make_seeds"
echo "built $out/make_seeds"
