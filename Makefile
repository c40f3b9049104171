# Front door for developers and CI. `make run` and `make test` set up a fresh
# Debian 12 machine (installing missing packages), configure, build and go.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Build and test dependencies (Debian package names).
DEPS := cmake make g++ pkg-config qt6-base-dev libqt6svg6 libgtest-dev libgmock-dev \
        libbenchmark-dev fp-utils fonts-dejavu-core

.PHONY: all deps configure build run test bench package clean

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

# A Debian package of the Release build: $(BUILD)-package/morvane_<version>_<arch>.deb
package: deps
	@scripts/install-deps.sh dpkg-dev file
	@cmake -S . -B $(BUILD)-package -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_TESTS=OFF \
		-DMORVANE_BUILD_BENCH=OFF
	@cmake --build $(BUILD)-package -j $(JOBS)
	@cd $(BUILD)-package && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-package
