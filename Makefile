# The two commands: `make run` builds the release configuration and runs the
# demo; `make test` builds the sanitized test configuration and runs every test.
# `make bench` builds the release configuration with the benchmarks and runs
# them: the micro-benchmarks, then the demo against the raw OpenGL baseline (on
# a private virtual display when there is no DISPLAY). `make perf-check` measures
# the engine's cost per frame in figures the machine's load cannot move (GL
# calls, callgrind instruction counts) and compares them with the references in
# bench/perf/; `make perf-update` rewrites those after a deliberate change.

BUILD_DIR   ?= build
RELEASE_DIR := $(BUILD_DIR)/release
TEST_DIR    := $(BUILD_DIR)/test
BENCH_DIR   := $(BUILD_DIR)/bench
SOAK_DIR    := $(BUILD_DIR)/soak
JOBS        ?= $(shell nproc)
# Length of `make soak` in seconds.
SOAK_SECONDS ?= 600

.PHONY: windows test-windows deps-windows gpu-bundle all deps deps-run deps-test deps-bench deps-soak run test golden golden-update golden-add bench perf-check perf-update soak memcheck build-release build-test build-bench build-soak format clean

all: build-release

# Each target installs only the Debian packages its own work needs (see
# scripts/install-deps.sh); `make deps` installs them all.
deps:
	@bash scripts/install-deps.sh --check all >/dev/null || bash scripts/install-deps.sh all

deps-run deps-test deps-bench deps-soak deps-windows: deps-%:
	@bash scripts/install-deps.sh --check $* >/dev/null || bash scripts/install-deps.sh $*

build-release: deps-run
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE_DIR) -j $(JOBS)

build-test: deps-test
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DOX_SANITIZE=ON -DOX_BUILD_TESTS=ON
	cmake --build $(TEST_DIR) -j $(JOBS)

# The release program plus the GL probe that the soak preloads into it.
build-soak: deps-soak
	cmake -S . -B $(SOAK_DIR) -DCMAKE_BUILD_TYPE=Release -DOX_BUILD_SOAK=ON
	cmake --build $(SOAK_DIR) -j $(JOBS) --target vexel ox_gl_probe

build-bench: deps-bench
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DOX_BUILD_BENCH=ON
	cmake --build $(BENCH_DIR) -j $(JOBS)

# Options for the program: make run ARGS="--frames 600 --stats build/stats.csv"
ARGS ?=

run: build-release
	bash scripts/run.sh $(RELEASE_DIR)/src/app/vexel $(ARGS)

test: build-test
	bash scripts/with-display.sh ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

# Renders the golden flight and compares its frames with tests/golden/;
# golden-update rewrites the references after a deliberate change. With
# HEADLESS=1 the flight is rendered by the headless back end, with no X server.
GOLDEN = $(if $(HEADLESS),bash scripts/golden.sh --headless,bash scripts/with-display.sh bash scripts/golden.sh)

golden: build-release
	$(GOLDEN) $(RELEASE_DIR)

golden-update: build-release
	$(GOLDEN) --update $(RELEASE_DIR)

# A recorded session as new references:
#   make golden-add NAME=wheel-zoom INPUT=session.input FRAMES=30,120
golden-add: build-release
	bash scripts/with-display.sh bash scripts/golden-add.sh $(RELEASE_DIR) "$(NAME)" "$(INPUT)" "$(FRAMES)"

soak: build-soak
	bash scripts/with-display.sh python3 scripts/soak.py --vexel $(SOAK_DIR)/src/app/vexel \
		--probe $(SOAK_DIR)/tests/soak/libox_gl_probe.so --shaders shaders \
		--work-dir $(SOAK_DIR)/work --seconds $(SOAK_SECONDS)

memcheck: build-soak
	bash scripts/with-display.sh bash scripts/memcheck.sh $(SOAK_DIR)/src/app/vexel $(SOAK_DIR)/memcheck

bench: build-bench
	bash scripts/run-bench.sh $(BENCH_DIR)

perf-check: build-bench
	bash scripts/perf-check.sh $(BENCH_DIR)

perf-update: build-bench
	bash scripts/perf-check.sh --update $(BENCH_DIR)

# A folder to copy to a GPU server with only a driver: the release program,
# the libraries such a machine lacks, the golden flight and run.sh, which
# writes a report (docs/gpu.md).
gpu-bundle: build-release
	bash scripts/gpu-bundle.sh $(RELEASE_DIR) $(BUILD_DIR)/gpu-bundle

# The Windows program, cross-built here with mingw-w64 against dependencies
# built once from Debian's source packages (cached in build/windows-deps):
# build/windows/ and build/vexel-windows.zip. `make test-windows` proves it
# under Wine: the platform-dependent unit tests, the golden flight against
# tests/golden/ and the zip's runner.
windows: deps-windows
	bash scripts/windows-build.sh $(BUILD_DIR)

test-windows: deps-windows
	bash scripts/windows-build.sh --tests $(BUILD_DIR)
	bash scripts/windows-test.sh $(BUILD_DIR)

format:
	git ls-files '*.hpp' '*.cpp' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
