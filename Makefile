# The two commands of the README (make run, make test) and the developer targets.
# Every target first makes sure the machine has what it needs (scripts/bootstrap.sh).

JOBS      ?= $(shell nproc)
# A folder of the real plugin files (one subfolder per stored-file set); empty: stand-ins.
PAYLOAD   ?=
FUZZ_SECS ?= 30
# make release: a certificate (PEM pair or PKCS#12), its password file and a time-stamp
# server, all optional (scripts/release.sh).
SIGN_CERT ?=
SIGN_KEY ?=
SIGN_PKCS12 ?=
SIGN_PASS_FILE ?=
TIMESTAMP_URL ?=
# The web page named in the signature (scripts/sign-installer.sh has the default).
PRODUCT_URL ?=
# PAYLOAD=standin names the stand-ins as make release does: the same as no folder.
PAYLOAD_DIR = $(if $(filter standin,$(PAYLOAD)),,$(PAYLOAD))
# HV_NO_32BIT=1 takes the path of a machine that runs no 32-bit program (the Windows
# programs run from build/win64) on any machine; scripts/wine-env.sh reads it.
export HV_NO_32BIT

.PHONY: all bootstrap native asan win win64 win-runnable windows-kit fuzz-build test test-native test-win test-fuzz run bench fuzz repro release clean

all: native win

bootstrap:
	@scripts/bootstrap.sh

native: bootstrap
	@cmake --preset native -DHV_PAYLOAD_DIR="$(PAYLOAD_DIR)" >/dev/null
	@cmake --build build/native -j $(JOBS)

# The native libraries, host tools and their tests again with AddressSanitizer and
# UndefinedBehaviorSanitizer: make test runs these tests in place of build/native's.
asan: bootstrap
	@cmake --preset asan -DHV_PAYLOAD_DIR="$(PAYLOAD_DIR)" >/dev/null
	@cmake --build build/asan -j $(JOBS)

# The Windows build uses the host tools of the native build (sfpack, the
# description compiler, the stand-in payload generator).
win: native
	@cmake --preset win -DHV_PAYLOAD_DIR="$(PAYLOAD_DIR)" >/dev/null
	@cmake --build build/win -j $(JOBS)

# The same sources for 64-bit Windows: what runs the Windows tests, the demo and the
# start-up benchmark where Wine cannot start 32-bit programs. Nothing of it is shipped.
win64: native
	@cmake --preset win64 -DHV_PAYLOAD_DIR="$(PAYLOAD_DIR)" >/dev/null
	@cmake --build build/win64 -j $(JOBS)

# The Windows build that Wine starts here: build/win, and build/win64 as well where
# no 32-bit program can run (scripts/wine-env.sh finds out which).
win-runnable: win
	@build=$$(scripts/wine-env.sh build); \
	  [ "$$build" = build/win ] || $(MAKE) --no-print-directory "$$(basename "$$build")"

# The Windows test suite in one zip for a Windows machine (tests/kit/README.txt):
# build/kit/HalvoraPluginInstaller-<version>-tests.zip from build/win, and its 64-bit
# twin ...-tests-x64.zip from build/win64 where no 32-bit program runs here, so that
# make test can try the kit under Wine. Each build names its zip (HV_KIT_ZIP in
# <build>/project-facts.sh). With a certificate (SIGN_CERT and SIGN_KEY, or
# SIGN_PKCS12, as for make release) every program in it is signed.
KIT_SIGNING = SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" SIGN_PKCS12="$(SIGN_PKCS12)" \
  SIGN_PASS_FILE="$(SIGN_PASS_FILE)" TIMESTAMP_URL="$(TIMESTAMP_URL)" PRODUCT_URL="$(PRODUCT_URL)"
windows-kit: win-runnable
	@mkdir -p build/kit
	@for build in build/win $$(scripts/wine-env.sh build | grep -x build/win64); do \
	  $(KIT_SIGNING) cmake --build "$$build" --target windows_kit && \
	  (. "$$build/project-facts.sh" && cp "$$build/$$HV_KIT_ZIP" build/kit/) || exit 1; done

fuzz-build: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build build/fuzz -j $(JOBS) --target fuzzers

test: native asan win win64 fuzz-build windows-kit
	@scripts/run-tests.sh $(FUZZ_SECS)

test-native: native
	ctest --test-dir build/native --output-on-failure -j $(JOBS)

test-win: win win64 windows-kit
	@scripts/run-tests.sh --windows-only

test-fuzz: fuzz-build
	ctest --test-dir build/fuzz --output-on-failure
	@scripts/run-fuzzers.sh $(FUZZ_SECS)

# With a display: the installer, for you to drive. Without one: a demo install of
# MODEL (default D750) on a virtual screen, with screenshots in build/run/.
run: win-runnable
	@MODEL="$(MODEL)" scripts/run-installer.sh

bench: native win-runnable
	@scripts/run-bench.sh

fuzz: fuzz-build
	@scripts/run-fuzzers.sh 600

repro: bootstrap
	@scripts/repro.sh

# PAYLOAD=DIR (the real plugin files) or PAYLOAD=standin; the installer lands in
# build/release/ with SHA256SUMS beside it, signed when a certificate is given.
release: bootstrap
	@PAYLOAD="$(PAYLOAD)" SIGN_CERT="$(SIGN_CERT)" SIGN_KEY="$(SIGN_KEY)" \
	  SIGN_PKCS12="$(SIGN_PKCS12)" SIGN_PASS_FILE="$(SIGN_PASS_FILE)" \
	  TIMESTAMP_URL="$(TIMESTAMP_URL)" PRODUCT_URL="$(PRODUCT_URL)" scripts/release.sh

clean:
	rm -rf build
