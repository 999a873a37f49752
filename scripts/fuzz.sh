#!/usr/bin/env bash
# Runs every libFuzzer target for a while from its seeds in tests/fuzz/corpus.
#   bash scripts/fuzz.sh [SECONDS] [TARGET...]
# The targets are built in $FUZZ_BUILD_DIR (default build-fuzz) with
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARVEDO_FUZZ=ON
# New inputs found go to a scratch corpus, never into the seeds. A crash, a
# timeout or a memory blow-up stops the run, keeps the input in
# $FUZZ_OUT/<target>/ and exits non-zero.
set -euo pipefail
cd "$(dirname "$0")/.."

SECONDS_EACH="${1:-20}"
shift || true
BUILD="${FUZZ_BUILD_DIR:-build-fuzz}"
OUT="${FUZZ_OUT:-$BUILD/fuzz-out}"
mkdir -p "$OUT"
OUT="$(cd "$OUT" && pwd)"
TARGETS=("$@")
if [ ${#TARGETS[@]} -eq 0 ]; then
  TARGETS=(voucher_file import_csv import_xlsx settings script numbers)
fi

# The run stops at the first fault; UBSan reports are faults too.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
# Reports with file and line (llvm-14 has the symbolizer under its own name).
if [ -z "${ASAN_SYMBOLIZER_PATH:-}" ] && [ -x /usr/lib/llvm-14/bin/llvm-symbolizer ]; then
  export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
fi

# The targets write each input to a file: in memory, that is several times
# more inputs a second than on disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  TMPDIR="$(mktemp -d /dev/shm/tarvedo-fuzz-XXXXXX)"
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi

failed=()
for target in "${TARGETS[@]}"; do
  binary="$BUILD/tests/fuzz/fuzz_$target"
  seeds="$PWD/tests/fuzz/corpus/$target"
  work="$OUT/$target/corpus"
  mkdir -p "$work"
  echo "== fuzz_$target: ${SECONDS_EACH}s"
  if ! "$binary" "$work" "$seeds" \
       -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=1024 -max_len=65536 \
       -artifact_prefix="$OUT/$target/" -print_final_stats=1 2> "$OUT/$target/log"; then
    failed+=("$target")
    tail -n 60 "$OUT/$target/log"
    echo "fuzz_$target failed: the input is in $OUT/$target/ (crash-*, timeout-*, oom-* or leak-*)"
  else
    grep -E "^stat::number_of_executed_units|^stat::new_units_added" "$OUT/$target/log" | tr '\n' ' '
    echo
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz targets with faults: ${failed[*]}"
  exit 1
fi
