# The two set-up commands: `make demo` builds and runs the demo, `make check` runs every test.
.PHONY: demo check bench format clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

demo:
	@scripts/setup-deps
	@cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAL_BUILD_TESTS=OFF \
		-DTAL_BUILD_BENCH=OFF >/dev/null
	@cmake --build build/demo -j $(JOBS) --target tal_demo
	@build/demo/examples/tal_demo

check:
	@scripts/check

bench:
	@scripts/setup-deps --bench
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAL_BUILD_TESTS=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/tal_*_bench; do $$b --benchmark_min_time=0.05; done

format:
	@clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	@rm -rf build
