# The two everyday commands: `make run` and `make test`.
BUILD   ?= build
ASAN_BUILD ?= build-asan
JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps build asan-build run test bench bench-startup fuzz screenshots format install package clean

all: build

deps:
	@sh scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tsubame

# The sanitizer build: every test again under AddressSanitizer and
# UndefinedBehaviorSanitizer; any report fails the run.
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

$(ASAN_BUILD)/build.ninja:
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSUBAME_SANITIZE=ON

asan-build: deps $(ASAN_BUILD)/build.ninja
	cmake --build $(ASAN_BUILD) -j $(JOBS)

test: build asan-build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)
	$(MAKE) fuzz FUZZ_SECONDS=10 FUZZ_SEED=1

bench: build
	./$(BUILD)/bench/tsubame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	./$(BUILD)/bench/tsubame_ui_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

# Start-up time and memory against a minimal Qt program, on its own Xvfb.
bench-startup: build
	bench/startup-bench $(BUILD)

# libFuzzer (clang): the core's fuzz targets, each for FUZZ_SECONDS.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_SEED ?= 0

$(FUZZ_BUILD)/build.ninja:
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSUBAME_FUZZ=ON

fuzz: deps $(FUZZ_BUILD)/build.ninja
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	sh scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_SEED)

screenshots: build
	sh scripts/screenshots

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package ($(BUILD)/tsubame_<version>_<arch>.deb) of the program
# alone: tests and benchmarks are not built for it.
package: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS) --target tsubame tsubame_desktop_files tsubame_package_docs
	cd $(BUILD) && cpack

clean:
	rm -rf $(BUILD)
