# One command each, from a fresh Debian 12 machine:
#   make test   installs what is missing, builds everything, runs every test
#   make demo   installs, builds, opens the reference host with the plug-in
# See README.md.

JOBS ?= $(shell nproc)
CTEST_FLAGS ?= --output-on-failure -j $(JOBS)

.PHONY: all setup build build-windows build-native build-asan build-fuzz test demo bench dist clean

all: build

setup:
	@bash scripts/setup.sh

build-windows:
	cmake --preset win64 >/dev/null
	cmake --build build/win64 -j $(JOBS)
	cmake --preset win32 >/dev/null
	cmake --build build/win32 -j $(JOBS)

build-native:
	cmake --preset native >/dev/null
	cmake --build build/native -j $(JOBS)

build-asan:
	cmake --preset native-asan >/dev/null
	cmake --build build/native-asan -j $(JOBS)

build-fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build build/fuzz -j $(JOBS)

build: build-windows build-native

# The sanitizer build and the short fuzz runs go first; the full run of the
# native build (unit, static and Wine tests) comes last, so its summary ends
# the output.
test: setup
	$(MAKE) build-windows build-native build-asan build-fuzz
	ctest --test-dir build/native-asan -L unit $(CTEST_FLAGS) --no-tests=ignore
	ctest --test-dir build/fuzz -L fuzz $(CTEST_FLAGS) --no-tests=ignore
	ctest --test-dir build/native $(CTEST_FLAGS)

# DEMO_ARCH=x86_64 shows the x86_64 build instead of the release (i686).
DEMO_ARCH ?= i686

demo: setup
	$(MAKE) build
	bash scripts/demo.sh --arch $(DEMO_ARCH)

bench: setup
	cmake --preset native >/dev/null
	cmake --build build/native -j $(JOBS)
	bash bench/run.sh build/native

dist: setup build-windows
	bash scripts/dist.sh

clean:
	rm -rf build
