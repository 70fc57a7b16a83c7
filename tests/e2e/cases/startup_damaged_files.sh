#!/usr/bin/env bash
# Damaged settings and group files never cost the user's groups. For each file of a small corpus (one of
# each way the program handles it: cut short, a huge line, UTF-16 without its mark, a group list naming a
# missing section, absurd numbers, a folder instead of the file, read-only files, an empty file, binary
# junk for settings, settings on a missing drive) the bar starts, shows the groups it could read, and
# closes; the web group's addresses it could read are still in the group file, and a file it could not
# understand completely is kept beside itself as <name>.bak, byte for byte as it was before the bar
# replaced it. Which bytes count as damage is decided and tested in the core.
# e2e-timeout: 300
source "$(dirname "$0")/../lib.sh"

# The sound pair every file starts from: a shortcut group and a web group with two addresses.
# "01" reads as 1 and is written back as "1": every close replaces the group file.
sound_gpf() {
  group_section Tools 'Directory=C:\windows' ShowTitle=01 "$@"
  group_section Web "Panel Style=1" Height=150
  group_buttons Web News=http://news.example.org/ 新闻=http://example.cn/
}

# A fresh folder $E2E_WORK/NAME with the bar and the sound pair, which the bar is pointed at.
prepare() {  # NAME
  name=$1 dir=$E2E_WORK/$1
  install_bar "$dir"
  sound_gpf | write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  # The bar remembers where its settings were: point it at these files.
  wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ \
    /d "$(winpath "$dir")\\Wendlix" /f >/dev/null || fail "reg add failed"
}

# Replaces Wendlix.FILE with stdin (which may be made from that file) and keeps a copy for check.
damage() {  # FILE
  cat >"$E2E_WORK/$name.damaged"
  rm -rf "$dir/Wendlix.$1"
  cp "$E2E_WORK/$name.damaged" "$dir/Wendlix.$1"
}

# Starts the bar, records the groups it shows in SHOWN, and closes it; a failed save (box) answers the
# close with an error box, which is closed too.
run_bar() {  # [box]
  start_and_wait "$dir"
  SHOWN=$(groups_shown | sed 's/:[01]//g')
  log "$name: the bar shows groups '$SHOWN'"
  close_window "$WENDLIX_MAIN_CLASS" >/dev/null || fail "$name: could not post WM_CLOSE"
  [ "${1:-}" = box ] && expect_box 保存设置失败 "$name"
  wait_bar_exit 20 || fail "$name: the bar did not end"
  expect_eq 0 "$BAR_STATUS" "$name: exit code"
  case " $(files_in "$dir") " in *'.tmp '*) fail "$name: a temporary file was left: $(files_in "$dir")" ;; esac
}

# After the close: the groups shown; for FILE, whether it was replaced with a .bak of the damaged bytes
# (INI, GPF), left as it was (INI=, GPF=) or neither damaged nor kept (-); the web addresses still there.
check() {  # WANT_GROUPS INI|GPF|INI=|GPF=|- [keeps-web]
  local f
  expect_eq "$1" "$SHOWN" "$name: groups shown"
  for f in INI GPF; do
    if [ "$f=" = "$2" ]; then
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f" || fail "$name: Wendlix.$f changed"
    elif [ "$f" = "$2" ]; then
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f" && fail "$name: the bar did not save Wendlix.$f"
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f.bak" || fail "$name: Wendlix.$f.bak is not the damaged file"
    elif [ -e "$dir/Wendlix.$f.bak" ]; then
      fail "$name: Wendlix.$f.bak made for a sound file"
    fi
  done
  [ "${3:-}" = keeps-web ] && keeps_web
  log "$name: passed"
}
keeps_web() {
  expect_eq "News=http://news.example.org/|新闻=http://example.cn/" "$(ini_lines "$dir/Wendlix.GPF" "Web  Buttons" | paste -sd'|')" \
    "$name: the web group's addresses"
}

# The group file cut inside the first character of the web group's second address name.
prepare gpf_truncated
sound_gpf | write_cp936 "$E2E_WORK/full.gpf"
cut_at=$(grep -abo "$(printf '新闻' | iconv -f UTF-8 -t GBK)" "$E2E_WORK/full.gpf" | cut -d: -f1)
head -c $(( cut_at + 1 )) "$E2E_WORK/full.gpf" | damage GPF
run_bar
check "Tools Web" GPF
expect_eq http://news.example.org/ "$(ini_get "$dir/Wendlix.GPF" "Web  Buttons" News)" "gpf_truncated: News kept"

# A 10 MB line in the group file.
prepare gpf_huge_line
{ cat "$dir/Wendlix.GPF"; printf '[Junk]\r\nk='; head -c $(( 10 << 20 )) /dev/zero | tr '\0' x; printf '\r\n'; } | damage GPF
run_bar
check "Tools Web" GPF keeps-web

# UTF-16 without the mark: no group readable as code page 936, none shown, the file kept as it was.
prepare gpf_utf16_no_bom
sound_gpf | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | damage GPF
run_bar
check "" GPF=

# The group list names a group that has no section: that one is left out, and since the group file was
# read cleanly, out of the list too.
prepare ini_missing_sections
bar_settings 2 120 0 1 Tools Gone Web | write_cp936 "$dir/Wendlix.INI"
run_bar
check "Tools Web" - keeps-web
expect_eq "Tools Web" "$(ini_keys "$dir/Wendlix.INI" Groups | paste -sd' ')" "$name: the groups list after the close"

# Absurd numbers (sizes, font size, colours, styles) in both files: the bar starts with what it can use.
prepare absurd_numbers
bar_settings 2 -5 99999 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
{ sound_gpf Width=-5 FontSize=-2147483648 "Draw style=77" |
    sed 's/^Height=150$/Height=99999/; s/^Color=.*/Color=99999999999/; s/^To Color=.*/To Color=-1/'; } |
  write_cp936 "$dir/Wendlix.GPF"
run_bar
check "Tools Web" - keeps-web

# A folder where the group file should be: no group can be read, none is shown, nothing needs writing
# there, and the folder stays; the groups stay listed for a start that can read them again.
prepare gpf_folder
rm -f "$dir/Wendlix.GPF"
mkdir "$dir/Wendlix.GPF"
run_bar
check "" -
[ -d "$dir/Wendlix.GPF" ] || fail "gpf_folder: the folder was replaced"
expect_eq "Tools=C:\\ Web=C:\\" "$(ini_lines "$dir/Wendlix.INI" Groups | paste -sd' ')" "gpf_folder: the groups list"

# A read-only group file the bar must update: the close says it cannot save it, the file stays.
prepare gpf_read_only
chmod 444 "$dir/Wendlix.GPF"
cp "$dir/Wendlix.GPF" "$E2E_WORK/$name.damaged"
run_bar box
check "Tools Web" GPF= keeps-web

# An empty group file: no group to show; the groups list stays for a start that can read them.
prepare gpf_empty
: | damage GPF
run_bar
check "" GPF=
expect_eq "Tools Web" "$(ini_keys "$dir/Wendlix.INI" Groups | paste -sd' ')" "gpf_empty: the groups list"

# The settings file cut inside the groups list: the groups named before the cut are shown, the cut file
# is kept.
prepare ini_truncated
bar_settings 2 120 0 1 Tools Web | write_cp936 "$E2E_WORK/full.ini"
head -c $(( $(grep -abo 'Web=' "$E2E_WORK/full.ini" | cut -d: -f1) + 2 )) "$E2E_WORK/full.ini" | damage INI
run_bar
check "Tools" INI
expect_eq http://news.example.org/ "$(ini_get "$dir/Wendlix.GPF" "Web  Buttons" News)" "ini_truncated: News kept"

# Binary junk for a settings file: the bar starts on its defaults and keeps the junk beside it.
prepare ini_binary_junk
for i in $(seq 1 200); do printf '\x00\x9f\xff\x01[\x81=\x7f\r\n\xfe%s' "$i"; done | damage INI
run_bar
cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.INI.bak" || fail "ini_binary_junk: the junk was not kept as Wendlix.INI.bak"
keeps_web

# A read-only settings file the bar must update ("02" is written back as "2"): the close says it cannot
# save it, and the file stays as it was.
prepare ini_read_only
sed 's/^Edge=2/Edge=02/' "$dir/Wendlix.INI" >"$E2E_WORK/$name.damaged"
cp "$E2E_WORK/$name.damaged" "$dir/Wendlix.INI"
chmod 444 "$dir/Wendlix.INI"
run_bar box
check "Tools Web" INI= keeps-web

# A folder where the settings file should be: the bar starts, the folder stays.
prepare ini_folder
rm -f "$dir/Wendlix.INI"
mkdir "$dir/Wendlix.INI"
run_bar box
[ -d "$dir/Wendlix.INI" ] || fail "ini_folder: the folder was replaced"
keeps_web

# The settings named on a drive that is not there (a removable drive, say): the bar starts on its
# defaults, says at the close that it cannot save there, and still points at that drive for the day it is
# back; the files beside the program are not touched.
prepare missing_drive
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ \
  /d 'Q:\nowhere\Wendlix' /f >/dev/null || fail "reg add failed"
run_bar box
check "" -
expect_eq 'Q:\nowhere\Wendlix' "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" "missing_drive: the settings path"
keeps_web
