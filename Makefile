# The two everyday commands: `make run` and `make test`. Both install what is missing,
# configure once with the CMake preset and build incrementally.
PRESET ?= default
BUILD  := build/$(PRESET)

.PHONY: all setup configure build run test screenshots room-walk bench box-syncs fuzz sanitize windows windows-test clean

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

# A whole session run from the room window alone on a virtual display, a screenshot of each
# step in build/default/room-walk (make windows-test runs it under Wine too).
room-walk: build
	@scripts/setup.sh --walk
	scripts/room-walk.sh

# Speed and memory against their targets, one table (see docs/performance.md).
bench: setup
	scripts/bench.sh

# Every write to the log and its record for analysis followed by its fdatasync within
# 50 ms, under strace, with every box held open for a second (see docs/performance.md).
box-syncs: build
	scripts/box-syncs.sh

# The parsers under libFuzzer for a bounded time (see docs/reliability.md).
fuzz: setup
	scripts/fuzz.sh

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: setup
	scripts/sanitize.sh

# Windows, cross-built here: decisiontree.exe and treelab.exe against a static Qt made
# once per machine from Debian's qt6-base source (about an hour the first time), packed as
# build/windows/DecisionTree-<version>-win64.zip.
windows:
	@scripts/setup.sh --windows
	scripts/windows/build-qt.sh
	scripts/windows/build-xlsxwriter.sh
	scripts/windows/build.sh

# The whole test suite's Windows build under Wine, headless, then the real window once
# under Wine on a virtual X display (screenshot in build/windows/window-under-wine.png).
windows-test:
	@scripts/setup.sh --windows
	scripts/windows/build-qt.sh
	scripts/windows/build-xlsxwriter.sh
	scripts/windows/build.sh --tests
	scripts/windows/test.sh

clean:
	rm -rf build
