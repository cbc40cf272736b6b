# Thin driver over the CMake presets.
#   make run    build and start the program
#   make test   build and run every test
#   make bench  build, then the benchmarks (medians of 10 runs) and the
#               whole-process timing of 100,000 piped dates
.PHONY: all build run test build-sanitize test-sanitize bench clean

all: build

build:
	cmake --preset default
	cmake --build --preset default

run: build
	./build/default/ephemerides

test: build
	ctest --preset default

bench: build
	./build/default/ephemerides_bench --benchmark_repetitions=10 \
	  --benchmark_report_aggregates_only=true --benchmark_min_time=0.2
	bench/piped_dates.sh build/default/ephemerides 100000

build-sanitize:
	cmake --preset sanitize
	cmake --build --preset sanitize

test-sanitize: build-sanitize
	ctest --preset sanitize

clean:
	rm -rf build
