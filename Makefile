# Vestrel: build, run and test wrapper around CMake + Ninja.
# `make run` and `make test` install what they miss (Debian, as root) first.

BUILD      ?= build
JOBS       ?= 2
BUILD_TYPE ?= RelWithDebInfo
PACKAGES   := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
EXAMPLE    := examples/pump.prg

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -ne 0 ]; then echo "Run as root (or install:$$missing)"; exit 1; fi; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@mkdir -p $(BUILD)/example
	$(BUILD)/src/cli/vestrelc -o $(BUILD)/example/pump $(EXAMPLE)
	@echo "IL project written to $(BUILD)/example/pump"

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/vestrel_bench

clean:
	rm -rf $(BUILD)
