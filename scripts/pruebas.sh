#!/usr/bin/env bash
# Installs what is missing, builds, checks the sources' format and runs the
# whole test suite.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${BRIVO_BUILD_DIR:-$raiz/build}
"$raiz/scripts/dependencias.sh"
"$raiz/scripts/compilar.sh"
# Unformatted sources fail the tests (`cmake --build build --target format` mends them).
cmake --build "$dir" --target formato-comprobar
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j2 "$@"
