# SPDX-FileCopyrightText: 2026 The TALLYWICK authors
# SPDX-License-Identifier: MIT

# TALLYWICK: the two commands of the README, and the steps they share.
#   make run    build and start the program on the delivered lists
#   make test   build and run every test
# Both install what is missing first (Debian packages, through apt-get).

SHELL := /bin/bash
JOBS  ?= $(shell nproc)

PACKAGES := cmake make g++ pkg-config qt6-base-dev libgl-dev googletest libgtest-dev \
            xvfb xauth xdotool openbox x11-utils xdg-utils file imagemagick \
            dpkg-dev debhelper desktop-file-utils appstream xclip procps \
            qt6-wayland weston lintian reuse binutils git clang-format clang-tidy \
            orca at-spi2-core dbus python3-gi gir1.2-atspi-2.0 xdg-user-dirs libglib2.0-bin

.PHONY: all deps build build-asan run test test-default test-asan test-docs fuzz package reproducible \
        distro-check clean deps-windows windows test-windows reproducible-windows

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  if [ "$$(id -u)" = 0 ]; then sudo=; elif command -v sudo >/dev/null; then sudo=sudo; \
	  else echo "Missing packages and no way to install them: $$missing" >&2; exit 1; fi; \
	  $$sudo apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$sudo apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

build-asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)

# The program reads its list files from its working folder: the build puts
# the delivered ones in build/run. Without a display it runs on a virtual one
# and leaves a screenshot in build/tallywick.png.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cd build/run && ../tallywick; \
	else \
	  tests/e2e/screenshot.sh build/tallywick build/run build/tallywick.png; \
	fi

# The Linux suite runs twice, on the normal build and on the one with the
# address and undefined-behaviour sanitizers (leak checks included); then the
# Windows suites run under Wine.
test: test-default test-asan test-windows test-docs

test-default: build
	ctest --preset default -j $(JOBS)

test-asan: build-asan
	ctest --preset asan -j $(JOBS)

# Every test that SECURITY.md or the README cites is one that ctest lists in
# the Linux or the Windows build.
test-docs: test-default test-windows
	tests/docs/cited-tests.sh "SECURITY.md README.md" build build-windows

# Grows the kept corpus of every fuzz target, fuzz/corpus/<name>/: builds the
# libFuzzer targets with clang (the fuzz preset), runs each for FUZZ_SECONDS
# and merges the inputs that reach new code back into its corpus, printing
# the statistics (fuzz/grow.sh). make test replays every kept corpus.
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev
fuzz:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(FUZZ_PACKAGES)"
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp fuzz/grow.sh build-fuzz $(FUZZ_SECONDS)

# The Debian packages, built as a distribution builds them: the source package
# of the tree's tracked files as they are, then the binary packages from that
# source package alone (packaging/build-package.sh), all in build-package/:
# tallywick_<version>_<arch>.deb (apt install ./build-package/tallywick_*.deb),
# its debug symbols' package, the .dsc with its .tar.xz, and their .changes.
# Every time stamp in them is that of the latest entry of debian/changelog.
package: deps
	JOBS=$(JOBS) packaging/build-package.sh build-package

# Builds the packages of the last commit twice, in build-repro-a and
# build-repro-b, compares them byte for byte and prints their SHA-256 (not part
# of make test). See packaging/reproducible.sh.
reproducible: deps
	JOBS=$(JOBS) packaging/reproducible.sh

# What a distribution does with the source package, each step with its verdict
# and time (not part of make test; see packaging/distro-check.sh): sbuild in a
# clean chroot made by mmdebstrap, lintian, autopkgtest against the installed
# package, piuparts (install, purge, and an upgrade from an older package).
# Runs as root; gives root a subordinate id range if it has none.
DISTRO_PACKAGES := sbuild mmdebstrap piuparts autopkgtest uidmap
distro-check:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(DISTRO_PACKAGES)"
	JOBS=$(JOBS) packaging/distro-check.sh

# Windows: cross-built with mingw-w64 into one tallywick.exe that needs no DLL,
# packed with the delivered list and help files into
# build-windows/tallywick-windows.zip, with NSIS into the installer
# build-windows/tallywick-setup.exe and with wixl into the Windows Installer
# package build-windows/tallywick-<version>-x64.msi; all signed with
# osslsigncode when TALLYWICK_SIGN_PFX and TALLYWICK_SIGN_PASSWORD are set.
# Its tests run under Wine on a virtual display, in a Wine prefix of the build
# folder's own (the installers' tests in fresh ones of their own).
#
# The signing password reaches the signing step (packaging/windows/sign.sh)
# alone: no recipe has TALLYWICK_SIGN_PASSWORD in its environment. For the
# commands of the Windows build, make writes it itself (on no command line)
# into a file of a private folder outside the build tree, in XDG_RUNTIME_DIR
# where there is one; the build gets that file's name in
# TALLYWICK_SIGN_PASSWORD_FILE, and the folder goes when the commands end.
ifeq ($(origin TALLYWICK_SIGN_PASSWORD),command line)
$(error Give TALLYWICK_SIGN_PASSWORD in the environment: on make's command line every program sees it)
endif
# $(call with_signing,COMMANDS): COMMANDS, in one shell, with the password
# file (none for make -n, which only prints them).
ifneq ($(filter environment%,$(origin TALLYWICK_SIGN_PASSWORD)),)
with_signing = $(if $(findstring n,$(firstword -$(MAKEFLAGS))),$(1),$(eval signing_folder := \
  $(shell mktemp -d -p "$${XDG_RUNTIME_DIR:-$${TMPDIR:-/tmp}}" tallywick-signing.XXXXXX))$(if \
  $(signing_folder),,$(error No private folder for the signing password))$(file \
  >$(signing_folder)/password,$(value TALLYWICK_SIGN_PASSWORD))trap 'rm -rf "$(signing_folder)"' EXIT \
  && export TALLYWICK_SIGN_PASSWORD_FILE="$(signing_folder)/password" && $(1))
else
with_signing = $(1)
endif
unexport TALLYWICK_SIGN_PASSWORD
WINDOWS_PACKAGES := cmake make googletest g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix \
                    nsis wixl msitools osslsigncode openssl wine wine64 fonts-wine xvfb xauth \
                    xdotool openbox x11-utils xdg-utils git zip imagemagick clang-tidy

deps-windows:
	@$(MAKE) --no-print-directory deps PACKAGES="$(WINDOWS_PACKAGES)"

windows: deps-windows
	$(call with_signing,cmake --preset windows && \
	  cmake --build --preset windows --target tallywick_zip tallywick_setup tallywick_msi -j $(JOBS))

test-windows: deps-windows
	$(call with_signing,cmake --preset windows && cmake --build --preset windows -j $(JOBS))
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows -j $(JOBS)

# Builds the Windows deliverables (program, zip, installer, MSI) twice from fresh
# copies of the last commit in two folders, one after the other, and compares
# them byte for byte; prints their sha256 hashes.
reproducible-windows: deps-windows
	packaging/reproducible-windows.sh

# Benchmarks (not part of make test): list reader throughput and whole-process
# start-up on a virtual display, each against a baseline measured in the same
# run, and the Windows program's start-up under Wine against an empty Win32
# window; prints one table. A Release tree of its own, build-bench, and the
# windows preset's. See bench/README.md.
BENCH_PACKAGES := libbenchmark-dev libx11-dev xvfb xauth openbox x11-utils bsdextrautils
.PHONY: bench
bench:
	@$(MAKE) --no-print-directory deps PACKAGES="$(PACKAGES) $(BENCH_PACKAGES) $(WINDOWS_PACKAGES)"
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTALLYWICK_BUILD_BENCH=ON \
	  -DTALLYWICK_BUILD_TESTS=OFF
	cmake --build build-bench -j $(JOBS) --target tallywick tallywick_baseline \
	  tallywick_reader_bench tallywick_startup_bench tallywick_first_key_bench
	$(call with_signing,cmake --preset windows && \
	  cmake --build --preset windows -j $(JOBS) --target tallywick tallywick_win32_baseline)
	bench/run.sh build-bench build-windows

clean:
	rm -rf build build-asan build-fuzz build-package build-windows build-repro-a build-repro-b \
	  build-distro
