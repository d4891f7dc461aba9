# The two set-up commands: `make demo` builds and runs the demo, `make check` runs every test.
.PHONY: demo check docs bench fuzz format clean

JOBS ?= $(shell nproc 2>/dev/null || echo 2)

demo:
	@scripts/setup-deps
	@cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAL_BUILD_TESTS=OFF \
		-DTAL_BUILD_BENCH=OFF >/dev/null
	@cmake --build build/demo -j $(JOBS) --target tal_demo
	@build/demo/examples/tal_demo

check:
	@scripts/check

# The HTML reference, into build/docs/html; any Doxygen warning fails it.
docs:
	@scripts/setup-deps
	@cmake -S . -B build/docs -G Ninja -DTAL_BUILD_TESTS=OFF -DTAL_BUILD_BENCH=OFF \
		-DTAL_BUILD_EXAMPLES=OFF >/dev/null
	@cmake --build build/docs --target docs
	@echo "reference: build/docs/html/index.html"

bench:
	@scripts/setup-deps --bench
	@cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAL_BUILD_TESTS=OFF >/dev/null
	@cmake --build build/bench -j $(JOBS)
	@for b in build/bench/bench/tal_*_bench; do $$b --benchmark_min_time=0.05; done

# Coverage-guided fuzzing, 20 seconds per target; not part of `make check`.
fuzz:
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTAL_SANITIZE=ON -DTAL_BUILD_FUZZ=ON -DTAL_BUILD_TESTS=OFF -DTAL_BUILD_BENCH=OFF \
		-DTAL_BUILD_EXAMPLES=OFF >/dev/null
	@cmake --build build/fuzz -j $(JOBS)
	@for f in build/fuzz/fuzz/tal_*_fuzz; do \
		mkdir -p build/fuzz/corpus/$$(basename $$f); \
		$$f -max_total_time=20 -print_final_stats=1 build/fuzz/corpus/$$(basename $$f) || exit 1; \
	 done

format:
	@clang-format -i $$(git ls-files '*.h' '*.cpp')

clean:
	@rm -rf build
