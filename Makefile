# Two commands a new machine needs: `make run` and `make test`.
BUILD ?= build
BENCH ?= data/benches/default.bench
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all setup configure build run test clean

all: build

setup:
	@./scripts/setup-debian.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: $(BUILD)/build.ninja

build: setup configure
	cmake --build $(BUILD)

# Opens the program's main window, with the virtual bench beside it; needs a
# desktop session.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "make run opens a window and needs a desktop session (DISPLAY is not set)."; \
	  echo "Without one, try: ./$(BUILD)/src/app/quilmarex-jig-cli --sim $(BENCH) start \"ENE KB90XX\""; \
	  exit 1; \
	fi
	./$(BUILD)/src/app/quilmarex-jig --sim $(BENCH)

test: build
	cd $(BUILD) && ctest --output-on-failure --timeout 120 -j2

clean:
	rm -rf $(BUILD)
