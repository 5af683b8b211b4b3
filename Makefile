# courtball: the human entry points.
#   make play          set up, build, generate the data files and run the game
#   make test          set up, build, link-check (check-odr) and run every test suite
#   make check-odr     link every program with LTO: two classes of one name fail
#   make test-sanitize the same suites built with AddressSanitizer and UBSan
#   make test-under-load  the end-to-end scripts 10 times with every core busy
#   make check-format  check every C++ file against .clang-format
#   make bench         build and run the benchmarks and the pacing measurement
#   make fuzz          run each file-reader fuzzer for 60 s (installs clang if missing)
#   make install       install under PREFIX (default /usr/local; DESTDIR honoured)
#   make package       build the Debian package build/courtball_*.deb
#   make mutants       break the code once per listed fault; each must fail a test
#   make web           the browser build; build-web/site is the folder to host
#   make serve-web     serve build-web/site on localhost and print the address
#   make test-web      build, then play the page in headless chromium against the goldens
#   make bench-web     the page's weight, first-frame time and ticks per second
#   make test-web-fresh  scripts/install-deps --web, make web and test-web on a clean Debian 12
#   make windows       the Windows build in build-windows/: its zip and installer
#   make test-windows  its unit suites, the game, its picture and packages under Wine
#   make bench-windows the zip's and installer's sizes and Esc's time to exit under Wine
BUILD ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# No "Entering directory" lines from the sub-makes CMake runs.
MAKEFLAGS += --no-print-directory

.PHONY: all deps build check-odr play test test-sanitize test-under-load check-format bench fuzz \
  install package mutants clean web serve-web test-web bench-web test-web-fresh windows \
  test-windows bench-windows
WEB_BUILD ?= build-web
WIN_BUILD ?= build-windows
PORT ?= 8080

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Every program linked once more with link-time optimisation at -O0, where a
# name given to two different classes (an ODR clash) fails the link; the
# ordinary build inlines such a clash away and runs on.
check-odr: deps
	@cmake -S . -B $(BUILD)-odr -DCMAKE_BUILD_TYPE=None -DCOURTBALL_ODR_CHECK=ON >/dev/null
	@cmake --build $(BUILD)-odr -j $(JOBS) >$(BUILD)-odr/build.log 2>&1 || \
	  { grep -A12 -m1 ' error: ' $(BUILD)-odr/build.log; echo "check-odr: see $(BUILD)-odr/build.log"; exit 1; }

# The game exits 1 after a normal end (Esc or the window closed): that is
# success here; any other code is passed on.
play: build
	@cd $(BUILD)/data && ../bin/courtball; status=$$?; \
	  if [ $$status -ne 1 ]; then exit $$status; fi

# First the share of tests in the code we hold to about a third (at most
# 35 %): non-blank lines of C++ and scripts under tests/, golden data aside,
# against C++ under src/ and tools/.
test: build check-odr
	@code=$$(git ls-files src tools | grep -E '\.(cpp|h|hpp|cc)$$' | xargs -r cat 2>/dev/null | grep -cv '^\s*$$'); \
	  tests=$$(git ls-files tests | grep -E '\.(cpp|h|hpp|cc|sh|py)$$' | grep -v '/golden/' | \
	    xargs -r cat 2>/dev/null | grep -cv '^\s*$$'); \
	  if [ "$${code:-0}" -gt 0 ]; then \
	    echo "tests: $$tests lines against $$code of code in src/ and tools/ ($$((tests * 100 / code)) %, at most 35 %)"; \
	  fi
	@ctest --test-dir $(BUILD) --output-on-failure -j 2

# Every suite in a build of its own with ASan and UBSan: any finding fails its
# test; leaks are checked everywhere, only those of libraries that keep their
# memory to the end are suppressed (tests/sanitize/*.supp). CI runs it.
test-sanitize: deps
	@cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCOURTBALL_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)-sanitize -j $(JOBS)
	@ctest --test-dir $(BUILD)-sanitize --output-on-failure -j 2

# The end-to-end scripts ROUNDS times (default 10) with every core kept busy at normal
# priority; it reports how many rounds failed. Slow, so not part of `make test`.
ROUNDS ?= 10
test-under-load: build
	@scripts/test-under-load $(BUILD) $(ROUNDS)

check-format: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@scripts/run-bench $(BUILD)

fuzz:
	@scripts/install-deps --fuzz
	@CXX=clang++ cmake -S . -B $(BUILD)-fuzz -DCOURTBALL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS)
	@scripts/run-fuzz $(BUILD)-fuzz

# Slow (a build and a test run per fault), so on demand only, never in CI.
# FAULTS="name ..." tries only those; the list is scripts/mutants.d/faults.
mutants: deps
	@scripts/mutants $(FAULTS)

# The browser build: the data files come from the desktop build's generator.
web: deps
	@scripts/install-deps --web
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@src/web/build.sh $(BUILD)/data $(WEB_BUILD) $(BUILD)/bin/courtball-data

serve-web: web
	@node src/web/serve.js $(WEB_BUILD)/site $(PORT)

# Not part of `make test`: it needs the web toolchain and takes minutes.
test-web: web
	@tests/web/test-web.sh $(WEB_BUILD)/site tests/golden $(WEB_BUILD)/test

bench-web: web
	@bench/web-page.sh $(WEB_BUILD)/site

# A debootstrap root under $(BUILD)-fresh: slow (a whole install), on demand only.
test-web-fresh:
	@scripts/test-web-fresh $(BUILD)-fresh

# Windows, cross-built with mingw-w64: the data files and the icon come from
# the Linux build's courtball-data; SDL2 is built once into .cache/windows.
windows: deps
	@scripts/install-deps --windows
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target gamedata
	@cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/MingwW64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DSDL2_DIR=$(CURDIR)/.cache/windows/sdl2/lib/cmake/SDL2 \
	  -DCOURTBALL_DATA_TOOL=$(abspath $(BUILD))/bin/courtball-data \
	  -DCOURTBALL_DATA=$(abspath $(BUILD))/data >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS)

# Not part of `make test`: it needs the Windows toolchain and Wine. One test
# at a time: they share the build's Wine prefix.
test-windows: windows
	@ctest --test-dir $(WIN_BUILD) --output-on-failure

bench-windows: windows
	@bench/windows.sh $(WIN_BUILD)

clean:
	rm -rf $(BUILD) $(BUILD)-fuzz $(BUILD)-sanitize $(BUILD)-odr $(WEB_BUILD) $(WIN_BUILD)
