# The two commands of the README: `make test` and `make demo`.
# Each installs what is missing first, then configures and builds incrementally.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: test demo bootstrap native native-asan win64 win32 fuzz bench regen clean regen-layouts

test: bootstrap
	$(MAKE) --no-print-directory native-test
	$(MAKE) --no-print-directory native-asan-test
	$(MAKE) --no-print-directory win64 win32
	@echo "make test: all passed"

demo: bootstrap native
	./build/native/tools/vexa-demo

bootstrap:
	@scripts/bootstrap

# Configure once per preset, then build incrementally.
build/%/CMakeCache.txt:
	$(CMAKE) --preset $* >/dev/null

native native-asan win64 win32 fuzz: %: build/%/CMakeCache.txt
	$(CMAKE) --build --preset $*

native-test: native
	$(CTEST) --preset native

native-asan-test: native-asan
	$(CTEST) --preset native-asan

# Throughput of the data formats and the font-code conversion.
bench: native
	./build/native/bench/vexa-bench

# Runs each libFuzzer target for FUZZ_SECONDS seconds (needs clang).
FUZZ_SECONDS ?= 60
run-fuzz: fuzz
	@for t in build/fuzz/fuzz/fuzz_*; do \
	  echo "== $$t"; mkdir -p build/fuzz/corpus/$$(basename $$t); \
	  $$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 build/fuzz/corpus/$$(basename $$t) || exit 1; \
	done

# Rewrites the committed keyboard layout files from their sources.
regen-layouts: native
	$(CMAKE) --build --preset native --target regen-layouts
regen: regen-layouts

clean:
	rm -rf build
