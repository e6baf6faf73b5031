# Two commands a new machine needs: `make run` and `make test`.
BUILD ?= build
BENCH ?= data/benches/default.bench
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test bench clean

all: build

setup:
	@./scripts/setup-debian.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: setup configure
	cmake --build $(BUILD)

# Opens the program's main window, with the virtual bench beside it; needs a
# desktop session. It runs in the build folder, where the build put the
# sample "MB connection ENE.txt" and where the start log goes.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run opens a window and needs a desktop session (DISPLAY is not set)."; \
	  echo "Without one, try: ./$(BUILD)/src/app/quilmarex-jig-cli --sim $(BENCH) start \"ENE KB90XX\""; \
	  exit 1; \
	fi
	cd $(BUILD) && ./src/app/quilmarex-jig --sim $(abspath $(BENCH))

test: build
	cd $(BUILD) && ctest --output-on-failure --timeout 120 -j2

# KB90xx read and write timings against the virtual jig's wire-time model.
bench: build
	./$(BUILD)/bench/ene_bench

clean:
	rm -rf $(BUILD)
