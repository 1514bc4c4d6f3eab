# Vestrel: build, run and test wrapper around CMake + Ninja.
# `make run` and `make test` install what they miss (Debian, as root) first.

BUILD      ?= build
JOBS       ?= 2
BUILD_TYPE ?= RelWithDebInfo
PACKAGES   := cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev python3 \
              nlohmann-json3-dev python3-jsonschema \
              dpkg-dev desktop-file-utils shared-mime-info libxml2-utils man-db gzip
EXAMPLE    := examples/pump.prg

.PHONY: all deps configure build run test bench clean package test-package

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
	@if [ -x $(BUILD)/bench/workbench/vestrel_workbench_bench ]; then \
	  QT_QPA_PLATFORM=offscreen $(BUILD)/bench/workbench/vestrel_workbench_bench; fi

# The Debian package (CPack) in $(BUILD)/package/, and its check: unpacked into a scratch
# root, the installed vestrelc translates the examples as the built one does.
package: build
	rm -f $(BUILD)/package/*.deb
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/package/*.deb

test-package: package
	tests/package/check_package.sh $(BUILD)/package/vestrel_*.deb $(BUILD)/src/cli/vestrelc

clean:
	rm -rf $(BUILD)

# --- Hardening -------------------------------------------------------------------
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 60

.PHONY: test-sanitize fuzz fuzz-deps

# The core, vestrelc and their tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVESTREL_SANITIZE=ON \
	  -DVESTREL_WORKBENCH=OFF -DVESTREL_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz-deps:
	@for p in clang libclang-rt-14-dev; do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; fi

# Each fuzz target for FUZZ_SECONDS, seeded with the examples and the golden sources.
fuzz: deps fuzz-deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESTREL_FUZZ=ON \
	  -DVESTREL_SANITIZE=ON -DVESTREL_TESTS=OFF -DVESTREL_WORKBENCH=OFF -DVESTREL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_translation fuzz_ini
	mkdir -p $(FUZZ_BUILD)/corpus/translation $(FUZZ_BUILD)/corpus/ini
	$(FUZZ_BUILD)/tests/fuzz/fuzz_translation -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/korvel.dict \
	  -max_len=8192 -timeout=10 $(FUZZ_BUILD)/corpus/translation examples tests/golden tests/fuzz/regressions/translation
	$(FUZZ_BUILD)/tests/fuzz/fuzz_ini -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/ini.dict \
	  -timeout=10 $(FUZZ_BUILD)/corpus/ini tests/fuzz/regressions/ini
