#!/usr/bin/env bash
# Builds the Debian package as a distribution would: a Release build of the two
# programs with the flags dpkg-buildflags gives (hardening included: fortified
# functions, a strong stack protector, read-only relocations bound at start), the
# source and build folders' paths mapped away, and every file's time in the
# package the last commit's. The same commit gives the same package, byte for
# byte. Usage: scripts/package.sh [BUILD_FOLDER] (build-package by default); the
# package lands in that folder and its path is printed last.
set -euo pipefail
cd "$(dirname "$0")/.."
source_folder="$PWD"
build_folder="$(realpath -m "${1:-build-package}")"
bash scripts/install-deps.sh

# The time of the source: the last commit's, else the newest changelog entry's.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH="$(git log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l packaging/changelog -S Timestamp)"
fi
export SOURCE_DATE_EPOCH

# The flags are given to CMake on each configuration, so that a build folder
# configured before takes them too; CMake has no preprocessor flags of its own,
# so those go with the compilers'. Only the shipped programs are built: cpack
# installs without building everything first.
export DEB_BUILD_MAINT_OPTIONS="${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}"
eval "$(dpkg-buildflags --export=sh)"
prefix_maps="-ffile-prefix-map=$source_folder=. -ffile-prefix-map=$build_folder=."
cmake -S . -B "$build_folder" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_C_FLAGS="$CFLAGS $CPPFLAGS $prefix_maps" \
  -DCMAKE_CXX_FLAGS="$CXXFLAGS $CPPFLAGS $prefix_maps" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build_folder" -j"$(nproc)" \
  --target veyora_frontend veyora_renderer veyora_compressed_docs
(cd "$build_folder" && cpack -G DEB >/dev/null)
ls "$build_folder"/veyora-screensaver_*.deb
