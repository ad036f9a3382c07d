#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, only what is missing (gcc-12-source and
# what building GCC needs are for the 486 toolchain, scripts/build-toolchain-486.sh).
# Runs as root (CI and the developers' machines are root); uses sudo otherwise.
set -euo pipefail

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

for p in cmake ninja-build make g++ clang libclang-rt-14-dev clang-format libtiff-dev googletest \
         g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 \
         wine wine64 xvfb xauth x11-utils imagemagick dpkg-dev zip python3 ghostscript poppler-utils qpdf fuse3 python3-fusepy \
         gcc-12-source libgmp-dev libmpfr-dev libmpc-dev flex bison texinfo; do
  have "$p" || need+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
have wine32:i386 || need+=("wine32:i386")

if [ "${#need[@]}" -gt 0 ]; then
  echo "install-deps: installing ${need[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

# The source entries that the libtiff build for Windows fetches Debian's patched source from.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  src=/etc/apt/sources.list.d/debian.sources
  if [ -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$src" | $SUDO tee /etc/apt/sources.list.d/tarnvel-src.sources >/dev/null
    $SUDO apt-get update -qq
  fi
fi
