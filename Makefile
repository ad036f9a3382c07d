# Tarnvel: `make` builds build/win32/Tarnvel.exe, `make run` starts it under wine,
# `make test` builds and runs every test, `make bench` and `make fuzz` measure and probe.
# Every target installs what is missing first (Debian 12, as root).

BUILD ?= build
B := $(abspath $(BUILD))
SRC := $(abspath .)
DEPS := $(B)/deps
TIFF_WIN32 := $(DEPS)/libtiff-win32
TIFF_WIN32_STOCK := $(DEPS)/libtiff-win32-stock
# The 486 compiler and runtime: a link to their build, kept once per machine outside the clone
# (TARNVEL_CACHE, /var/cache/tarnvel by default).
TOOLCHAIN_486 := $(B)/toolchain-486
WINEPREFIX := $(B)/wineprefix
FUZZ_SECONDS ?= 600

ifneq ($(CI),)
WERROR := ON
else
WERROR ?= OFF
endif

export WINEPREFIX

.PHONY: all deps toolchain libtiff win32 win32-tests native test mutants bench bench-win32 fuzz run dist clean

all: win32

deps:
	@bash scripts/install-deps.sh

toolchain: deps
	@bash scripts/build-toolchain-486.sh $(TOOLCHAIN_486)

# One libtiff for the program and the test programs: C built by the 486 compiler links with both.
libtiff: toolchain
	@bash scripts/build-libtiff-win32.sh $(TIFF_WIN32) $(SRC)/cmake/toolchain-mingw32.cmake $(TOOLCHAIN_486)

# The program, for the 486, with the win32 thread variant (it must load on Windows 95 and NT 4.0).
win32: libtiff
	@# A folder configured with other compilers keeps them whatever the toolchain file says: made afresh.
	@if [ -f $(B)/win32/CMakeCache.txt ] && ! grep -qs '$(TOOLCHAIN_486)/' $(B)/win32/CMakeFiles/*/CMakeCCompiler.cmake; \
	  then rm -rf $(B)/win32; fi
	@cmake -S . -B $(B)/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(SRC)/cmake/toolchain-mingw32.cmake -DTARNVEL_TOOLCHAIN_486=$(TOOLCHAIN_486) \
	  -DTARNVEL_TESTS=OFF -DTARNVEL_TIFF_DIR=$(TIFF_WIN32) -DTARNVEL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(B)/win32

# The Windows test programs and stand-ins, with the posix thread variant that GoogleTest needs.
win32-tests: libtiff
	@cmake -S . -B $(B)/win32-tests -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(SRC)/cmake/toolchain-mingw32-posix.cmake \
	  -DTARNVEL_TIFF_DIR=$(TIFF_WIN32) -DTARNVEL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(B)/win32-tests

native: deps
	@cmake -S . -B $(B)/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTARNVEL_SANITIZE=ON -DTARNVEL_WERROR=$(WERROR) -DTARNVEL_WIN32_DIR=$(B)/win32-tests \
	  -DTARNVEL_PROGRAM=$(B)/win32/Tarnvel.exe >/dev/null
	@cmake --build $(B)/native

# After a failure, the tests that failed, overran their bound or crashed, each by name, from the
# output of every entry (which ctest keeps in LastTest.log). CTEST_ARGS adds to ctest's arguments.
test: win32 win32-tests native
	@bash scripts/with-xvfb.sh ctest --test-dir $(B)/native --output-on-failure -j2 $(CTEST_ARGS) || \
	  { echo "Tests that failed, overran their bound or crashed:"; \
	    grep -h -E '^\[ (WATCHDOG \]|CRASHED  \])|^\[  FAILED  \] .*\([0-9]+ ms\)$$|^wine-test: ' \
	      $(B)/native/Testing/Temporary/LastTest.log; exit 1; }

# Each slip of tests/mutants.txt put into a scratch copy of the tree, and the tests run on it: how
# many the tests catch. It takes long (a build and a test run per slip), so it is no part of test.
# SLIPS="1 5" tries only those.
mutants: deps
	@bash scripts/mutants.sh $(SLIPS)

bench: deps win32-tests bench-win32
	@cmake -S . -B $(B)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNVEL_BENCH=ON \
	  -DTARNVEL_WIN32_DIR=$(B)/win32-tests >/dev/null
	@cmake --build $(B)/bench
	@bash scripts/with-xvfb.sh bash scripts/bench.sh $(B)

# The copier's measured run for Windows twice: built like the program (for the 486), and with
# Debian's stock compilers and runtime, each over a libtiff built the same way.
bench-win32: libtiff
	@bash scripts/build-libtiff-win32.sh $(TIFF_WIN32_STOCK) $(SRC)/cmake/toolchain-mingw32-stock.cmake
	@cmake -S . -B $(B)/bench-486 -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNVEL_BENCH=ON -DTARNVEL_TESTS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(SRC)/cmake/toolchain-mingw32.cmake -DTARNVEL_TOOLCHAIN_486=$(TOOLCHAIN_486) \
	  -DTARNVEL_TIFF_DIR=$(TIFF_WIN32) >/dev/null
	@cmake --build $(B)/bench-486 --target copy_run
	@cmake -S . -B $(B)/bench-stock -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNVEL_BENCH=ON -DTARNVEL_TESTS=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(SRC)/cmake/toolchain-mingw32-stock.cmake -DTARNVEL_TIFF_DIR=$(TIFF_WIN32_STOCK) >/dev/null
	@cmake --build $(B)/bench-stock --target copy_run

fuzz: deps
	@cmake -S . -B $(B)/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTARNVEL_FUZZ=ON >/dev/null
	@cmake --build $(B)/fuzz
	@bash scripts/fuzz.sh $(B)/fuzz $(FUZZ_SECONDS)

run: win32
	@bash scripts/run.sh $(B)

dist: win32
	@bash scripts/dist.sh $(B)

clean:
	rm -rf $(B)/win32 $(B)/win32-tests $(B)/native $(B)/bench $(B)/bench-486 $(B)/bench-stock $(B)/fuzz
