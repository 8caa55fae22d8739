# Thin wrapper: the two commands a newcomer needs, plus the benchmarks.
BUILD    := build
DATA_SRC ?= ../shared/data
PREFIX   ?= /usr/local
JOBS     ?= 2
PROGRAM  := $(BUILD)/src/app/mingchuan
export QTWEBENGINE_DISABLE_SANDBOX := 1

.PHONY: run test bench deps build stores package install clean

run: build stores
	./$(PROGRAM)

test: build stores package
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build stores
	$(BUILD)/bench/run-benchmarks $(BUILD)

# The .deb (build/mingchuan_<version>_<arch>.deb), with the stores built now.
package: build stores
	cmake --build $(BUILD) --target package

install: build stores
	cmake --install $(BUILD) --prefix $(PREFIX) --strip

deps:
	scripts/install-deps

build: deps
	cmake --preset default >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

# The dictionary stores are built from the open data sets; rebuilt when the builder changes.
BUILDER_FILES := $(shell find tools/builder -type f -not -path '*/test/*' 2>/dev/null)
stores: deps data/build-report.txt

data/build-report.txt: $(BUILDER_FILES)
	node tools/builder/build.js --source $(DATA_SRC) --out data

clean:
	rm -rf $(BUILD)
