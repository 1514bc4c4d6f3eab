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
