#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the simulated meter.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"

bin=build/default/bin
if [ -x "$bin/velor-demo" ]; then
  exec "$bin/velor-demo" "$@"
elif [ -x "$bin/velor" ]; then
  echo "run-demo: the simulated bridge is not built yet; starting the window without it"
  exec "$bin/velor" "$@"
else
  echo "run-demo: the window is not built yet; decoding a sample of meter frames with velor-cli"
  exec "$bin/velor-cli" decode --hex tests/meter/data/sample-frames.hex
fi
