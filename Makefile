# The two commands a newcomer needs; both install what is missing first.
.PHONY: run test

run:
	scripts/run.sh

test:
	scripts/test.sh
