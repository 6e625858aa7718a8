# Entry points for developers and CI. CMake does the real work; this file only strings the
# steps together:
#
#   make [build]      install missing packages, configure build/ once, build
#   make run          build, then open examples/demo.vex (console runner without a display)
#   make test         build, then run every test (GUI tests offscreen)
#   make sanitize     build and test the non-GUI layers with ASan/UBSan in build-sanitize/
#   make format       reformat the C++ sources; make format-check only reports (CI runs it)
#   make bench        build and run the benchmarks in build-bench/
#   make fuzz         build the fuzz targets with clang in build-fuzz/, run each FUZZ_SECONDS (60)
#   make clean        remove the build trees

SHELL := /bin/bash
.DEFAULT_GOAL := build

BUILD_DIR    := build
SANITIZE_DIR := build-sanitize
BENCH_DIR    := build-bench
FUZZ_DIR     := build-fuzz
FUZZ_SECONDS ?= 60
DEMO         := examples/demo.vex

CMAKE_FLAGS := -G Ninja
ifeq ($(CI),true)
CMAKE_FLAGS += -DZENTARO_WERROR=ON
endif

CTEST_FLAGS := --output-on-failure -j2 --no-tests=error

FORMAT_DIRS  := $(wildcard runtime host shell editing debugging services platform apps tests bench)
FORMAT_FILES  = find $(FORMAT_DIRS) -type f \( -name '*.h' -o -name '*.cpp' \) -print0

.PHONY: build run test sanitize format format-check bench fuzz clean deps

deps:
	@scripts/setup-deps

# Configures a tree only when it has never been configured; later runs let CMake's own
# regeneration pick up changes to the CMakeLists files.
define configure
	@if [ ! -f $(1)/build.ninja ]; then cmake -S . -B $(1) $(CMAKE_FLAGS) $(2); fi
endef

build: deps
	$(call configure,$(BUILD_DIR))
	cmake --build $(BUILD_DIR)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	    $(BUILD_DIR)/bin/zentaro $(DEMO); \
	else \
	    echo "No display available (DISPLAY and WAYLAND_DISPLAY unset): running $(DEMO) in the console runner instead."; \
	    $(BUILD_DIR)/bin/vexscript $(DEMO); \
	fi

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)

sanitize: deps
	$(call configure,$(SANITIZE_DIR),-DZENTARO_SANITIZE=ON -DZENTARO_GUI=OFF)
	cmake --build $(SANITIZE_DIR)
	ctest --test-dir $(SANITIZE_DIR) $(CTEST_FLAGS)

format:
	@$(FORMAT_FILES) | xargs -0 -r clang-format -i

format-check:
	@$(FORMAT_FILES) | xargs -0 -r clang-format --dry-run --Werror

bench:
	@if [ ! -x bench/run ] || [ ! -f bench/CMakeLists.txt ]; then \
	    echo "No benchmarks yet: bench/run and bench/CMakeLists.txt do not exist."; \
	    exit 0; \
	fi; \
	set -e; \
	scripts/setup-deps --bench; \
	if [ ! -f $(BENCH_DIR)/build.ninja ]; then \
	    cmake -S . -B $(BENCH_DIR) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DZENTARO_BENCH=ON; \
	fi; \
	cmake --build $(BENCH_DIR); \
	bench/run $(BENCH_DIR)

# libFuzzer needs clang; every library is instrumented (fuzzer-no-link) and sanitized.
fuzz: deps
	@if [ ! -f $(FUZZ_DIR)/build.ninja ]; then \
	    CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) $(CMAKE_FLAGS) -DZENTARO_GUI=OFF \
	        -DZENTARO_SANITIZE=ON -DZENTARO_FUZZ=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link; \
	fi
	cmake --build $(FUZZ_DIR) --target fuzz_compile fuzz_evaluate fuzz_words fuzz_registry_file
	tests/fuzz/run $(FUZZ_DIR) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR) $(FUZZ_DIR)
