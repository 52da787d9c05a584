#!/usr/bin/env bash
# The main job: builds the Windows programs and runs them under Wine.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
cd "$HX_ROOT"
hx_install_packages
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${HX_JOBS:-2}"
hx_wine_start
ctest --preset windows
