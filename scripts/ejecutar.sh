#!/usr/bin/env bash
# Installs what is missing, builds, and starts Brivo II.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
"$raiz/scripts/dependencias.sh"
"$raiz/scripts/compilar.sh"
exec "${BRIVO_BUILD_DIR:-$raiz/build}/brivo2" "$@"
