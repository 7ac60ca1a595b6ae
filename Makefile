# SPDX-License-Identifier: MIT
# make run   installs what is missing, builds and starts Brimel.
# make test  installs what is missing, builds and runs every test headless.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
# WERROR=ON turns every compiler warning into an error (CI sets it).
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Debian packages the build, the program and the tests use.
PACKAGES := cmake make g++ clang-format qt6-base-dev qt6-base-dev-tools libgl-dev \
            libmpfr-dev libgmp-dev fonts-comic-neue fonts-dejavu-core fonts-liberation2 \
            xvfb xauth desktop-file-utils appstream binutils-mingw-w64-x86-64 dpkg-dev \
            python3-gi gir1.2-atspi-2.0 at-spi2-core dbus xdotool xclip strace
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all setup configure build run test package format clean

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

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# The Debian package, in the build folder: brimel_1.00_<arch>.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

format:
	git ls-files -- '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
