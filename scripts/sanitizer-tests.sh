#!/usr/bin/env bash
# Builds the program and its whole test suite with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the tests.
#   bash scripts/sanitizer-tests.sh [CTEST ARGS...]      e.g. -R Demo
# Tests that need the Firebird server read TARVEDO_TEST_SERVER, as in the
# normal run (scripts/firebird-server.sh start). Reports of faults inside
# Firebird and Qt, which are not built with the sanitizers, are suppressed by
# the named entries in tests/sanitizers/.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
SAN_DIR="${SAN_BUILD_DIR:-build-san}"
cmake -S . -B "$SAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEDO_SANITIZE=ON -DTARVEDO_BENCHES=OFF
cmake --build "$SAN_DIR" -j2

supp="$PWD/tests/sanitizers"
# Child processes (tarvedo-cli started by the tests) inherit these.
# Leak checking is off here: in a process that has run Firebird's embedded
# engine, LeakSanitizer's thread tracer itself crashes at exit ("Tracer
# caught signal 11") in some runs, which fails a sound test at random. The
# fuzz targets, which load no Firebird, check leaks; tests/sanitizers/
# lsan.supp holds what Firebird keeps for a by-hand leak run (README).
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}:halt_on_error=1:detect_stack_use_after_return=0:suppressions=$supp/asan.supp"
export LSAN_OPTIONS="suppressions=$supp/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:suppressions=$supp/ubsan.supp"

ctest --test-dir "$SAN_DIR" -j2 --output-on-failure "$@"
