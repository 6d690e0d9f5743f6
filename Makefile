# make run   installs what is missing, builds, starts Quorel on a scratch copy of the sample album
# make test  installs what is missing, builds, runs every test
# make bench builds and runs the benchmarks
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@sh tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@sh tools/run-sample.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	@sh tools/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
