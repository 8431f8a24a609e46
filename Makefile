# `make run`  builds and starts the game.
# `make test` builds everything and runs every test (see scripts/test.sh).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps clean

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/zenit

test: deps
	BUILD=$(BUILD) JOBS=$(JOBS) bash scripts/test.sh

clean:
	rm -rf $(BUILD) build-sanitize build-fuzz
