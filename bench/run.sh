#!/bin/bash
# Runs every benchmark program of a native build: bench/run.sh build/native
set -euo pipefail
build=${1:-build/native}
status=0
while IFS= read -r program; do
  echo "== ${program#"$build"/}"
  "$program" || status=1
done < <(find "$build/bench" -type f -name '*_bench' -perm -u+x | sort)
# Benchmarks that need generated data have their own driver.
echo "== catalogue (folder scan)"
bash "$(dirname "$0")/catalogue/run.sh" "$build" || status=1
exit $status
