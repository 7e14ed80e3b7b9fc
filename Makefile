# The two set-up commands: make demo and make check. Both install what is
# missing from Debian's packages first.

BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_REL  ?= build-release
JOBS       ?= $(shell nproc)
PACKAGES   := cmake g++ make pkg-config libsigc++-2.0-dev libgtest-dev libgmock-dev \
              libbenchmark-dev libncurses-dev tmux clang libclang-rt-14-dev time \
              xmltv-util libxml2-utils

.PHONY: all deps build build-asan check demo bench fuzz clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(BUILD_ASAN) -DCMAKE_BUILD_TYPE=Debug -DUDOVOR_SANITIZE=ON >/dev/null
	cmake --build $(BUILD_ASAN) -j $(JOBS)

check: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j $(JOBS)
	@if [ -f fuzz/Makefile.inc ]; then $(MAKE) --no-print-directory fuzz-smoke; fi

# The demo needs only the plug-in, boxsim and the stream generator.
demo: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS) --target udovor boxsim udovor-streamgen
	@sh tools/demo.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_REL)

-include fuzz/Makefile.inc
-include bench/Makefile.inc
-include cross/Makefile.inc
