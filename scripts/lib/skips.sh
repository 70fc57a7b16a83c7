# shellcheck shell=bash
# A test that did not run is no pass: a skip is accepted only when tests/expected-skips.txt names it, with
# its reason. Sourced after common.sh.
#   wx_skips_list               the accepted skips with their reasons, one a line
#   wx_skips_unexpected NAME... the names the list does not accept, one a line

WX_EXPECTED_SKIPS=${WX_EXPECTED_SKIPS:-$WX_ROOT/tests/expected-skips.txt}

wx_skips_list() {
  grep -Ev '^[[:space:]]*(#|$)' "$WX_EXPECTED_SKIPS"
}

wx_skips_unexpected() {
  local accepted name
  accepted=$(wx_skips_list | awk '{ print $1 }')
  for name in "$@"; do
    grep -qxF -- "$name" <<<"$accepted" || printf '%s\n' "$name"
  done
}
