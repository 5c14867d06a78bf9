# The two everyday commands: `make run` and `make test`.
BUILD   ?= build
ASAN_BUILD ?= build-asan
JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps build asan-build run test bench fuzz screenshots format install clean

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

bench: build
	./$(BUILD)/bench/tsubame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

FUZZ_SECONDS ?= 60
FUZZ_TARGETS = numeric_text formats field_rules schedules
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTSUBAME_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t; \
	  echo "== $$t ($(FUZZ_SECONDS) s)"; \
	  ./build-fuzz/tests/fuzz/$${t}_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    -artifact_prefix=build-fuzz/ build-fuzz/corpus/$$t tests/fuzz/corpus/$$t 2>&1 \
	    | grep -E '^(stat::number_of_executed_units|==|SUMMARY|ERROR)|crash-' || exit 1; \
	done

screenshots: build
	sh scripts/screenshots

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
