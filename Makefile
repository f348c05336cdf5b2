# SPDX-FileCopyrightText: 2026 The Quorvin developers
#
# SPDX-License-Identifier: MIT

# Thin wrapper around CMake. `make test` is all a fresh Debian 12 machine needs. Every target
# installs the package sets it needs first (scripts/install-deps): building and running need the
# base set only, the tests, benchmarks, demo, fuzzer and package each add theirs.

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
# Seconds for each of the two fuzz targets.
FUZZ_SECONDS ?= 60
JOBS         ?= $(shell nproc)
BUILD_TYPE   ?= RelWithDebInfo
PREFIX       ?= /usr/local
DEPS_SETS    ?=

CMAKE_COMMON = -G Ninja -DQUORVIN_WERROR=ON
SANITIZERS   = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer

.PHONY: all deps configure build run install test test-sanitize bench fuzz package demo format \
        clean

all: build

deps:
	@scripts/install-deps $(DEPS_SETS)

configure: deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/bin/quorvin

# Installs what `make build` built (building it first when there is none, so that
# `make build && sudo make install` writes nothing into the build tree as root) under PREFIX,
# the program stripped of its debug information; DESTDIR stages the tree elsewhere.
install:
	@[ -x $(BUILD_DIR)/bin/quorvin ] || $(MAKE) --no-print-directory build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)" --strip

# `make build` builds the program alone; the tests and benchmarks are targets of their own.
test:
	@$(MAKE) --no-print-directory build DEPS_SETS=test
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvin_tests
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize:
	@scripts/install-deps test
	cmake -S . -B $(SANITIZE_DIR) $(CMAKE_COMMON) -DCMAKE_BUILD_TYPE=Debug \
	    -DQUORVIN_BENCHMARKS=OFF \
	    -DCMAKE_CXX_FLAGS="$(SANITIZERS)" \
	    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined"
	cmake --build $(SANITIZE_DIR) -j $(JOBS) --target all quorvin_tests
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	    ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# A short calculation by clicks and keys in a private Xvfb, with screenshots of the smallest and
# the largest window in $(BUILD_DIR)/demo/.
demo:
	@$(MAKE) --no-print-directory build DEPS_SETS=demo
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvin_layout_data
	QUORVIN_LAYOUT_DATA=$(BUILD_DIR)/generated/layout.json \
	    /usr/bin/python3 scripts/demo.py $(BUILD_DIR)/bin/quorvin $(BUILD_DIR)/demo

# A Debian package of the install tree (binary hardened and stripped), named
# quorvin_<version>_<arch>.deb, and its debug symbols, quorvin-dbgsym_<version>_<arch>.ddeb. Two
# packages of one commit are the same to the byte wherever they are built (see
# cmake/SourceDateEpoch.cmake).
package:
	@$(MAKE) --no-print-directory build DEPS_SETS=package
	cd $(BUILD_DIR) && cpack -G DEB

# Engine and controller micro-benchmarks, then start-up, memory and latency against a bare Qt
# window under a private Xvfb.
bench:
	@$(MAKE) --no-print-directory build DEPS_SETS=bench
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvin_benchmarks
	$(BUILD_DIR)/bin/engine_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	$(BUILD_DIR)/bin/controller_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	/usr/bin/python3 bench/startup_bench.py --quorvin $(BUILD_DIR)/bin/quorvin \
	    --floor $(BUILD_DIR)/bin/startup_floor
	/usr/bin/python3 bench/latency_bench.py --quorvin $(BUILD_DIR)/bin/quorvin \
	    --floor $(BUILD_DIR)/bin/startup_floor

fuzz:
	@scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_DIR) $(CMAKE_COMMON) -DQUORVIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
	cmake --build $(FUZZ_DIR) -j $(JOBS)
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/corpus-text
	$(FUZZ_DIR)/bin/engine_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/bin/text_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $(FUZZ_DIR)/corpus-text

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
