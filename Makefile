# The two everyday commands: `make run` and `make test`.
BUILD   ?= build
ASAN_BUILD ?= build-asan
JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps deps-test deps-package configure build test-build asan-build run test lint bench bench-startup fuzz \
        screenshots format install package clean

all: build

# What each use needs, no more: `make run` installs the build and the
# program's run-time packages only; tests, lint and fuzzing bring their tools.
deps:
	@sh scripts/install-deps run

deps-test:
	@sh scripts/install-deps test

deps-package:
	@sh scripts/install-deps package

# A fresh build folder holds the program alone; `make test` (and the
# benchmarks) turn the tests on in it, with warnings as errors, and the
# folder keeps that.
$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tsubame
	./$(BUILD)/tsubame

TEST_FLAGS = -DBUILD_TESTING=ON -DCMAKE_COMPILE_WARNING_AS_ERROR=ON

configure: deps-test
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(TEST_FLAGS) $(CMAKE_FLAGS)

test-build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Layout against .clang-format, then clang-tidy (.clang-tidy) over every
# source of ours in the compile database (the moc and rcc output left out).
# clang-tidy reads the sources only, so the mocs are all it needs built.
LINT_FILES = $(shell git ls-files '*.cpp' '*.h')

lint: configure
	clang-format --dry-run --Werror $(LINT_FILES)
	cmake --build $(BUILD) -j $(JOBS) --target autogen
	run-clang-tidy -p $(BUILD) -quiet -j $(JOBS) '^$(CURDIR)/(common|schedule|loan|depreciation|shell|tools|tests|bench)/' >$(BUILD)/clang-tidy.log 2>&1 \
	  || { grep -E -A3 'warning:|error:' $(BUILD)/clang-tidy.log; exit 1; }

# The sanitizer build: every test again under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run. Qt 6.8 asks the
# desktop portal over D-Bus at start-up and, when no portal answers (Xvfb),
# keeps the pending call to the end: the tests need no portal.
SANITIZER_ENV = QT_NO_XDG_DESKTOP_PORTAL=1 ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

asan-build: deps-test
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSUBAME_SANITIZE=ON \
	  $(TEST_FLAGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: lint
	$(MAKE) test-build asan-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz FUZZ_SECONDS=10 FUZZ_SEED=1

bench: test-build
	./$(BUILD)/bench/tsubame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./$(BUILD)/bench/tsubame_ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Start-up time and memory against a minimal Qt program, on its own Xvfb.
bench-startup: test-build
	bench/startup-bench $(BUILD)

# libFuzzer (clang): the core's fuzz targets, each for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SEED ?= 0

fuzz: deps-test
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTSUBAME_FUZZ=ON $(TEST_FLAGS)
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	sh scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_SEED)

screenshots: deps-test build
	sh scripts/screenshots

format:
	clang-format -i $(LINT_FILES)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package ($(BUILD)/tsubame_<version>_<arch>.deb) of the program
# alone: tests and benchmarks are not built for it.
package: deps-package $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tsubame tsubame_desktop_files tsubame_package_docs
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
