# Thin wrapper around CMake and CTest. `make run` and `make test` work on a fresh Debian 12 or 13 machine.
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
BUILD     ?= build
ASAN      ?= build-asan
FUZZBUILD ?= build-fuzz
COVBUILD  ?= build-coverage
DEBBUILD  ?= build-deb
WINBUILD  ?= build-windows
LIBCXXBUILD ?= build-libcxx
WEBBUILD  ?= build-web
FUZZ_SECONDS ?= 60
CMAKE_ARGS ?=

.PHONY: all deps test-deps configure build run test test-fast test-asan test-libcxx screenshots coverage bench fuzz \
        install package lint-package windows-deps windows test-windows web test-web bench-web clean \
        pot update-po

all: build

# What building and running need; test-deps adds what the suites and the other checks use.
deps:
	@./scripts/install-deps run

test-deps:
	@./scripts/install-deps test

configure: deps
	@./scripts/wx-catalogs $(BUILD) || echo "make: wxWidgets' own texts stay English in Norwegian bokmål" >&2
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run-program $(BUILD)

test: build test-deps
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory test-asan
	@$(MAKE) --no-print-directory test-libcxx

test-fast: build test-deps
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The non-GUI suites again, under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: test-deps
	@cmake -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DPWR_SANITIZE=ON -DPWR_BUILD_GUI=OFF \
	    -DPWR_BUILD_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	@cmake --build $(ASAN) -j $(JOBS)
	@# A case that takes every free file descriptor away leaves none for the sanitizers' own
	@# checks of memory (they test an address through a pipe), which then report false faults.
	cd $(ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j $(JOBS) -E 'CloneSession\.WithoutItsSimulatedTransceiverItIsNotReady'

# The core (engine/, radio/, exchange/, clone/ and what they stand on) with clang and its own C++ library,
# as WebAssembly and macOS build it: no part of it may rest on what only GNU's library has.
test-libcxx: test-deps
	@CC=clang CXX=clang++ cmake -S . -B $(LIBCXXBUILD) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_CXX_FLAGS=-stdlib=libc++ -DPWR_BUILD_GUI=OFF -DPWR_BUILD_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	cmake --build $(LIBCXXBUILD) -j $(JOBS) --target pwr_engine pwr_radio pwr_exchange pwr_clone

# Pictures of the program's windows for a person to look at, as PNG files in $(BUILD)/screenshots.
screenshots: configure test-deps
	@cmake --build $(BUILD) --target app_screenshots -j $(JOBS)
	@rm -rf $(BUILD)/screenshots && mkdir -p $(BUILD)/screenshots
	@# PWR_SCREENSHOT_LANGUAGE=nb (or xx, the pseudo-language of the tests) for another language.
	PWR_SCREENSHOT_DIR=$(abspath $(BUILD))/screenshots xvfb-run -a -s "-screen 0 1600x1200x24" \
	    $(BUILD)/tests/app/app_screenshots
	@# The Windows program under Wine as well, where it has been built (make windows).
	@if [ -f $(WINBUILD)/app/pwr455.exe ]; then \
	    cmake --build $(BUILD) --target pwr455-cli -j $(JOBS) && \
	    xvfb-run -a -s "-screen 0 1024x768x24" tests/windows/wine_gui screenshots \
	        $(WINBUILD)/app/pwr455.exe $(BUILD)/cli/pwr455-cli $(abspath $(WINBUILD))/wine $(BUILD)/screenshots; \
	fi

# Line coverage of engine/, radio/, clone/, card/ and platform/ from one run of the non-GUI suites.
# The two tests that run the tool under a file size limit or as another user are left to `make test`:
# such a tool cannot write its profile, says so on the standard error the tests compare, and may leave
# the profile half written.
# With a ccache base folder the compiler would record relative source paths that gcovr cannot follow.
coverage: test-deps
	@cmake -S . -B $(COVBUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS=--coverage \
	    -DCMAKE_EXE_LINKER_FLAGS=--coverage -DPWR_BUILD_GUI=OFF -DPWR_BUILD_BENCH=OFF $(CMAKE_ARGS) >/dev/null
	@env -u CCACHE_BASEDIR cmake --build $(COVBUILD) -j $(JOBS)
	@find $(COVBUILD) -name '*.gcda' -delete
	cd $(COVBUILD) && ctest --output-on-failure -j $(JOBS) -E 'SaveFaultTest\.Tool'
	@./scripts/coverage-report $(COVBUILD) engine radio clone card platform

bench: build test-deps
	@./scripts/run-benchmarks $(BUILD)

fuzz: test-deps
	@cmake -S . -B $(FUZZBUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DPWR_FUZZ=ON -DPWR_BUILD_GUI=OFF -DPWR_BUILD_TESTS=OFF -DPWR_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(FUZZBUILD) -j $(JOBS)
	@./scripts/run-fuzzers $(FUZZBUILD) $(FUZZ_SECONDS)

# The translation template po/pwr455.pot from the sources, and the catalogs po/LANG.po merged
# with it (README, "Languages").
pot:
	@./scripts/update-catalogs pot

update-po: pot
	@./scripts/update-catalogs po

install: build
	@cmake --install $(BUILD)

# The Debian package, built with Debian's hardening flags in a build tree of its own.
package: deps web
	@./scripts/build-deb $(DEBBUILD)

# The package through lintian (no error, no warning), then its files through the checks of
# manual pages, desktop entry, metainfo and completion.
lint-package: web
	@./scripts/install-deps package
	@./scripts/build-deb $(DEBBUILD)
	lintian --fail-on error,warning --display-level '>=pedantic' \
	    $(DEBBUILD)/pwr455_$$(dpkg-parsechangelog -l packaging/changelog -S Version)_$$(dpkg --print-architecture).deb
	./scripts/check-integration $(DEBBUILD)/package/root

# Windows (64-bit), cross-built with MinGW-w64 against libraries built from Debian's sources, which
# are cached outside the build tree (scripts/windows/build-third-party); tests run under Wine.
windows-deps:
	@./scripts/install-deps windows
	@./scripts/windows/build-third-party $(WINBUILD) >/dev/null

# The zip and the installer: $(WINBUILD)/dist/pwr455-VERSION-windows-x64.zip and
# pwr455-VERSION-setup-x64.exe. The tests under Wine talk to the Linux tool's simulated
# transceiver, so test-windows builds the Linux tool too.
windows: windows-deps web
	@cmake -S . -B $(WINBUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/scripts/windows/mingw-w64-x86_64.cmake \
	    -DCMAKE_BUILD_TYPE=Release -DPWR_BUILD_BENCH=OFF \
	    -DPWR_LINUX_CLI=$(abspath $(BUILD))/cli/pwr455-cli $(CMAKE_ARGS) >/dev/null
	@cmake --build $(WINBUILD) -j $(JOBS)

# A fresh Wine prefix for every run; after the tests, the time of a read through the Windows tool
# against the Linux tool's (bench/read_under_wine.sh). The Wine server keeps its folders in
# TMPDIR, which is one in the build folder; what the tests leave there or in Windows' temporary
# folder fails the run.
test-windows: windows configure
	@cmake --build $(BUILD) --target pwr455-cli -j $(JOBS)
	@rm -rf $(WINBUILD)/wine $(WINBUILD)/tmp && mkdir $(WINBUILD)/tmp
	cd $(WINBUILD) && TMPDIR=$(abspath $(WINBUILD))/tmp ctest --output-on-failure -j $(JOBS)
	@TMPDIR=$(abspath $(WINBUILD))/tmp bench/read_under_wine.sh scripts/windows/wine-run \
	    $(abspath $(WINBUILD))/wine $(BUILD)/cli/pwr455-cli $(WINBUILD)/cli/pwr455-cli.exe
	@TMPDIR=$(abspath $(WINBUILD))/tmp WINEPREFIX=$(abspath $(WINBUILD))/wine wineserver -k 2>/dev/null || true
	@left=$$(find $(WINBUILD)/tmp $(WINBUILD)/wine/drive_c/users/*/Temp -mindepth 1 -maxdepth 1 \
	    ! -name 'wine-*'); rm -rf $(WINBUILD)/tmp; \
	  if [ -n "$$left" ]; then echo "The tests left these in a temporary folder:"; echo "$$left"; exit 1; fi

# The browser edition (README, "macOS, ChromeOS and the browser"): $(WEBBUILD)/dist/, the page for a
# web server, and $(WEBBUILD)/dist/pwr455.html, the same page as one file to open from the disk.
web:
	@./scripts/install-deps web
	@JOBS=$(JOBS) ./scripts/build-web $(WEBBUILD)

# The core's engine and radio suites in WebAssembly under Node.js, then the page in headless
# Chromium against the simulated transceiver in the page and the Linux tool's through a stand-in
# Web Serial port (so the Linux tool is built too, with its catalogs: the card's test compares the
# page's Norwegian card with the tool's).
test-web: web configure
	@cmake --build $(BUILD) --target pwr455-cli pwr_catalogs -j $(JOBS)
	cd $(WEBBUILD)/core && ctest --output-on-failure -j $(JOBS)
	PWR_WEB_DIST=$(abspath $(WEBBUILD))/dist PWR_CLI=$(abspath $(BUILD))/cli/pwr455-cli \
	    tests/common/run-isolated node --test tests/web/

# The page's start, its files' sizes and a read at 9600 baud beside the Linux tool's, in headless
# Chromium on this machine (bench/web_page.mjs; figures and targets, in README's browser section).
bench-web: web configure
	@cmake --build $(BUILD) --target pwr455-cli -j $(JOBS)
	PWR_WEB_DIST=$(abspath $(WEBBUILD))/dist PWR_CLI=$(abspath $(BUILD))/cli/pwr455-cli node bench/web_page.mjs

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZBUILD) $(COVBUILD) $(DEBBUILD) $(WINBUILD) $(LIBCXXBUILD) $(WEBBUILD)
