#!/usr/bin/env bash
# Configures (once) and builds the project into build/ with Ninja.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${BRIVO_BUILD_DIR:-$raiz/build}
if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$raiz" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BRIVO_BUILD_TYPE:-RelWithDebInfo}
fi
cmake --build "$dir"
