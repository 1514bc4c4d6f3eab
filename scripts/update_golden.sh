#!/usr/bin/env bash
# Rewrites the expected files of the golden cases from the current translator.
# Read every resulting diff line by line before committing it.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build}
cmake --build "$BUILD" --target vestrel_tests
UPDATE_GOLDEN=1 "$BUILD/tests/vestrel_tests" --gtest_filter='Cases/Golden.*' "$@" > /dev/null
git status --short tests/golden
