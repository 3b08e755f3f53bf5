#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With CI=true compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

werror=OFF
if [ "${CI:-}" = "true" ]; then
  werror=ON
fi
export QT_QPA_PLATFORM=offscreen

cmake --preset default -DVELOR_WERROR="$werror"
cmake --build --preset default -j "$(nproc)"
ctest --preset default -j "$(nproc)" --timeout 600
