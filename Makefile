# The two commands a newcomer needs; both install what is missing first.
.PHONY: run test bench

run:
	scripts/run.sh

test:
	scripts/test.sh

# Start-up and close of velm.exe under Wine against a floor program, and the
# portable INI back end's micro-benchmarks. Prints figures; judges nothing.
bench:
	scripts/bench.sh
