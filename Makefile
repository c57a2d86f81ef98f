# The two commands a newcomer needs: `make run` and `make test`. Both install
# what is missing (Debian packages) and build first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
CLANG_BUILD ?= build-clang
FUZZ_BUILD ?= build-fuzz
# How long `make fuzz` runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Where `make install` puts things; DESTDIR (empty by default) is put in
# front of every path, for staging.
PREFIX ?= /usr/local
# CI builds pass WERROR=ON: a new warning fails the build there.
WERROR ?= OFF

.PHONY: all deps build run test sanitize sanitize-baseline sanitize-avx2 sanitized-tests clang-test fuzz format-check format bench \
	samples install uninstall deb check-install clean

all: build

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMAGROVE_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j$(JOBS)

run: build
	scripts/run.sh $(BUILD)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

# The core and the command-line tool once more under AddressSanitizer and
# UndefinedBehaviorSanitizer: no reader or operation may touch memory it
# does not own. Twice: with only the portable code paths, and with the AVX2
# clones that most processors run (skipped where the processor has no AVX2).
sanitize: sanitize-baseline sanitize-avx2

sanitize-baseline: deps
	$(MAKE) --no-print-directory sanitized-tests SANITIZED_BUILD=$(SANITIZE_BUILD) BASELINE_ONLY=ON

sanitize-avx2: deps
	@if grep -qw avx2 /proc/cpuinfo; then \
	  $(MAKE) --no-print-directory sanitized-tests SANITIZED_BUILD=$(SANITIZE_BUILD)-avx2 BASELINE_ONLY=OFF; \
	else \
	  echo "This processor has no AVX2: the sanitized run of the AVX2 code paths is skipped."; \
	fi

sanitized-tests:
	cmake -S . -B $(SANITIZED_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMAGROVE_SANITIZE=ON \
	  -DLUMAGROVE_BASELINE_ONLY=$(BASELINE_ONLY) -DLUMAGROVE_DESKTOP=OFF -DLUMAGROVE_BENCH=OFF \
	  -DLUMAGROVE_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(SANITIZED_BUILD) -j$(JOBS) --target core_tests cli_tests pictures_tests manuals_tests lumagrove_documents
	ctest --test-dir $(SANITIZED_BUILD) --output-on-failure -j$(JOBS)

# Every test once more, built by clang: the code may lean on no one compiler.
clang-test: deps
	scripts/install-deps.sh --clang
	CC=clang CXX=clang++ cmake -S . -B $(CLANG_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DLUMAGROVE_BENCH=OFF -DLUMAGROVE_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD) -j$(JOBS)
	ctest --test-dir $(CLANG_BUILD) --output-on-failure -j$(JOBS)

# The libFuzzer targets (the three readers, the picture decoders and the
# command line), each run for FUZZ_SECONDS from the seeds in fuzz/corpus; a
# finding fails.
fuzz: deps
	scripts/install-deps.sh --clang
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLUMAGROVE_FUZZ=ON -DLUMAGROVE_DESKTOP=OFF -DLUMAGROVE_BENCH=OFF -DLUMAGROVE_WERROR=$(WERROR) $(CMAKE_FLAGS)
	cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzzers
	scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Every C++ file as .clang-format lays it out; `make format` lays them out.
format-check:
	scripts/install-deps.sh --format
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

format:
	scripts/install-deps.sh --format
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

bench:
	scripts/install-deps.sh --bench
	$(MAKE) build
	$(BUILD)/bench/core_bench
	$(BUILD)/bench/opencv_compare
	$(BUILD)/bench/desktop_bench
	QT_QPA_PLATFORM=offscreen:configfile=tests/support/offscreen-screen.json $(BUILD)/bench/desktop_probe
	bench/batch-throughput.sh $(BUILD)
	PYTHONPATH=$(BUILD)/python /usr/bin/python3 bench/python/against_peers.py
	bench/cli/against_peers.sh $(BUILD)

samples: build
	$(BUILD)/samples/generate-samples samples

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Removes what the last `make install` from $(BUILD) put down (give the same
# DESTDIR, if it had one).
uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# The Debian packages, installed under /usr, in $(BUILD): liblumagrove0.1,
# liblumagrove-dev, lumagrove-cli, lumagrove and python3-lumagrove
# (<name>_<version>_amd64.deb; see cmake/Package.cmake).
deb: build
	cd $(BUILD) && cpack -G DEB

# What `make install` and `make deb` give, checked in a scratch folder.
check-install: build
	scripts/check-install.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(SANITIZE_BUILD)-avx2 $(CLANG_BUILD) $(FUZZ_BUILD)
