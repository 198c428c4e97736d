#!/usr/bin/env bash
# Installs what is missing and builds both programs into build/bin. Arguments are
# passed to CMake's configure step (such as -DVEYORA_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build -j"$(nproc)"
