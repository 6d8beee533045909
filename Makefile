# The two everyday commands: `make run` and `make test`. Both install what is missing,
# configure once with the CMake preset and build incrementally.
PRESET ?= default
BUILD  := build/$(PRESET)

.PHONY: all setup configure build run test screenshots clean

all: build

setup:
	@scripts/setup.sh

$(BUILD)/build.ninja: CMakeLists.txt CMakePresets.json | setup
	cmake --preset $(PRESET)

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build --preset $(PRESET)

run: build
	$(BUILD)/bin/decisiontree

test: build
	ctest --preset $(PRESET)

# One PNG per phase of the experiment, into screenshots/.
screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD)/tools/phase-screenshots screenshots

clean:
	rm -rf build
