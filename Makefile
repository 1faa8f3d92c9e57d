# The two commands a newcomer needs; both install what is missing first.
.PHONY: run test fuzz

run:
	scripts/run.sh

test:
	scripts/test.sh

# Fuzzes each target for FUZZ_SECONDS (clang, libFuzzer): make fuzz FUZZ_SECONDS=600
FUZZ_SECONDS ?= 60
fuzz:
	scripts/fuzz.sh $(FUZZ_SECONDS)
