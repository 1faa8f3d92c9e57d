# The two commands a newcomer needs; both install what is missing first.
.PHONY: run test dist bench fuzz

run:
	scripts/run.sh

test:
	scripts/test.sh

# The zip a Windows user takes: dist/velm-<version>-win64.zip and SHA256SUMS.
dist:
	scripts/dist.sh

# Start-up and close of velm.exe under Wine against a floor program, and the
# portable INI back end's micro-benchmarks. Prints figures; judges nothing.
bench:
	scripts/bench.sh

# Fuzzes each target for FUZZ_SECONDS (clang, libFuzzer): make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 60
fuzz:
	scripts/fuzz.sh $(FUZZ_SECONDS)
