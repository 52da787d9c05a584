#!/usr/bin/env bash
# Installs what the tests need, builds every preset and runs every test: native, native under
# AddressSanitizer + UBSan, the fuzz targets (corpus replay and a short run) and the Windows
# build under Wine.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$HX_ROOT"
JOBS=${HX_JOBS:-2}
FUZZ_SECONDS=${HX_FUZZ_SECONDS:-20}

hx_stage "install packages" hx_install_packages

hx_stage "native: build" bash -c "cmake --preset native >/dev/null && cmake --build --preset native -j $JOBS"
hx_stage "native: test" ctest --preset native

hx_stage "native-asan: build" bash -c "cmake --preset native-asan >/dev/null && cmake --build --preset native-asan -j $JOBS"
hx_stage "native-asan: test" ctest --preset native-asan

hx_stage "fuzz: build" bash -c "cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j $JOBS"
hx_stage "fuzz: corpus replay" ctest --preset fuzz
hx_stage "fuzz: short runs" scripts/fuzz.sh "$FUZZ_SECONDS"

hx_stage "windows: build" bash -c "cmake --preset windows >/dev/null && cmake --build --preset windows -j $JOBS"
hx_stage "wine: prefix" hx_wine_start
hx_stage "windows: test under Wine" ctest --preset windows

hx_print_stages
echo "All tests passed."
