# courtball: the human entry points.
#   make play   set up, build, generate the data files and run the game
#   make test   set up, build and run every test suite (Xvfb end-to-end too)
#   make bench  build and run the benchmarks and the pacing measurement
#   make fuzz   run each file-reader fuzzer for 60 s (installs clang if missing)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build play test bench fuzz clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

play: build
	cd $(BUILD)/data && ../bin/courtball

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

bench: build
	@scripts/run-bench $(BUILD)

fuzz:
	@scripts/install-deps --fuzz
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCOURTBALL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS)
	@scripts/run-fuzz $(BUILD)-fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz
