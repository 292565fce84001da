# Thin wrapper: the scripts do the work.
.PHONY: run check build check-sanitize bench clean

run:
	scripts/run.sh

check:
	scripts/check.sh

build:
	scripts/install-deps.sh
	scripts/build.sh

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
check-sanitize:
	BUILD_DIR=build-asan scripts/check.sh -DOSPREY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug

# The benchmarks also run against snmpsim, an agent nobody here wrote.
bench:
	OSPREY_EXTRA_PACKAGES=snmpsim scripts/install-deps.sh
	scripts/build.sh
	bench/run-all.sh build

clean:
	rm -rf build build-asan
