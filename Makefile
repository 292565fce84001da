# Thin wrapper: the scripts do the work.
.PHONY: run check build check-sanitize fuzz bench package package-check clean

run:
	scripts/run.sh

check:
	scripts/check.sh

build:
	scripts/install-deps.sh
	scripts/build.sh

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
# Line tables are all the sanitizers' reports need (-g1 builds faster than -g);
# the benchmarks are not tests and stay out.
check-sanitize:
	BUILD_DIR=build-asan scripts/check.sh -DOSPREY_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS_DEBUG=-g1 -DCMAKE_C_FLAGS_DEBUG=-g1 -DOSPREY_BUILD_BENCH=OFF

# The fuzz harnesses built with clang and libFuzzer (build-fuzz/), each run
# for FUZZ_SECONDS (default 60); prints the executions per harness.
fuzz:
	scripts/fuzz.sh

# The benchmarks also run against snmpsim, an agent nobody here wrote.
bench:
	OSPREY_EXTRA_PACKAGES=snmpsim scripts/install-deps.sh
	scripts/build.sh
	bench/run-all.sh build

# The Debian package, build/osprey_<version>-1_<arch>.deb (CPack), and its
# check: unpacked into a temporary directory, the export run against the
# simulator from it.
package:
	OSPREY_EXTRA_PACKAGES="dpkg-dev file" scripts/install-deps.sh
	scripts/build.sh
	cmake --build build --target package

package-check: package
	scripts/package-check.sh

clean:
	rm -rf build build-asan build-fuzz
