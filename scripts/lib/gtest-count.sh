# shellcheck shell=bash
# Reading a GoogleTest run from its console output. Sourced, not run.
# From the output rather than the XML report: a run that crashes or times out halfway writes no report,
# and what ran before the crash must still count.
#
#   wx_gtest_count LOG STATUS   sets GT_OK (passed tests), GT_BAD (failed tests), GT_FAILED_NAMES and
#                               GT_SKIPPED_NAMES (arrays), and GT_ABNORMAL (1 when the run did not end
#                               normally: a test that started and never finished, or a non-zero exit with
#                               no failed test to explain it)
#   wx_gtest_failures LOG       the output of each failed test, from its RUN line to its FAILED line

wx_gtest_count() {
  local log=$1 status=$2 runs text
  # A test exe built for Windows ends its lines in CRLF.
  text=$(tr -d '\r' <"$log")
  GT_OK=$(grep -c '^\[       OK \] ' <<<"$text")
  GT_BAD=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' <<<"$text")
  runs=$(grep -c '^\[ RUN      \] ' <<<"$text")
  GT_FAILED_NAMES=()
  local name
  while read -r name; do
    GT_FAILED_NAMES+=("$name")
  done < <(sed -nE 's/^\[  FAILED  \] ([^ ,]+).* \([0-9]+ ms\)$/\1/p' <<<"$text")
  GT_SKIPPED_NAMES=()
  while read -r name; do
    GT_SKIPPED_NAMES+=("$name")
  done < <(sed -nE 's/^\[  SKIPPED \] ([^ ,]+).* \([0-9]+ ms\)$/\1/p' <<<"$text")
  GT_ABNORMAL=0
  if (( runs > GT_OK + GT_BAD + ${#GT_SKIPPED_NAMES[@]} )) || { [ "$status" -ne 0 ] && [ "$GT_BAD" -eq 0 ]; }; then
    # shellcheck disable=SC2034  # for the caller
    GT_ABNORMAL=1
  fi
}

wx_gtest_failures() {
  tr -d '\r' <"$1" | awk '/^\[ RUN      \] / { buf = "" } { buf = buf $0 "\n" }
                          /^\[  FAILED  \] .* \([0-9]+ ms\)$/ { printf "%s", buf; buf = "" }'
}
