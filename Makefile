# The two commands of the README: `make test` and `make demo`.
# Each installs what is missing first, then configures and builds incrementally.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: test demo installer installer-test regen-docs win-test bootstrap native native-asan win64 win32 fuzz fuzz-smoke run-fuzz bench bench-win regen clean regen-layouts fonts fidelity golden modern-words

# Build output goes to build/logs/<preset>.log and is shown only when the
# build fails, so what a command prints is its result (VERBOSE=1 shows it).
VERBOSE ?= 0

test: bootstrap
	$(MAKE) --no-print-directory native-test
	$(MAKE) --no-print-directory native-asan-test
	$(MAKE) --no-print-directory fuzz-smoke
	$(MAKE) --no-print-directory win64 win32
	$(MAKE) --no-print-directory win-test
	@echo "make test: all passed"

# Prints a short summary; the details go to files under build/ (named in it).
demo: bootstrap native win64
	@mkdir -p build/demo
	@./build/native/tools/vexa-demo > build/demo/family-demo.txt
	@/usr/bin/python3 tools/demo/render_family.py --family-dir build/native/system \
	  --fonts family/fonts/devanagari --map family/fonts/devanagari/devanagari.map.json \
	  --out build/demo/devanagari.png > /dev/null
	@/usr/bin/python3 tools/demo/render_scripts.py --family-dir build/native/system \
	  --out build/demo/scripts.png > /dev/null
	@tools/container/run-demo
	@echo "The converters natively, font-code runs and data formats: build/demo/family-demo.txt"

# The Windows integration tests under Wine and Xvfb (a few minutes at most).
win-test: win64
	tests/win/run-tests
	$(MAKE) --no-print-directory installer-test

# Both packages, as `make installer` builds them; then the x64 one on a
# fresh Wine prefix: install, run the JScript sample, uninstall, compare
# files and registry with before (about a minute). The x86 package is built
# and not installed: this machine cannot run 32-bit programs.
installer-test: win64 win32
	tools/installer/make-installer win64 win32
	tests/win/installer-test

# Opt-in: rewrites the golden pictures of the rendering checks from a run
# under Wine (tests/win/golden/; look at them before committing).
golden: bootstrap win64
	tests/win/run-tests --update-golden

bootstrap:
	@scripts/bootstrap

# Configure once per preset, then build incrementally.
build/%/CMakeCache.txt:
	@mkdir -p build/logs
	@$(CMAKE) --preset $* >build/logs/$*-configure.log 2>&1 || \
	  { cat build/logs/$*-configure.log; echo "configuring $* failed (build/logs/$*-configure.log)"; exit 1; }

native native-asan win64 win32 fuzz: %: build/%/CMakeCache.txt
ifeq ($(VERBOSE),1)
	$(CMAKE) --build --preset $*
else
	@mkdir -p build/logs
	@echo "building $* (log: build/logs/$*.log)"
	@$(CMAKE) --build --preset $* >build/logs/$*.log 2>&1 || \
	  { grep -v '^\[ *[0-9]*%]' build/logs/$*.log | tail -n 80; \
	    echo "building $* failed; the whole output: build/logs/$*.log"; exit 1; }
endif

native-test: native
	$(CTEST) --preset native

native-asan-test: native-asan
	$(CTEST) --preset native-asan

# Throughput of the data formats and the font-code conversion.
bench: native
	./build/native/bench/vexa-bench

# Typing in VEdit beside the system's EDIT under Wine (a few minutes; the
# program is built by the win64 preset, so `make test` builds it too).
bench-win: bootstrap win64
	scripts/bench-win

# Runs each libFuzzer target for FUZZ_SECONDS seconds (needs clang); one
# line per target, its whole output in build/fuzz/logs/.
FUZZ_SECONDS ?= 60
run-fuzz: fuzz
	@scripts/run-fuzz $(FUZZ_SECONDS)

# What `make test` runs: the fuzz build and a few seconds of every target,
# so a fuzz build that no longer links or a target that fails at once is
# seen at once.
fuzz-smoke: fuzz
	@FUZZ_SEED=1 scripts/run-fuzz 3

# Rewrites the committed keyboard layout files from their sources.
regen-layouts: native
	$(CMAKE) --build --preset native --target regen-layouts
regen: regen-layouts

# Rewrites docs/host-guide.md from the automation catalogue (a test requires
# the committed page to match).
regen-docs: native
	$(CMAKE) --build --preset native --target regen-docs

# The Windows Installer packages (wixl): build/installer/vexa-x64.msi and
# vexa-x86.msi, from the win64 and win32 builds.
installer: bootstrap win64 win32
	tools/installer/make-installer win64 win32

clean:
	rm -rf build

# Opt-in: shape again with HarfBuzz and rewrite the family's glyph maps,
# converter tables and fonts (commit the results).
fonts: bootstrap
	/usr/bin/python3 tools/fontgen/regenerate.py --write

# Extracts the lists of modern words (family/words) again from the installed
# message catalogues (commit the results; see docs/modern-words.md).
modern-words:
	/usr/bin/python3 tools/fontgen/modern_words.py --write

# How closely converters + fonts draw real words, against HarfBuzz + Noto
# (each family's held-out half of its word list, family/fonts/*/fidelity.json,
# and the held-out half of its modern words, family/words; sheets of the worst
# words in build/fidelity).
fidelity: native
	/usr/bin/python3 tools/fidelity/run_all.py --family-dir build/native/system --out build/fidelity
