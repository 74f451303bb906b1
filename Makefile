# make test  — install what is missing, build natively and for Windows, run every test
# make fuzz  — build the fuzz targets with clang and run each for FUZZ_SECONDS
# make bench — build and run the benchmarks of bench/, natively and under Wine
# make run   — build kwibra.exe and start it under Wine in build/run/
# make mutants — build deliberately broken copies and check that the tests catch each
# make dist  — dist/kwibra-VERSION.zip: the program, its help text and a readme
# make screenshots — the README's pictures in docs/screenshots/, from kwibra.exe under Wine
# make format — every C++ source rewritten in the style of .clang-format (make test checks it)
.PHONY: test fuzz bench setup run mutants dist screenshots format

setup:
	@tools/setup.sh

test: setup
	@tools/test.sh

fuzz: setup
	@tools/fuzz.sh

bench: setup
	@tools/bench.sh

run: setup
	@tools/run.sh

mutants: setup
	@tools/mutants.sh

dist: setup
	@tools/dist.sh

screenshots: setup
	@tools/screenshots.sh

format: setup
	@tools/format.sh
