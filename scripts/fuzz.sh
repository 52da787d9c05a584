#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for a few seconds each, starting from its seed corpus
# (new inputs go to a scratch folder, so the committed corpus stays as it is).
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$HX_ROOT"
seconds=${1:-20}
shopt -s nullglob
for target in build/fuzz/fuzz/*_fuzzer; do
  name=$(basename "$target")
  corpus="fuzz/corpus/${name%_fuzzer}"
  scratch=$(mktemp -d)
  echo "--- $name for $seconds s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=1024 -malloc_limit_mb=256 -timeout=5 \
    -print_final_stats=1 "$scratch" "$corpus" 2>&1 | tail -n 12
  rm -rf "$scratch"
done
