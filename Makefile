# Thin wrapper over the scripts; everything real happens in scripts/.
#   make test       build and run every test (build/)
#   make sanitize   every test under ASan + UBSan (build-asan/)
#   make analyse    clang-tidy and cppcheck over src/ (build-analyse/)
#   make fuzz       build the fuzz targets (build-fuzz/); FUZZ=smoke or
#                   FUZZ="long 1000000" also runs them
#   make bench      Release build of the benchmarks and a run (build-bench/)
#   make package    the Debian package, build-package/gaming-mouse_*.deb
#   make package-check  the package built, installed, run and removed (root)
#   make screenshots  the window's pictures in docs/screenshots/
FUZZ ?= build

.PHONY: all test sanitize analyse fuzz bench package package-check screenshots

all: test

test:
	scripts/test.sh

sanitize:
	scripts/sanitize.sh

analyse:
	scripts/analyse.sh

fuzz:
	scripts/fuzz.sh $(FUZZ)

bench:
	scripts/bench.sh

package:
	scripts/package.sh

package-check:
	scripts/package-check.sh

screenshots:
	scripts/screenshots.sh
