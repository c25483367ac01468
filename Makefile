# make demo: install what is missing, build, and show the plug-in in the stand-in host.
# make test: install what is missing, build everything, and run every test.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=Release

.PHONY: all deps build native win64 win32 sanitize fuzz test demo bench mutate clean

all: build

deps:
	@sh tools/install-deps.sh

build: deps native win64 win32

native:
	cmake -S . -B build/native $(CMAKE_FLAGS) >/dev/null
	cmake --build build/native -j $(JOBS)

win64:
	cmake -S . -B build/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake >/dev/null
	cmake --build build/win64 -j $(JOBS)

win32:
	cmake -S . -B build/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake \
	    -DZR_RUN_WINE_TESTS=$$(sh tools/probe-wine32.sh >/dev/null 2>&1 && echo ON || echo OFF) >/dev/null
	cmake --build build/win32 -j $(JOBS)

# The portable core again, with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B build/native-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_SANITIZE=ON >/dev/null
	cmake --build build/native-asan -j $(JOBS) --target core_tests

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_FUZZ=ON >/dev/null
	cmake --build build/fuzz -j $(JOBS) --target settings_fuzz

# Speed against the memory traffic of the job, measured in the same run.
bench: deps native win64
	@sh tools/bench.sh

test: build sanitize fuzz
	@sh tools/run-tests.sh

demo: build
	@sh tools/demo.sh

# Plants small faults in the portable core one at a time and counts those
# the native tests catch, built with the sanitizers as make test runs them,
# so that a fault that only corrupts memory counts as caught. The tool comes
# with the team's shared files, not with this project.
MUTATE ?= ../shared/tools/mutate.py
MUTATE_SEED ?= 7
mutate: deps
	@[ -f $(MUTATE) ] || { echo "make mutate: $(MUTATE) is not on this machine"; exit 2; }
	cmake -S . -B build/mutate -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_SANITIZE=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
	ASAN_OPTIONS=detect_leaks=1 python3 $(MUTATE) --count 80 --seed $(MUTATE_SEED) --min-score 85

clean:
	rm -rf build
