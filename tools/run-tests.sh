#!/usr/bin/env bash
# Runs the CTest suites of the given build folders in turn; a sanitizer report
# fails the run. Meant to run under tools/headless.sh.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$here/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
status=0
for dir in "$@"; do
  echo "=== tests in $dir"
  # A folder without tests (a typo, a build without them) fails rather than passes.
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$(nproc)" || status=1
done
for hook in "$here"/test-hooks/*.sh; do
  [ -e "$hook" ] || continue
  echo "=== $(basename "$hook")"
  bash "$hook" || status=1
done
exit $status
