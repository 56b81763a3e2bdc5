# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
COURSE_DIR ?= curso
CMAKE_ARGS ?=
BENCH_BUILD    ?= build-bench
SANITIZE_BUILD ?= build-sanitize

.PHONY: setup configure build course run test test-rapido package bench check-sanitize clean

setup:
	@bash tools/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD)

# lays the catalogue and the note files into the course directory;
# the student and lesson files there are never touched
course: build
	@bash tools/prepare-course.sh $(BUILD) $(COURSE_DIR)

run: course
	cd $(COURSE_DIR) && "$(CURDIR)/$(BUILD)/app/quiravo"

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j2

# every test but the slow ones (label `lento`), for a quick run while working
test-rapido: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --output-on-failure -j2 -LE lento

# the Debian package: build/quiravo_<version>_<arch>.deb, checked by lintian
package: build
	@cd $(BUILD) && rm -f quiravo_*.deb && cpack
	@lintian --fail-on error $(BUILD)/quiravo_*.deb

# the benchmarks, each beside its floor, in a Release build of their own
bench: setup
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIRAVO_BENCH=ON \
	       -DBUILD_TESTING=OFF $(CMAKE_ARGS) >/dev/null
	@QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy cmake --build $(BENCH_BUILD) --target run_benchmarks

# every test, and the fuzz targets over their corpora, built with clang's
# AddressSanitizer and UndefinedBehaviorSanitizer. Leak checking is off: Qt's
# own libraries leave a few hundred bytes at exit (event points, shared data)
# with no frame of ours to tell them by.
check-sanitize: setup
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
	       -DQUIRAVO_SANITIZE=ON -DQUIRAVO_FUZZ=ON $(CMAKE_ARGS) >/dev/null
	@cmake --build $(SANITIZE_BUILD)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
	    ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	    ctest --output-on-failure -j2

# every build folder the targets above make; the course directory, with its
# student and lesson files, stays
clean:
	rm -rf $(BUILD) $(BENCH_BUILD) $(SANITIZE_BUILD)
