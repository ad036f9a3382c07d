# Tarnvel: `make` builds build/win32/Tarnvel.exe, `make run` starts it under wine,
# `make test` builds and runs every test, `make bench` and `make fuzz` measure and probe.
# Every target installs what is missing first (Debian 12, as root).

BUILD ?= build
B := $(abspath $(BUILD))
SRC := $(abspath .)
DEPS := $(B)/deps
TIFF_WIN32 := $(DEPS)/libtiff-win32
WINEPREFIX := $(B)/wineprefix
FUZZ_SECONDS ?= 600

ifneq ($(CI),)
WERROR := ON
else
WERROR ?= OFF
endif

export WINEPREFIX

.PHONY: all deps libtiff win32 native test bench fuzz run dist clean

all: win32

deps:
	@bash scripts/install-deps.sh

libtiff: deps
	@bash scripts/build-libtiff-win32.sh $(DEPS)

win32: libtiff
	@cmake -S . -B $(B)/win32 -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(SRC)/cmake/toolchain-mingw32.cmake \
	  -DTARNVEL_TIFF_DIR=$(TIFF_WIN32) -DTARNVEL_WERROR=$(WERROR) >/dev/null
	@cmake --build $(B)/win32

native: deps
	@cmake -S . -B $(B)/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DTARNVEL_SANITIZE=ON -DTARNVEL_WERROR=$(WERROR) -DTARNVEL_WIN32_DIR=$(B)/win32 >/dev/null
	@cmake --build $(B)/native

test: win32 native
	@bash scripts/with-xvfb.sh ctest --test-dir $(B)/native --output-on-failure -j2

bench: deps win32
	@cmake -S . -B $(B)/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNVEL_BENCH=ON \
	  -DTARNVEL_WIN32_DIR=$(B)/win32 >/dev/null
	@cmake --build $(B)/bench
	@bash scripts/with-xvfb.sh bash scripts/bench.sh $(B)

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
	rm -rf $(B)/win32 $(B)/native $(B)/bench $(B)/fuzz
