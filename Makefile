# The two everyday commands: `make run` and `make test`. Both install what is missing,
# configure once with the CMake preset and build incrementally.
PRESET ?= default
BUILD  := build/$(PRESET)

.PHONY: all setup configure build run test screenshots bench fuzz sanitize clean

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

# One PNG per phase of the experiment, into screenshots/: on a workstation's screen at
# 96 DPI, and in screenshots/small-screen/ on a 1548 x 1000 screen at 144 DPI, smaller
# than the layout.
SCREENS := tests/support/screens
screenshots: build
	QT_QPA_PLATFORM=offscreen:configfile=$(SCREENS)/workstation.json $(BUILD)/tools/phase-screenshots screenshots
	QT_QPA_PLATFORM=offscreen:configfile=$(SCREENS)/small.json $(BUILD)/tools/phase-screenshots screenshots/small-screen --screen-dpi

# Speed and memory against their targets, one table (see docs/performance.md).
bench: setup
	scripts/bench.sh

# The parsers under libFuzzer for a bounded time (see docs/reliability.md).
fuzz: setup
	scripts/fuzz.sh

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	scripts/sanitize.sh

clean:
	rm -rf build
