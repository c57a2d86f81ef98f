# The two commands a newcomer needs: `make run` and `make test`. Both install
# what is missing (Debian packages) and build first.
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
# Where `make install` puts things; DESTDIR (empty by default) is put in
# front of every path, for staging.
PREFIX ?= /usr/local
# CI builds pass WERROR=ON: a new warning fails the build there.
WERROR ?= OFF

.PHONY: all deps build run test sanitize bench samples install uninstall deb check-install clean

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
# does not own.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DLUMAGROVE_SANITIZE=ON -DLUMAGROVE_DESKTOP=OFF -DLUMAGROVE_BENCH=OFF -DLUMAGROVE_WERROR=$(WERROR)
	cmake --build $(SANITIZE_BUILD) -j$(JOBS) --target core_tests cli_tests pictures_tests
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS)

bench:
	scripts/install-deps.sh --bench
	$(MAKE) build
	$(BUILD)/bench/core_bench
	$(BUILD)/bench/opencv_compare
	$(BUILD)/bench/desktop_bench
	QT_QPA_PLATFORM=offscreen:configfile=tests/support/offscreen-screen.json $(BUILD)/bench/desktop_probe

samples: build
	$(BUILD)/samples/generate-samples samples

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Removes what the last `make install` from $(BUILD) put down (give the same
# DESTDIR, if it had one).
uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# $(BUILD)/lumagrove_<version>_amd64.deb, installed under /usr.
deb: build
	cd $(BUILD) && cpack -G DEB

# What `make install` and `make deb` give, checked in a scratch folder.
check-install: build
	scripts/check-install.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
