#!/usr/bin/env bash
# Installs what is missing, builds Orvena with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
configure_and_build build -DORVENA_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j2
