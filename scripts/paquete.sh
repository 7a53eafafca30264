#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# brivo2_<version>_<arch>.deb in the build folder.
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
dir=${BRIVO_BUILD_DIR:-$raiz/build}
"$raiz/scripts/dependencias.sh"
"$raiz/scripts/compilar.sh"
cd "$dir"
cpack -G DEB
ls -1 "$dir"/brivo2_*.deb
