# The two commands of the README:
#   make run   - installs what is missing, builds the game and its content, starts it
#   make test  - installs what is missing, builds, runs every test headless
# (with and without sanitizers)

JOBS ?= $(shell nproc)
BUILD := build

PACKAGES := cmake g++ clang libclang-rt-14-dev pkg-config make \
  libsfml-dev libtinyxml2-dev libboost-dev portaudio19-dev libsndfile1-dev \
  libasound2-dev libjack-jackd2-dev libkissfft-dev \
  googletest libgmock-dev libgtest-dev libbenchmark-dev \
  xvfb xauth libgl1-mesa-dri libx11-dev xdotool pulseaudio pulseaudio-utils \
  libasound2-plugins sox imagemagick librsvg2-bin python3 python3-pil \
  fonts-dejavu-core fonts-yanone-kaffeesatz fonts-goudybookletter

.PHONY: run test deps build-release build-test build-asan bench clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  SUDO=$$( [ "$$(id -u)" = 0 ] || echo sudo ); \
	  $$SUDO apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build-release: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
	cmake --build $(BUILD)/release -j $(JOBS)

run: build-release
	./$(BUILD)/release/velmora

build-test: deps
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_WERROR=ON
	cmake --build $(BUILD)/test -j $(JOBS)

build-asan: deps
	cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_WERROR=ON -DVELMORA_SANITIZE=ON
	cmake --build $(BUILD)/asan -j $(JOBS)

test: build-test build-asan
	tools/headless.sh tools/run-tests.sh $(BUILD)/test $(BUILD)/asan

# Under the headless sound server: the analyzer benchmark records from it.
bench: build-test
	tools/headless.sh ./$(BUILD)/test/bench/velmora_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true

clean:
	rm -rf $(BUILD)
