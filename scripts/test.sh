#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds, and runs the tests
# (embedded Firebird for local files, a local Firebird server for the
# "server:path" address form).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# Compiled objects are shared with any other checkout of the project on this
# machine: paths are hashed relative to the checkout.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
BUILD_DIR="${BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD_DIR" -j2

bash scripts/firebird-server.sh start
export TARVEDO_TEST_SERVER=127.0.0.1
# The server's administrator password is this machine's own (made on its
# first start); the tests reach the server with it.
TARVEDO_DB_PASSWORD="$(bash scripts/firebird-server.sh password)"
export TARVEDO_DB_PASSWORD
trap 'bash scripts/firebird-server.sh stop' EXIT

ctest --test-dir "$BUILD_DIR" -j2 --output-on-failure

# The reliability suite: the whole test suite again under AddressSanitizer
# and UndefinedBehaviorSanitizer, then each fuzz target for a short while
# from its seeds. README, "Megbízhatósági próbák", runs them at length.
started=$SECONDS
bash scripts/sanitizer-tests.sh
echo "sanitizer suite: $((SECONDS - started)) s"

started=$SECONDS
FUZZ_BUILD_DIR="${FUZZ_BUILD_DIR:-build-fuzz}"
cmake -S . -B "$FUZZ_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARVEDO_FUZZ=ON
cmake --build "$FUZZ_BUILD_DIR" -j2
FUZZ_BUILD_DIR="$FUZZ_BUILD_DIR" bash scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
echo "fuzz targets: $((SECONDS - started)) s"
