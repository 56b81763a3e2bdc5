# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
COURSE_DIR ?= curso
CMAKE_ARGS ?=

.PHONY: setup configure build course run test bench check-sanitize clean

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

clean:
	rm -rf $(BUILD)
