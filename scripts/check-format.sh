#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Checks that every C and C++ file of the project matches .clang-format;
# with --fix, formats them in place. Exit 1 when a file differs.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=(--dry-run -Werror)
[ "${1:-}" = "--fix" ] && mode=(-i)
git ls-files -z -- '*.c' '*.cpp' '*.h' | xargs -0 clang-format --style=file "${mode[@]}"
