#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (Debian: clang, libclang-rt-14-dev):
#   fuzz/build.sh [OUT_DIR]   -> OUT_DIR/fuzz_reader, OUT_DIR/fuzz_render, OUT_DIR/make_seeds
# (default build-fuzz/). fuzz/README.md says how to seed and run them.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../build-fuzz}"
cmake -S "$here" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_RUNTIME_OUTPUT_DIRECTORY="$out" >/dev/null
cmake --build "$out" -j "${JOBS:-1}" --target fuzz_reader fuzz_render make_seeds
echo "built $out/fuzz_reader $out/fuzz_render $out/make_seeds"
