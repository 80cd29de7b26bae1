#!/usr/bin/env bash
# Installs what is missing, builds Orvena and starts it. Arguments go to GLUT (-display, ...).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}"
configure_and_build build -DORVENA_BUILD_TESTS=OFF
exec ./build/orvena "$@"
