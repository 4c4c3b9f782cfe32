# The README's commands: `make run` builds and starts Hueberry under Wine, `make test` builds and runs every
# test, `make release` builds the packages for parents into dist/.
SHELL := /bin/bash
ROOT  := $(CURDIR)
BUILD := $(ROOT)/build
JOBS  ?= 2
# The version of the packages; the program's own about box says "version 2.1".
VERSION := 2.1.0

DEB_PACKAGES := cmake g++ make googletest mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix \
	wine wine64 fonts-wine xvfb xauth xdotool x11-utils imagemagick \
	cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils ghostscript \
	python3 librsvg2-bin fonts-dejavu-core sox \
	wixl msitools zip unzip binutils iproute2 x11vnc websockify novnc chromium \
	clang libclang-rt-14-dev fluidsynth timgm6mb-soundfont pulseaudio pulseaudio-utils

.PHONY: deps build fuzz-build run test fuzz release clean
FUZZ_SECONDS ?= 1200

# Installs what the build and the tests need; quiet and idempotent.
deps:
	@missing=$$(dpkg-query -W -f='$${Package} $${Status}\n' $(DEB_PACKAGES) 2>/dev/null | grep -c ' installed$$'); \
	if [ "$$missing" != "$(words $(DEB_PACKAGES))" ]; then \
	  echo "Installing build and test packages..."; \
	  export DEBIAN_FRONTEND=noninteractive; \
	  apt-get update -qq >/dev/null && \
	  apt-get install -y -qq --no-install-recommends $(DEB_PACKAGES) >/dev/null; \
	fi

build: deps fuzz-build
	cmake -S $(ROOT) -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
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

run: build
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
