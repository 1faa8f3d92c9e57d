# The two commands a newcomer needs; both install what is missing first.
.PHONY: run test bench fuzz

run:
	scripts/run.sh

test:
	scripts/test.sh

# Start-up and close of velm.exe under Wine against a floor program, and the
# portable INI back end's micro-benchmarks. Prints figures; judges nothing.
bench:
	scripts/bench.sh

# Fuzzes each target for FUZZ_SECONDS (clang, libFuzzer): make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 60
fuzz:
	scripts/fuzz.sh $(FUZZ_SECONDS)
