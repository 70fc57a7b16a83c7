# shellcheck shell=bash
# Helpers of the start-up and settings cases (cases/startup_*.sh), sourced after lib.sh.
# Settings files are code page 936 with CRLF line ends; these read them as UTF-8 lines.

# The file as UTF-8 text without carriage returns.
ini_text() {
  iconv -f GBK -t UTF-8 "$1" | tr -d '\r'
}

# The value of KEY in SECTION (first occurrence), or nothing.
ini_get() {
  ini_text "$1" | awk -v sec="[$2]" -v key="$3" '
    /^\[/ { inside = ($0 == sec); next }
    inside && index($0, key "=") == 1 { print substr($0, length(key) + 2); exit }'
}

# The key names of SECTION, one a line, in file order.
ini_keys() {
  ini_text "$1" | awk -v sec="[$2]" '
    /^\[/ { inside = ($0 == sec); next }
    inside && index($0, "=") > 1 { print substr($0, 1, index($0, "=") - 1) }'
}

# A registry value's data (REG_SZ or REG_DWORD as reg.exe prints it), or nothing.
reg_value() {
  wine_run reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

# The text a path has on a command line: quoted when it holds a blank.
command_path() {
  case $1 in
    *' '*) printf '"%s"' "$1" ;;
    *) printf '%s' "$1" ;;
  esac
}

# Starts the bar from DIR and waits for its main window to be shown: the window exists from the start of
# its creation, but has read its settings and docked only when it is shown.
start_and_wait() {
  local i
  start_bar "$1"
  # Generous: two cases share the machine, and a first start in a fresh prefix can be slow.
  wait_for_window "$WENDLIX_MAIN_CLASS" 60 >/dev/null || fail "no $WENDLIX_MAIN_CLASS window within 60 s"
  for (( i = 0; i < 300; i++ )); do
    drive visible "$WENDLIX_MAIN_CLASS" && return 0
    sleep 0.1
  done
  fail "the $WENDLIX_MAIN_CLASS window was not shown within 30 s"
}
