#!/usr/bin/env bash
# Builds a static libtiff for 32-bit Windows from Debian's patched source package,
# with only the codecs built into libtiff itself (no JPEG, no zlib). Its Win32 file layer asks for a
# file's size with GetFileSizeEx, which Windows 95, 98, Me and NT 4.0 do not export; the build asks
# GetFileSize instead. (Its POSIX-style layer would avoid the call but reads without mapping the
# file, and then an uncompressed strip shorter than its rows is filled from whatever follows it
# in the file instead of failing.)
# usage: build-libtiff-win32.sh PREFIX TOOLCHAIN_FILE [TOOLCHAIN_486]
#   installs into PREFIX; TOOLCHAIN_486 is the prefix of scripts/build-toolchain-486.sh, which the
#   program's toolchain file (cmake/toolchain-mingw32.cmake) needs.
set -euo pipefail
mkdir -p "$1"
prefix=$(cd "$1" && pwd)
toolchain_file=$(readlink -f "$2")
toolchain_486=""
[ -z "${3:-}" ] || toolchain_486=$(readlink -f "$3")
stamp="$prefix/.built"
# What the build is made with; a library built another way is built again.
config="win32-io-getfilesize $(basename "$toolchain_file")${toolchain_486:+ $(basename "$toolchain_486")}"
[ -f "$stamp" ] && [ "$(sed -n 2p "$stamp")" = "$config" ] && exit 0

work="$prefix.work"
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"

# Newest listed version first; a version whose .dsc is gone falls back to the next.
versions=$(apt-cache showsrc tiff 2>/dev/null | awk '/^Version:/ {print $2}' | sort -rV | uniq)
[ -n "$versions" ] || { echo "no source entries for tiff: run scripts/install-deps.sh" >&2; exit 1; }
got=""
for v in $versions; do
  rm -f ./*.dsc ./*.tar.* ./*.diff.*
  if apt-get source --download-only "tiff=$v" >/dev/null 2>&1 && ls ./*.dsc >/dev/null 2>&1; then
    got=$v
    break
  fi
done
[ -n "$got" ] || { echo "could not fetch Debian's tiff source" >&2; exit 1; }
echo "libtiff: building Debian source $got for i686-w64-mingw32 ($(basename "$toolchain_file"))"

dpkg-source -x ./tiff_*.dsc src >/dev/null 2>&1
# Only the library is ours to use: its programs, contributions and tests go unread.
rm -rf src/tools src/contrib src/test

python3 - src/libtiff/tif_win32.c <<'PY'
import sys
path = sys.argv[1]
text = open(path).read()
old = """    LARGE_INTEGER m;
    if (GetFileSizeEx(fd, &m))
        return (m.QuadPart);
    else
        return (0);"""
new = """    DWORD high = 0;
    DWORD low = GetFileSize(fd, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return (0);
    return (((uint64_t)high << 32) | low);"""
if old not in text:
    sys.exit("tif_win32.c: the size query to replace was not found")
open(path, "w").write(text.replace(old, new))
PY

cmake -S src -B build -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain_file" -DTARNVEL_TOOLCHAIN_486="$toolchain_486" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=OFF -Djpeg=OFF -Dold-jpeg=OFF -Djpeg12=OFF -Dzlib=OFF -Dlibdeflate=OFF \
  -Dpixarlog=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF -Dcxx=OFF \
  -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF >build.log 2>&1 \
  || { cat build.log >&2; exit 1; }
cmake --build build --target tiff >>build.log 2>&1 || { tail -50 build.log >&2; exit 1; }

mkdir -p "$prefix/lib" "$prefix/include"
cp build/libtiff/libtiff.a "$prefix/lib/"
cp src/libtiff/tiff.h src/libtiff/tiffio.h src/libtiff/tiffvers.h build/libtiff/tiffconf.h "$prefix/include/"
printf '%s\n%s\n' "$got" "$config" > "$stamp"
cd "$prefix/.." && rm -rf "$work"
