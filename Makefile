# Front door for developers and CI. `make run` and `make test` set up a fresh
# Debian 12 machine (installing missing packages), configure, build and go;
# ./morvane.sh does the same where make itself is still missing.
BUILD   ?= build
JOBS    ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Build and test dependencies (Debian package names).
DEPS := cmake make g++ ccache pkg-config qt6-base-dev libqt6svg6 libgtest-dev libgmock-dev \
        libbenchmark-dev libicu-dev fp-utils fonts-dejavu-core fonts-dejavu-extra xdg-utils python3 \
        desktop-file-utils appstream fusefat dosfstools qt6-wayland weston zsh fish libpcre2-dev
# Photo and music metadata; exiftool and ffmpeg make and check the test files.
DEPS += libexiv2-dev libtag1-dev libimage-exiftool-perl ffmpeg

.PHONY: all deps configure build run test bench package clean test-sanitize \
        test-sanitize-core fuzz soak lint format-check

all: build

deps:
	@scripts/install-deps.sh $(DEPS)

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@[ -n "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ] || { echo "$(BUILD)/morvane is built," \
		"but there is no display to show it on (DISPLAY and WAYLAND_DISPLAY are unset):" \
		"run it from a desktop session or over ssh -X." >&2; exit 1; }
	$(BUILD)/morvane

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@scripts/install-deps.sh rename time
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release
	@cmake --build $(BUILD)-bench -j $(JOBS)
	@bench/run.sh $(BUILD)-bench

# A Debian package of the Release build: $(BUILD)-package/morvane_<version>_<arch>.deb,
# compiled with Debian's hardening flags and checked with lintian.
PACKAGE_BUILDFLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
PACKAGE_CXXFLAGS = $$($(PACKAGE_BUILDFLAGS) CPPFLAGS) $$($(PACKAGE_BUILDFLAGS) CXXFLAGS)
PACKAGE_LDFLAGS = $$($(PACKAGE_BUILDFLAGS) LDFLAGS)
package: deps
	@scripts/install-deps.sh dpkg-dev file lintian
	@cmake -S . -B $(BUILD)-package -DCMAKE_BUILD_TYPE=Release -DMORVANE_BUILD_TESTS=OFF \
		-DMORVANE_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$(PACKAGE_CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$(PACKAGE_LDFLAGS)"
	@cmake --build $(BUILD)-package -j $(JOBS)
	@cd $(BUILD)-package && cpack -G DEB
	lintian --fail-on error $(BUILD)-package/morvane_*.deb

# Sanitizer runs: AddressSanitizer with LeakSanitizer, and
# UndefinedBehaviorSanitizer; the first report fails its test.
SANITIZE_ENV := QT_QPA_PLATFORM=offscreen \
  ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:strict_init_order=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0
SANITIZE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=-O1 -DMORVANE_SANITIZE=ON \
  -DMORVANE_BUILD_BENCH=OFF

test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize $(SANITIZE_FLAGS)
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	cd $(BUILD)-sanitize && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS)

test-sanitize-core: deps
	@cmake -S . -B $(BUILD)-sanitize-core $(SANITIZE_FLAGS) -DMORVANE_BUILD_GUI=OFF
	@cmake --build $(BUILD)-sanitize-core -j $(JOBS)
	cd $(BUILD)-sanitize-core && $(SANITIZE_ENV) ctest --output-on-failure -L core -j $(JOBS)

# libFuzzer targets, each run for FUZZ_SECONDS from the seeds in fuzz/corpus;
# what a run adds to the corpus stays in the build folder.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh cmake make clang-14 libclang-rt-14-dev
	@cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++-14 \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_FUZZ=ON -DMORVANE_BUILD_GUI=OFF \
		-DMORVANE_BUILD_TESTS=OFF -DMORVANE_BUILD_BENCH=OFF
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target morvane_fuzz
	@fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

# No-data-loss soak: SOAK_RUNS random folders and option sets renamed on disk.
SOAK_RUNS ?= 5000
soak: build
	$(BUILD)/tests/morvane_soak --runs $(SOAK_RUNS)

# Static analysis of src/ with clang-tidy (.clang-tidy) and cppcheck.
lint: configure
	@scripts/install-deps.sh clang-tidy-14 cppcheck
	@scripts/lint.sh $(BUILD)

# Formatting check: every C++ file as .clang-format lays it out. Lists the
# files that differ and fails; `clang-format-14 -i FILE` applies the layout.
FORMAT_SOURCES = $(shell find src tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
format-check:
	@scripts/install-deps.sh clang-format-14
	@if out=$$(clang-format-14 --dry-run --Werror $(FORMAT_SOURCES) 2>&1); then \
		echo "format-check: $(words $(FORMAT_SOURCES)) files match .clang-format"; \
	else \
		printf '%s\n' "$$out" | sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be.*/\1/p' | sort -u; \
		printf '%s\n' "$$out" | grep -v 'code should be clang-formatted' | grep 'error' || true; \
		echo "format-check: these files differ from .clang-format (clang-format-14 -i FILE)"; \
		exit 1; \
	fi

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-package $(BUILD)-sanitize $(BUILD)-sanitize-core \
		$(BUILD)-fuzz
