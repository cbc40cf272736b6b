# Thin driver over the CMake presets. Each target first installs the Debian
# packages it needs and lacks (tools/install-deps; INSTALL_DEPS=true skips it).
#   make run      build the program (preset default) and start it
#   make install  build it and install it under PREFIX (default /usr/local)
#   make test     developer build (preset dev) and every test
#   make test-sanitize  the same under AddressSanitizer and UBSan
#   make test-portable  the unit and robustness tests (every byte the program
#                 prints) with the extended products formed by integers, as
#                 where long double is not the x87's (preset portable)
#   make bench    developer build, then the benchmarks (medians of 10 runs)
#                 and whole-process timings side by side with the program
#                 of the commit REFERENCE (default 7c606e4)
#   make fuzz     build the fuzz targets (clang++), the dialogue's input and the
#                 command line, and run each for FUZZ_SECONDS seconds (default
#                 60); finds go to build/fuzz/
#   make release  the release build (-O3, shared library), warnings as errors
.PHONY: all deps-run deps-test deps-ci build run install dev test build-sanitize test-sanitize \
  test-portable bench fuzz release clean

FUZZ_SECONDS ?= 60
REFERENCE ?= 7c606e4
PREFIX ?= /usr/local
INSTALL_DEPS ?= tools/install-deps

all: build

deps-run:
	@$(INSTALL_DEPS) run

deps-test:
	@$(INSTALL_DEPS) test

deps-ci:
	@$(INSTALL_DEPS) ci

build: deps-run
	cmake --preset default
	cmake --build --preset default

run: build
	./build/default/ephemerides

install: build
	cmake --install build/default --prefix $(PREFIX)

dev: deps-test
	cmake --preset dev
	cmake --build --preset dev

test: dev
	ctest --preset dev

build-sanitize: deps-test
	cmake --preset sanitize
	cmake --build --preset sanitize

test-sanitize: build-sanitize
	ctest --preset sanitize

test-portable: deps-test
	cmake --preset portable
	cmake --build --preset portable
	ctest --preset portable

bench: dev
	./build/dev/ephemerides_bench --benchmark_repetitions=10 \
	  --benchmark_report_aggregates_only=true --benchmark_min_time=0.2
	bench/compare.sh build/dev/ephemerides $(REFERENCE)

fuzz: deps-ci
	cmake --preset fuzz
	cmake --build --preset fuzz
	for target in dialogue cli; do \
	  mkdir -p build/fuzz/corpus/$$target && \
	  ./build/fuzz/tests/fuzz/$${target}_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -dict=tests/fuzz/$$target.dict -artifact_prefix=build/fuzz/$$target- \
	    -print_final_stats=1 build/fuzz/corpus/$$target tests/fuzz/corpus/$$target || exit 1; \
	done

release: deps-run
	cmake --preset release
	cmake --build --preset release

clean:
	rm -rf build
