# make run   installs what is missing, builds and starts Tillwick in the current folder
# make test  installs what is missing, builds and runs every test
# make bench builds and runs the benchmarks
BUILD_DIR ?= build
BENCH_DIR ?= build-bench
JOBS ?= $(shell nproc)
export TILLWICK_PEER_SCOPE ?= loopback

.PHONY: run test bench build deps format clean

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja: | deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: deps $(BUILD_DIR)/build.ninja
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@$(BUILD_DIR)/tillwick

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTILLWICK_BUILD_TESTS=OFF \
		-DTILLWICK_BUILD_BENCH=ON >/dev/null
	@cmake --build $(BENCH_DIR) -j $(JOBS)
	@$(BENCH_DIR)/bench/bench_tablestore
	@$(BENCH_DIR)/bench/bench_ledger
	@$(BENCH_DIR)/bench/bench_quoterun

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(BENCH_DIR)
