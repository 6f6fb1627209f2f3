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
	cd build-asan && ctest --output-on-failure -j $(JOBS)

test-tsan: deps
	@cmake --preset tsan >/dev/null
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && ctest --output-on-failure -j $(JOBS)

bench: deps
	@cmake --preset release -DVELMOR_BENCH=ON >/dev/null
	cmake --build build-release -j $(JOBS) --target velmor_bench velmor_bench_native
	bench/run-report build-release

# The Debian package velmor_<version>_amd64.deb in $(BUILD)/, dependencies from shlibdeps.
package: build
	cd $(BUILD) && cpack -G DEB

fuzz: build
	VELMOR_FUZZ_ITERATIONS=200000 $(BUILD)/tests/velmor_store_tests --gtest_filter='*Fuzz*'

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-debug build-asan build-tsan build-release
