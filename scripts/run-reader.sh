#!/usr/bin/env bash
# Sets up, builds and starts the reader on the sample book (arguments go to the reader).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)"
exec build/quirel "$@"
