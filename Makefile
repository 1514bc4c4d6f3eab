# Vestrel: build, run and test wrapper around CMake + Ninja.
# `make run` and `make test` install what they miss (Debian, as root) first.

BUILD      ?= build
JOBS       ?= 2
BUILD_TYPE ?= RelWithDebInfo
PACKAGES   := cmake ninja-build g++ pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev python3 \
              dpkg-dev desktop-file-utils shared-mime-info libxml2-utils man-db gzip \
              nlohmann-json3-dev neovim python3-jsonschema
EXAMPLE    := examples/pump.prg

.PHONY: all deps configure build run test bench clean package test-package

all: build

# Installs those of the Debian packages named in $(1) that are missing (as root).
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" -ne 0 ]; then echo "Run as root (or install:$$missing)"; exit 1; fi; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

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

.PHONY: test-sanitize fuzz fuzz-deps fuzz-coverage

# The core, vestrelc and their tests under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVESTREL_SANITIZE=ON \
	  -DVESTREL_WORKBENCH=OFF -DVESTREL_BENCH=OFF
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz-deps:
	@for p in clang libclang-rt-14-dev llvm; do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; fi

# Each fuzz target for FUZZ_SECONDS, seeded with the examples, the golden sources and the
# committed inputs under tests/fuzz/regressions/.
fuzz: deps fuzz-deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESTREL_FUZZ=ON \
	  -DVESTREL_SANITIZE=ON -DVESTREL_TESTS=OFF -DVESTREL_WORKBENCH=OFF -DVESTREL_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_translation fuzz_korvel_programs fuzz_ini fuzz_lsp
	mkdir -p $(FUZZ_BUILD)/corpus/translation $(FUZZ_BUILD)/corpus/korvel_programs $(FUZZ_BUILD)/corpus/ini $(FUZZ_BUILD)/corpus/lsp
	$(FUZZ_BUILD)/tests/fuzz/fuzz_korvel_programs -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -len_control=0 \
	  -timeout=10 $(FUZZ_BUILD)/corpus/korvel_programs tests/fuzz/regressions/korvel_programs
	$(FUZZ_BUILD)/tests/fuzz/fuzz_translation -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/korvel.dict \
	  -max_len=8192 -timeout=10 $(FUZZ_BUILD)/corpus/translation examples tests/golden tests/fuzz/regressions/translation
	$(FUZZ_BUILD)/tests/fuzz/fuzz_ini -max_total_time=$(FUZZ_SECONDS) -dict=tests/fuzz/ini.dict \
	  -timeout=10 $(FUZZ_BUILD)/corpus/ini tests/fuzz/regressions/ini
	$(FUZZ_BUILD)/tests/fuzz/fuzz_lsp -max_total_time=$(FUZZ_SECONDS) -dict=tests/lsp/fuzz/lsp.dict \
	  -max_len=16384 -timeout=10 $(FUZZ_BUILD)/corpus/lsp tests/lsp/fuzz/regressions

# Line coverage of src/translator reached by the committed fuzz inputs (and by the corpora
# of a `make fuzz` run when they are there): clang source-based coverage.
COVERAGE_BUILD ?= build-cov
fuzz-coverage: deps fuzz-deps
	CXX=clang++ cmake -S . -B $(COVERAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTREL_FUZZ=ON \
	  -DVESTREL_TESTS=OFF -DVESTREL_WORKBENCH=OFF -DVESTREL_BENCH=OFF \
	  "-DCMAKE_CXX_FLAGS=-fprofile-instr-generate -fcoverage-mapping" "-DCMAKE_EXE_LINKER_FLAGS=-fprofile-instr-generate"
	cmake --build $(COVERAGE_BUILD) -j $(JOBS) --target fuzz_translation fuzz_korvel_programs
	rm -rf $(COVERAGE_BUILD)/profiles && mkdir -p $(COVERAGE_BUILD)/profiles
	LLVM_PROFILE_FILE=$(COVERAGE_BUILD)/profiles/kp.profraw $(COVERAGE_BUILD)/tests/fuzz/fuzz_korvel_programs -runs=0 \
	  tests/fuzz/regressions/korvel_programs $(wildcard $(FUZZ_BUILD)/corpus/korvel_programs)
	LLVM_PROFILE_FILE=$(COVERAGE_BUILD)/profiles/tr.profraw $(COVERAGE_BUILD)/tests/fuzz/fuzz_translation -runs=0 \
	  tests/fuzz/regressions/translation $(wildcard $(FUZZ_BUILD)/corpus/translation)
	llvm-profdata merge -sparse $(COVERAGE_BUILD)/profiles/*.profraw -o $(COVERAGE_BUILD)/profiles/all.profdata
	llvm-cov report $(COVERAGE_BUILD)/tests/fuzz/fuzz_korvel_programs -object $(COVERAGE_BUILD)/tests/fuzz/fuzz_translation \
	  -instr-profile=$(COVERAGE_BUILD)/profiles/all.profdata $(CURDIR)/src/translator

# --- Windows ---------------------------------------------------------------------
# The core, vestrelc and the core tests cross-compiled with mingw-w64 (cmake/mingw-w64-x86_64.cmake)
# and run under wine64, in a wine prefix of their own inside the build folder. The prefix
# is made first and one wine server, with the system's services started, is kept for the
# whole run (and ended after it): a server started by a test would start the services
# there, holding the test's output open. Now and then (about one start in 300) wine fails
# to start a program at all, with no output; so a test is run up to three times, and only
# one that fails every time fails the run. GoogleTest
# is built from Debian's sources (libgtest-dev), nlohmann-json is header-only: nothing is
# downloaded. The workbench and the language server are not cross-built. The manual's
# examples (manual_examples: some 600 runs of vestrelc, five minutes under wine) are left
# to `make test`; every other test runs, the golden cases included.
WINDOWS_BUILD    ?= build-windows
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine64 \
                    libgtest-dev nlohmann-json3-dev python3 python3-jsonschema
WINE             ?= /usr/lib/wine/wine64
WINESERVER       ?= /usr/lib/wine/wineserver64
WINE_PREFIX      := $(abspath $(WINDOWS_BUILD))/wine-prefix

.PHONY: windows-deps test-windows

windows-deps:
	$(call install_missing,$(WINDOWS_PACKAGES))

test-windows: windows-deps
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DVESTREL_WORKBENCH=OFF -DVESTREL_LSP=OFF -DVESTREL_BENCH=OFF
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	@export WINEPREFIX=$(WINE_PREFIX) WINEDEBUG=-all; \
	  trap '$(WINESERVER) -k 2>/dev/null || true' EXIT; \
	  $(WINE) wineboot --init >$(WINDOWS_BUILD)/wineboot.log 2>&1; $(WINESERVER) -w; \
	  $(WINESERVER) -p; $(WINE) wineboot >>$(WINDOWS_BUILD)/wineboot.log 2>&1; \
	  cd $(WINDOWS_BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600 \
	    --repeat until-pass:3 -E '^manual_examples$$'
