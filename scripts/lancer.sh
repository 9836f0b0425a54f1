#!/usr/bin/env bash
# Installs, builds and starts Galvora on its simulated unit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/installer-dependances.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGALVORA_TESTS=OFF >/dev/null
cmake --build build
if [ -x build/app/galvora ]; then
  exec build/app/galvora "$@"
else
  echo "Qt 6 Widgets were not found: Galvora itself was not built (see build/)." >&2
  exit 1
fi
