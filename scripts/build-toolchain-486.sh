#!/usr/bin/env bash
# Builds, once per machine, the i686 mingw-w64 cross compiler whose own runtime is 486 code: GCC
# 12.2 from Debian's gcc-12-source with --with-arch=i486 (libgcc, libgcc_eh, libstdc++) and
# mingw-w64's CRT of the installed version (start-up objects, libmingw32, libmingwex, the import
# libraries). Debian's prebuilt runtime is Pentium Pro code (cmov, fcomi), and a static program
# links it into its own image, so no compiler flag of ours can keep it out.
#
# The build is kept outside the clone, keyed by the source versions and this recipe's revision:
# ${TARNVEL_CACHE:-/var/cache/tarnvel}/<key>. A prefix without its completion mark is never used;
# it is built again from the start.
# usage: build-toolchain-486.sh LINK     (LINK becomes a symbolic link to the finished prefix)
set -euo pipefail
link=$1
target=i686-w64-mingw32
# Raise when the recipe below changes what it builds.
recipe=2
# Tuned for current processors, where the program mostly runs, but not with GCC's generic tuning:
# that one writes tzcnt (as rep bsf), which a 486 runs only by ignoring a prefix it does not know.
flags="-O2 -march=i486 -mtune=intel"

version_of() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || true; }
gcc_version=$(version_of gcc-12-source)
crt_version=$(version_of mingw-w64-i686-dev)
[ -n "$gcc_version" ] && [ -n "$crt_version" ] \
  || { echo "toolchain-486: gcc-12-source or mingw-w64-i686-dev missing: run scripts/install-deps.sh" >&2; exit 1; }

cache=${TARNVEL_CACHE:-/var/cache/tarnvel}
key="i486-gcc-$gcc_version-mingw-w64-$crt_version-r$recipe"
prefix="$cache/$key"
done_mark="$prefix/.complete"
mkdir -p "$cache" "$(dirname "$link")"

# Two builds of one machine share the cache: the second waits for the first, for at most two hours.
exec 9>"$cache/$key.lock"
flock -w 7200 9 || { echo "toolchain-486: $cache/$key.lock still held after two hours" >&2; exit 1; }

if [ ! -f "$done_mark" ]; then
  start=$(date +%s)
  echo "toolchain-486: building GCC $gcc_version and mingw-w64 $crt_version for the 486 into $prefix"
  echo "toolchain-486: once per machine, about half an hour on 2 cores; log in $cache/$key.work/*.log"
  work="$cache/$key.work"
  rm -rf "$work" "$prefix"
  mkdir -p "$work" "$prefix/bin" "$prefix/$target/bin"
  cd "$work"
  jobs=$(nproc)
  [ "$jobs" -le 2 ] || jobs=2
  step() { # step NAME COMMAND...: runs quietly into NAME.log, shows its tail on failure
    local name=$1
    shift
    if ! "$@" >"$work/$name.log" 2>&1; then
      echo "toolchain-486: $name failed; the end of $work/$name.log:" >&2
      tail -40 "$work/$name.log" >&2
      exit 1
    fi
  }

  # The installed binutils serve the new compiler; its driver looks for them beside itself.
  for tool in ar as dlltool ld nm objcopy objdump ranlib strip windres; do
    ln -s "/usr/bin/$target-$tool" "$prefix/bin/$target-$tool"
    ln -s "/usr/bin/$target-$tool" "$prefix/$target/bin/$tool"
  done
  # Debian's headers are relative symbolic links that break when copied as links.
  cp -rL "/usr/$target/include" "$prefix/$target/include"

  # mingw-w64's runtime, with the installed compiler (the new one cannot link before it exists).
  step crt-source apt-get source --download-only "mingw-w64=$crt_version"
  step crt-unpack dpkg-source -x ./mingw-w64_*.dsc mingw-w64
  mkdir crt-build
  (cd crt-build && step crt-configure ../mingw-w64/mingw-w64-crt/configure --host=$target \
    --prefix="$prefix/$target" --enable-lib32 --disable-lib64 \
    CC="$target-gcc-win32" CFLAGS="$flags" CCASFLAGS="$flags")
  step crt-build make -C crt-build -j"$jobs"
  step crt-install make -C crt-build install
  echo "toolchain-486: mingw-w64 runtime done after $(($(date +%s) - start)) s"

  # GCC: Debian's tarball lacks the GFDL manuals, which the build generates hooks documentation
  # into; Debian's own patch supplies what the build needs instead.
  step gcc-unpack tar -xf /usr/src/gcc-12/gcc-*-dfsg.tar.xz
  src=$(ls -d "$work"/gcc-[0-9]*)
  (cd "$src" && step gcc-gfdl patch -p2 -i /usr/src/gcc-12/debian/patches/gcc-gfdl-build.diff)
  mkdir gcc-build
  # The compiler itself is built without debugging information, which only slows its build down.
  # The verbose terminate handler would link the demangler; the rdrand and rdseed paths of
  # std::random_device are instructions a 486 lacks (the rest of libstdc++ is left as it is).
  (cd gcc-build && step gcc-configure "$src/configure" --prefix="$prefix" --target=$target \
    --with-arch=i486 --with-tune=intel --enable-languages=c,c++ --disable-bootstrap \
    --disable-multilib --disable-nls --disable-lto --disable-plugin --disable-libcc1 \
    --disable-shared --enable-static --enable-threads=win32 --disable-sjlj-exceptions --with-dwarf2 \
    --disable-libgomp --disable-libquadmath --disable-libssp --disable-libatomic --disable-libvtv \
    --disable-libstdcxx-pch --disable-libstdcxx-verbose --enable-fully-dynamic-string \
    --disable-werror --with-as="/usr/bin/$target-as" --with-ld="/usr/bin/$target-ld" \
    CFLAGS=-O2 CXXFLAGS=-O2)
  step gcc-build make -C gcc-build -j"$jobs" all-gcc
  step gcc-install make -C gcc-build install-gcc
  echo "toolchain-486: compiler done after $(($(date +%s) - start)) s"
  export ac_cv_x86_rdrand=no ac_cv_x86_rdseed=no
  step runtime-build make -C gcc-build -j"$jobs" all-target-libgcc all-target-libstdc++-v3
  step runtime-install make -C gcc-build install-target-libgcc install-target-libstdc++-v3

  printf 'gcc-12-source %s\nmingw-w64 %s\nrecipe %s\n' "$gcc_version" "$crt_version" "$recipe" >"$done_mark"
  cd "$cache" && rm -rf "$work"
  echo "toolchain-486: done in $(($(date +%s) - start)) s"
fi
ln -sfn "$prefix" "$link"
