# SPDX-License-Identifier: GPL-3.0-or-later
# Set-up, build, run and test Quorvel on a Debian machine.
BUILD_DIR      ?= build
SANITIZE_DIR   ?= build-sanitize
TSAN_DIR       ?= build-tsan
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?=
SOURCES         = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find src tools bench tests -name '*.cpp' -o -name '*.h')


.PHONY: all deps configure build run test bench package format format-check test-sanitize test-tsan clean

all: build

deps:
	@./scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the program; without a display it runs on a virtual one.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD_DIR)/src/app/quorvel; \
	else echo "No display found: running on a virtual X display (xvfb-run)."; \
	     xvfb-run -a $(BUILD_DIR)/src/app/quorvel; fi

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package, in $(BUILD_DIR): quorvel_<version>_amd64.deb.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

# Every benchmark and its ratio, then the whole number range as processes, once.
bench: build
	@status=0; QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/bench/spiral-bench || status=1; \
	 bench/whole_range.sh $(BUILD_DIR)/tools/spiral-render/spiral-render || status=1; \
	 exit $$status

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE=ON \
	       -DQUORVEL_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen QUORVEL_FUZZ_FILES=10000 \
	    ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# The tests that run work on several threads (label `threads`), built with ThreadSanitizer.
# Races inside the toolkit and system libraries are suppressed in scripts/tsan.supp.
test-tsan: deps
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_SANITIZE_THREAD=ON \
	       -DQUORVEL_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS)
	@cd $(TSAN_DIR) && QT_QPA_PLATFORM=offscreen \
	    TSAN_OPTIONS=suppressions=$(CURDIR)/scripts/tsan.supp:halt_on_error=1:second_deadlock_stack=1 \
	    ctest --output-on-failure -j $(JOBS) -L threads

format:
	@clang-format -i $(SOURCES)

format-check:
	@clang-format --dry-run -Werror $(SOURCES)

clean:
	@rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR)
