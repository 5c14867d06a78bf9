# The two everyday commands: `make run` and `make test`.
BUILD   ?= build
JOBS    ?= $(shell nproc)
PREFIX  ?= /usr/local
CMAKE_FLAGS ?=

.PHONY: all deps build run test bench format install clean

all: build

deps:
	@sh scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/tsubame

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	./$(BUILD)/bench/tsubame_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
