# Tagloom: `make run` starts the program, `make test` builds everything and runs every test.
# Both install what is missing first (as root on Debian 12), so they work on a fresh machine.

WIN32_BUILD := build/win32
PREFIX      := $(CURDIR)/$(WIN32_BUILD)/wineprefix
SESSION     := scripts/wine-session.sh --prefix $(PREFIX)

.PHONY: all setup native win32 bench-build test test-native test-win32 run bench clean

all: native win32

setup:
	@scripts/setup.sh

native: setup
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: setup
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

bench-build: setup
	cmake --preset bench >/dev/null
	cmake --build --preset bench

test: native win32
	ctest --preset native
	$(SESSION) ctest --preset win32

test-native: native
	ctest --preset native

test-win32: win32
	$(SESSION) ctest --preset win32

run: win32
	@scripts/run.sh $(WIN32_BUILD)/tagloom.exe

bench: bench-build win32
	@scripts/bench.sh

clean:
	rm -rf build
