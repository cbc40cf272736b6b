# Thin driver over the CMake presets.
#   make run    build and start the program
#   make test   build and run every test
.PHONY: all build run test build-sanitize test-sanitize clean

all: build

build:
	cmake --preset default
	cmake --build --preset default

run: build
	./build/default/ephemerides

test: build
	ctest --preset default

build-sanitize:
	cmake --preset sanitize
	cmake --build --preset sanitize

test-sanitize: build-sanitize
	ctest --preset sanitize

clean:
	rm -rf build
