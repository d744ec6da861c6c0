#!/usr/bin/env bash
# Installs what is missing, builds, and shows the bundled sample diagram.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
./build/src/ideaweave-cli info data/samples/sample.iwo
