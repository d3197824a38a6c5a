# Thin wrapper around CMake and CTest. `make run` and `make test` work on a fresh Debian 12 machine.
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
BUILD     ?= build
ASAN      ?= build-asan
FUZZBUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_ARGS ?=

.PHONY: all deps configure build run test test-fast test-asan screenshots bench fuzz install package clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan

test-fast: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The non-GUI suites again, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DPWR_SANITIZE=ON -DPWR_BUILD_GUI=OFF \
	    -DPWR_BUILD_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS)

# Pictures of the program's windows for a person to look at, as PNG files in $(BUILD)/screenshots.
screenshots: configure
	@cmake --build $(BUILD) --target app_screenshots -j $(JOBS)
	@rm -rf $(BUILD)/screenshots && mkdir -p $(BUILD)/screenshots
	PWR_SCREENSHOT_DIR=$(abspath $(BUILD))/screenshots xvfb-run -a -s "-screen 0 1600x1200x24" \
	    $(BUILD)/tests/app/app_screenshots

bench: build
	@./scripts/run-benchmarks $(BUILD)

fuzz: deps
	@cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DPWR_FUZZ=ON -DPWR_BUILD_GUI=OFF -DPWR_BUILD_TESTS=OFF -DPWR_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZBUILD) -j $(JOBS)
	@./scripts/run-fuzzers $(FUZZBUILD) $(FUZZ_SECONDS)

install: build
	@cmake --install $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZBUILD)
