# Front door for developers and CI. `make run` and `make test` set up a fresh
# Debian 12 machine (installing missing packages), configure, build and go.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Build and test dependencies (Debian package names).
DEPS := cmake make g++ pkg-config qt6-base-dev libqt6svg6 libgtest-dev libgmock-dev \
        libbenchmark-dev fp-utils fonts-dejavu-core

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps.sh $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/morvane

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps.sh rename
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@bench/run.sh $(BUILD)-bench

clean:
	rm -rf $(BUILD) $(BUILD)-bench
