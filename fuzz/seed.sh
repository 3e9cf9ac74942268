#!/usr/bin/env bash
# Fills a seed folder with files far larger than the fuzzers grow on their
# own: our six movies, the corpus's parse/ and visual/ files, and the tests'
# hostile movies (from make_seeds). Inputs over 1 MB are left out, matching
# the runs' -max_len.
#   fuzz/seed.sh SEED_DIR [BUILD_DIR]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seeds="${1:?usage: fuzz/seed.sh SEED_DIR [BUILD_DIR]}"
build="${2:-$here/../build-fuzz}"
corpus="${YELVANIS_SHARED_DIR:-$here/../../shared}/swf-corpus"
mkdir -p "$seeds"
cp "$here"/../movies/*.swf "$seeds"/
find "$corpus/parse" "$corpus/visual" -name '*.swf' -size -1024k | while read -r f; do
  cp "$f" "$seeds/$(echo "$f" | md5sum | cut -c1-12).swf"
done
"$build/make_seeds" "$seeds"
echo "$(ls "$seeds" | wc -l) seeds in $seeds"
