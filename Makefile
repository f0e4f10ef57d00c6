# Set-up, build and test in one command each; see README.md.
BUILD      ?= build
JOBS       ?= $(shell nproc)
WERROR     := $(if $(CI),ON,OFF)
CONFIGURE   = cmake -S . -G Ninja -DZENTRAV_WERROR=$(WERROR)
CTEST_ENV   = QT_QPA_PLATFORM=offscreen
FUZZ_SECONDS ?= 60

.PHONY: deps build run test check-format deb bench tsan asan fuzz screenshot format clean

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja:
	$(CONFIGURE) -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD)/src/app/zentrav

# Formatting is checked first: it takes a second, a build takes minutes.
test: check-format build
	cd $(BUILD) && $(CTEST_ENV) ctest --output-on-failure -j $(JOBS)

# The package lands here, as zentrav_<version>_amd64.deb; lintian must find no error in it. Its
# own build folder makes only what the package holds (no tests, no benchmarks), with Debian's
# hardening flags and no debug information, which the package would strip.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get
deb: deps
	@scripts/install-deps.sh deb
	$(CONFIGURE) -B build-deb -DCMAKE_BUILD_TYPE=Release -DZENTRAV_TESTS=OFF \
		-DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)"
	cmake --build build-deb -j $(JOBS)
	rm -f zentrav_*.deb
	cd build-deb && cpack -B package
	mv build-deb/package/zentrav_*.deb .
	lintian --fail-on error zentrav_*.deb

bench: deps
	$(CONFIGURE) -B build-release -DCMAKE_BUILD_TYPE=Release
	cmake --build build-release -j $(JOBS)
	@scripts/bench.sh build-release

tsan: deps
	$(CONFIGURE) -B build-tsan -DCMAKE_BUILD_TYPE=Debug -DZENTRAV_SANITIZE=thread
	cmake --build build-tsan -j $(JOBS)
	cd build-tsan && $(CTEST_ENV) TSAN_OPTIONS="halt_on_error=1 suppressions=$(CURDIR)/tests/tsan.supp" ctest --output-on-failure -j $(JOBS)

asan: deps
	$(CONFIGURE) -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZENTRAV_SANITIZE=address,undefined
	cmake --build build-asan -j $(JOBS)
	cd build-asan && $(CTEST_ENV) ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Not part of `make test`: each fuzzer runs FUZZ_SECONDS (60 by default).
fuzz:
	@scripts/install-deps.sh fuzz
	$(CONFIGURE) -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
		-DZENTRAV_SANITIZE=address,undefined -DZENTRAV_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	@scripts/fuzz.sh build-fuzz $(FUZZ_SECONDS)

screenshot: build
	@scripts/screenshot.sh $(BUILD)/src/app/zentrav shot.png

check-format: deps
	@scripts/check-format.sh

format:
	git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 -i

clean:
	rm -rf build build-deb build-release build-tsan build-asan build-fuzz
