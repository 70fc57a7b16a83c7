#!/usr/bin/env bash
# A mutation score for the core: how many small faults planted in src/core the native unit tests catch.
#   scripts/mutate.sh [N] [SEED]              N mutants (default 50) drawn by SEED (default 1)
#   scripts/mutate.sh --list [N] [SEED]       print the first N of the draw, build nothing
#   scripts/mutate.sh --compare OLD.tsv NEW.tsv   how the mutants of two runs fared, one by one
# A mutant changes one place: a comparison flipped (< and <=, > and >=, == and !=), + and - swapped
# (also += and -=, ++ and --), an integer literal one up or down, an if or while condition negated, an
# expression statement dropped, && and || swapped, or a return giving {}. Each is built into the unit
# tests and graded by the tests that can reach the mutated file, with a time limit. The same tree, N and
# SEED give the same mutants in the same order; a mutant that does not build is replaced by the next of
# the draw. Everything happens in a copy in build/mutate (the working tree is only read; Ctrl-C is safe);
# the results go to build/mutate/results/nN-seedSEED.txt (summary) and .tsv (one mutant a line).
# Environment: WENDLIX_JOBS (compile jobs), MUTATE_TIMEOUT (seconds of tests per mutant; default five
# times the unmutated run, at least 10), MUTATE_ALL_TESTS=1 (every unit test on every mutant),
# MUTATE_EVERY_KILL=1 (no stop at the first failure: every test that kills a mutant is listed, and the summary
# says how many mutants only one test or one test file kills, which test files no mutant needs alone and
# which tests a greedy cover of the kills leaves out).
# Exit status: 0 done; 1 the unmutated tree does not build or pass; 2 bad usage; 130 interrupted.
set -u
# shellcheck source=scripts/lib/common.sh
source "$(dirname "$0")/lib/common.sh"

usage() {
  echo "usage: scripts/mutate.sh [--list] [N] [SEED] | --compare OLD.tsv NEW.tsv" >&2
  exit 2
}

mode=()
case ${1:-} in
  --list) mode=(--list); shift ;;
  --compare) [ $# = 3 ] || usage; mode=(--compare "$2" "$3"); shift 3 ;;
esac
[ $# -le 2 ] || usage
if [ "${mode[0]:-}" != --compare ]; then
  [[ ${1:-50} =~ ^[1-9][0-9]*$ ]] || usage
  [ "${MUTATE_ALL_TESTS:-0}" = 1 ] && mode+=(--all-tests)
  [ "${MUTATE_EVERY_KILL:-0}" = 1 ] && mode+=(--every-kill)
fi
for tool in python3 git cmake ninja nm; do
  command -v "$tool" >/dev/null || { echo "mutate: $tool is missing" >&2; exit 1; }
done
mkdir -p "$WX_BUILD/mutate"
exec python3 -B "$WX_ROOT/scripts/lib/mutate_run.py" "${mode[@]}" "$@" --root "$WX_ROOT" \
  --work "$WX_BUILD/mutate" --jobs "$WX_JOBS" --timeout "${MUTATE_TIMEOUT:-0}"
