# make run   : install what is missing, build, start Orbala
# make test  : install what is missing, build with sanitizers and warnings as errors, run every
#              test; then build the unit tests optimised, as `make build` builds, and run them too
# make bench : build optimised and print the benchmark figures
# make fuzz  : build the libFuzzer targets with clang
JOBS ?= $(shell nproc)
# The build people run; the optimised unit tests use the same.
RUN_BUILD_TYPE := RelWithDebInfo
XVFB := $(if $(DISPLAY),,xvfb-run -a -s "-screen 0 1600x1200x24")

PREFIX ?= /usr/local

.PHONY: deps build run install test build-test build-optimised-tests bench fuzz format clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=$(RUN_BUILD_TYPE) -DORBALA_TESTS=OFF
	cmake --build build -j $(JOBS) --target orbala

run: build
	./build/orbala

# make install [PREFIX=/usr] [DESTDIR=/tmp/stage]
install: build
	cmake -S . -B build -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	DESTDIR=$(DESTDIR) cmake --install build

build-test: deps
	cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DORBALA_STRICT=ON -DORBALA_SANITIZE=ON
	cmake --build build-test -j $(JOBS)

# The optimiser can turn undefined behaviour the sanitizers miss (in code they do not
# instrument, such as the toolkit) into wrong results, so the unit tests run optimised too.
build-optimised-tests: deps
	cmake -S . -B build-optimised -DCMAKE_BUILD_TYPE=$(RUN_BUILD_TYPE)
	cmake --build build-optimised -j $(JOBS) --target orbala_unit_tests

test: build-test build-optimised-tests
	cd build-test && $(XVFB) ctest --output-on-failure -j 2
	cd build-optimised && ctest --output-on-failure -j 2 -L unit

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DORBALA_TESTS=OFF -DORBALA_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target orbala_bench orbala_bench_open orbala_bench_export orbala_bench_frames
	$(XVFB) ./build-bench/orbala_bench
	$(XVFB) ./build-bench/orbala_bench_open
	$(XVFB) ./build-bench/orbala_bench_export
	$(XVFB) ./build-bench/orbala_bench_frames

fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=Debug -DORBALA_TESTS=OFF -DORBALA_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-test build-optimised build-bench build-fuzz
