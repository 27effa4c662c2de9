#!/usr/bin/env bash
# Runs every benchmark program of a build: bench/run.sh BUILD_DIR
set -euo pipefail
build="${1:-build/native}"
shopt -s nullglob
benches=("$build"/bench/*_bench)
[ ${#benches[@]} -gt 0 ] || { echo "bench: no benchmarks under $build/bench" >&2; exit 1; }
status=0
for b in "${benches[@]}"; do
  echo "== $(basename "$b")"
  "$b" || status=1
done
# Benchmarks that need generated data have their own driver.
echo "== catalogue (folder scan)"
bash "$(dirname "$0")/catalogue/run.sh" "$build" || status=1
echo "== mime (scan by rule set, save)"
bash "$(dirname "$0")/mime/run.sh" "$build" || status=1
echo "== operations (removal, saving)"
python3 "$(dirname "$0")/operations/operations_bench.py" "$build" || status=1
exit $status
