# SPDX-License-Identifier: MIT
# make run   installs what is missing, builds and starts Brimel.
# make test  installs what is missing, builds and runs every test headless.

BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs in `make test` and `make fuzz` (CI asks for 60).
FUZZ_SECONDS ?= 10
BUILD_TYPE ?= RelWithDebInfo
# WERROR=ON turns every compiler warning into an error (CI sets it).
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build, the program and the tests use.
PACKAGES := cmake make g++ clang-format qt6-base-dev qt6-base-dev-tools libgl-dev \
            libmpfr-dev libgmp-dev fonts-comic-neue fonts-dejavu-core fonts-liberation2 \
            qt6-translations-l10n qt6-wayland qt6-gtk-platformtheme \
            xvfb xauth desktop-file-utils appstream binutils-mingw-w64-x86-64 dpkg-dev \
            python3-gi gir1.2-atspi-2.0 at-spi2-core dbus xdotool xclip x11-utils strace weston \
            debhelper lintian devscripts git poppler-utils \
            clang libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build run test unit sanitize fuzz bench package check-windows \
        package-windows format clean

all: build

# Installs only what is missing, so a second run costs one dpkg query.
setup:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: setup
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBUILD_TESTING=ON \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/app/brimel

# Everything: the whole suite, the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and each fuzz target for FUZZ_SECONDS.
test: unit sanitize fuzz

unit: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

SANITIZERS := -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
sanitize: setup
	cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON \
	  -DCMAKE_CXX_FLAGS="$(SANITIZERS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZERS)" \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest -L unit --output-on-failure -j $(JOBS)

fuzz: setup
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DBRIMEL_FUZZ=ON -DBRIMEL_WITH_QT=OFF -DBUILD_TESTING=OFF \
	  -DCMAKE_COMPILE_WARNING_AS_ERROR=$(WERROR)
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target number_fuzzer calculation_fuzzer
	tools/run_fuzzers.sh $(FUZZ_DIR)/fuzz $(FUZZ_SECONDS)

# Benchmarks (not part of `make test`): accuracy against MPFR, speed of one calculation, the
# window's own time for "Calcular", and start-up, memory and idle cost against a bare Qt window.
BENCH_PACKAGES := libbenchmark-dev libx11-dev libxdamage-dev x11-apps
bench: build
	@$(MAKE) --no-print-directory setup PACKAGES="$(BENCH_PACKAGES)"
	cmake -S . -B $(BUILD_DIR) >/dev/null
	cmake --build $(BUILD_DIR) -j $(JOBS) --target accuracy solve_speed window_speed watch-start bare-window
	$(BUILD_DIR)/bench/accuracy
	$(BUILD_DIR)/bench/solve_speed --benchmark_min_time=0.2
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/window_speed
	bench/startup/run.sh $(BUILD_DIR)

# The Debian packages, built from debian/ by dpkg-buildpackage (with the unit and window tests),
# copied into the build folder: brimel_1.00-1_<arch>.deb and brimel-dbgsym_1.00-1_<arch>.deb.
package: setup
	tools/build_package.sh $(BUILD_DIR)

# Windows (not part of `make test`): the whole program cross-compiled with MinGW-w64 against a
# static Qt, GMP and MPFR built from Debian's own sources and kept in build-windows/ (the first
# run builds Qt: about half an hour on two cores). package-windows makes build-windows/brimel.exe
# and build-windows/brimel-<version>-win64.msi; check-windows also runs the tests, brimel.exe
# and the installer under Wine.
package-windows:
	tools/windows/build.sh
	tools/windows/package.sh

check-windows:
	tools/windows/check.sh

format:
	git ls-files -- '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) build-windows
