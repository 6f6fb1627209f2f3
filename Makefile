# Two commands set everything up: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
PRESET ?= dev

.PHONY: deps configure build app run test test-asan test-tsan bench fuzz package clean format

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The application alone: no test program is built.
app: configure
	@cmake --build $(BUILD) -j $(JOBS) --target velmor

run: app
	cd $(CURDIR) && $(BUILD)/app/velmor

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@cmake --preset asan >/dev/null
	cmake --build build-asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

test-tsan: deps
	@cmake --preset tsan >/dev/null
	cmake --build build-tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

bench: deps
	@cmake --preset release -DVELMOR_BENCH=ON >/dev/null
	cmake --build build-release -j $(JOBS) --target velmor_bench velmor_bench_native
	bench/run-report build-release

# The Debian package velmor_<version>_amd64.deb in $(BUILD)/, dependencies from shlibdeps.
package: build
	cd $(BUILD) && cpack -G DEB

# make fuzz FUZZ_SECONDS=600: coverage-guided fuzzing with libFuzzer when clang is installed
# (it is not among the dependencies), else a long run of the seeded fuzz tests.
FUZZ_SECONDS ?= 120
fuzz: deps
	@if command -v clang++ >/dev/null; then \
	    cmake --preset fuzz >/dev/null && \
	    cmake --build build-fuzz -j $(JOBS) --target velmor_fuzz && \
	    fuzz/seed-corpus build-fuzz/seeds && mkdir -p build-fuzz/corpus && \
	    build-fuzz/fuzz/velmor_fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	        -rss_limit_mb=4096 -artifact_prefix=build-fuzz/ build-fuzz/corpus build-fuzz/seeds; \
	else \
	    echo "clang++ not found: libFuzzer needs clang (apt-get install clang)."; \
	    echo "Running the seeded fuzz tests instead."; \
	    cmake --preset $(PRESET) >/dev/null && cmake --build $(BUILD) -j $(JOBS) --target velmor_store_tests && \
	    VELMOR_FUZZ_ITERATIONS=200000 $(BUILD)/tests/velmor_store_tests --gtest_filter='*Fuzz*'; \
	fi

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-tsan build-release build-fuzz
