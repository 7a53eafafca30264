#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Does nothing (and touches no network) when everything is already there.
# LibreOffice (Writer without its interface) and its Python bridge convert
# Word, RTF and OpenDocument files; the program runs without them too.
set -euo pipefail
paquetes=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
          libzip-dev libsodium-dev libssl-dev zlib1g-dev libgtest-dev googletest zip unzip
          p7zip-full 7zip
          fonts-liberation
          # the format check of the sources (the "format" and "formato-comprobar" targets)
          clang-format
          # LibreOffice converts Word, RTF and OpenDocument files (over python3-uno)
          libreoffice-writer-nogui python3-uno
          # the Debian package (cpack -G DEB) and the checks of the desktop files
          dpkg-dev file desktop-file-utils appstream)
faltan=()
for p in "${paquetes[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
    echo "Instalando: ${faltan[*]}"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${faltan[@]}"
fi
