# The README's commands: `make run` builds and starts Hueberry under Wine, `make test` builds and runs every
# test, `make release` builds the packages for parents into dist/.
SHELL := /bin/bash
ROOT  := $(CURDIR)
BUILD := $(ROOT)/build
JOBS  ?= 2
# The version of the packages and of the programs' version blocks; the about box says "version 2.1".
VERSION := $(shell cat $(ROOT)/VERSION)

# What running the program needs: the cross-compiler for the two programs, Wine, and the virtual
# display with its browser view for a machine without a screen.
RUN_PACKAGES := cmake make g++-mingw-w64-x86-64-posix wine wine64 fonts-wine \
	xvfb xauth x11-utils x11vnc websockify novnc iproute2
# What the tests need besides: the native and 32-bit builds, the fuzzers, input and screen tools,
# the PDF printer, the art tools, the packagers and the browser.
TEST_PACKAGES := g++ googletest mingw-w64 g++-mingw-w64-i686-posix clang libclang-rt-14-dev \
	xdotool imagemagick cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils ghostscript \
	python3 librsvg2-bin fonts-dejavu-core sox \
	wixl msitools zip unzip binutils chromium \
	fluidsynth timgm6mb-soundfont pulseaudio pulseaudio-utils

.PHONY: deps deps-run programs build fuzz-build run test fuzz release clean
FUZZ_SECONDS ?= 1200

# Installs the packages given that are missing; quiet and idempotent.
define install
	@missing=$$(dpkg-query -W -f='$${Package} $${Status}\n' $(1) 2>/dev/null | grep -c ' installed$$'); \
	if [ "$$missing" != "$(words $(1))" ]; then \
	  echo "Installing $(2) packages..."; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -qq >/dev/null && \
	  apt-get install -y -qq --no-install-recommends $(1) >/dev/null; \
	fi
endef

deps-run:
	$(call install,$(RUN_PACKAGES),run)

deps: deps-run
	$(call install,$(TEST_PACKAGES),build and test)

# The two programs only: what `make run` starts (and the Page Maker beside it).
programs: deps-run
	cmake -S $(ROOT) -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DHB_TESTS=OFF >/dev/null
	cmake --build $(BUILD)/win64 -j $(JOBS) --target hueberry hbpages

build: deps fuzz-build
	cmake -S $(ROOT) -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DHB_TESTS=ON >/dev/null
	cmake --build $(BUILD)/win64 -j $(JOBS)
	cmake -S $(ROOT) -B $(BUILD)/native -DCMAKE_BUILD_TYPE=Debug -DHB_WIN_BUILD_DIR=$(BUILD)/win64 \
	  -DHB_FUZZ_BUILD_DIR=$(BUILD)/fuzz >/dev/null
	cmake --build $(BUILD)/native -j $(JOBS)

# The fuzz targets: clang's libFuzzer in a tree of their own; the test run replays them briefly.
fuzz-build: deps
	cmake -S $(ROOT)/tests/fuzz -B $(BUILD)/fuzz -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	cmake --build $(BUILD)/fuzz -j $(JOBS)

# Runs each fuzz target for FUZZ_SECONDS, one after the other (libFuzzer takes one core); what they
# find stays in build/fuzz/corpus/, a failing input is written to build/fuzz/.
fuzz: fuzz-build
	cd $(BUILD)/fuzz && for t in page bmp mode; do \
	  ./fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -create_missing_dirs=1 \
	    corpus/$$t $(ROOT)/tests/fuzz/seeds/$$t $(ROOT)/data || exit 1; done

run: programs
	$(ROOT)/scripts/run.sh

# The packages are built first: the tests install, upgrade and remove them.
test: release
	@echo "Compile check for 32-bit Windows (i686)..."
	cmake -S $(ROOT) -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-i686.cmake -DCMAKE_BUILD_TYPE=Release -DHB_TESTS=OFF >/dev/null
	cmake --build $(BUILD)/win32 -j $(JOBS) --target hueberry hbpages
	$(ROOT)/tests/tools/run-tests.sh

release: build
	rm -rf $(ROOT)/dist
	$(ROOT)/packaging/build-dist.sh $(VERSION) $(ROOT)/dist $(BUILD)/win64

clean:
	rm -rf $(BUILD) $(ROOT)/dist
