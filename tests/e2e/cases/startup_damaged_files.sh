#!/usr/bin/env bash
# Damaged settings and group files never cost the user's groups: for each file of a small corpus
# (truncated, binary junk, UTF-16 and UTF-8 with and without a byte-order mark, invalid GBK,
# duplicate sections, a group list naming missing sections, absurd numbers, a folder instead of the
# file, a huge line, read-only files, an empty file, settings on a missing drive) the bar starts,
# shows the groups it could read, and closes; the web group's addresses it could read are still in
# the group file, and a file it could not understand completely is kept beside itself as <name>.bak,
# byte for byte as it was before the bar replaced it.
# e2e-timeout: 420
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../startup_lib.sh"
source "$(dirname "$0")/../groups_lib.sh"

# The sound pair every case starts from: a shortcut group and a web group with two addresses.
# "01" reads as 1 and is written back as "1": every close replaces the group file.
sound_gpf() {
  group_section Tools 'Directory=C:\windows' ShowTitle=01
  group_section Web "Panel Style=1" Height=150
  printf '[Web  Buttons]\nNews=http://news.example.org/\n新闻=http://example.cn/\n\n'
}

# A value of the group file, bytes compared as code page 936 so that junk elsewhere does not matter.
gpf_value() {  # FILE SECTION KEY
  local sec key
  sec=$(printf '[%s]' "$2" | iconv -f UTF-8 -t GBK) key=$(printf '%s=' "$3" | iconv -f UTF-8 -t GBK)
  LC_ALL=C awk -v sec="$sec" -v key="$key" '{ sub(/\r$/, "") }
    /^\[/ { inside = ($0 == sec); next }
    inside && index($0, key) == 1 { print substr($0, length(key) + 1); exit }' "$1" | iconv -f GBK -t UTF-8
}

# A fresh folder $E2E_WORK/NAME with the bar and the sound pair, which the bar is pointed at.
prepare() {  # NAME
  dir=$E2E_WORK/$1
  install_bar "$dir"
  sound_gpf | write_cp936 "$dir/Wendlix.GPF"
  bar_settings 2 120 0 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
  # The bar remembers where its settings were: point it at this case's files.
  wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ \
    /d "$(winpath "$dir")\\Wendlix" /f >/dev/null || fail "reg add failed"
}

# Starts the bar in $dir, records the groups it shows in SHOWN, and closes it. A failed save (a
# read-only file) answers the close with an error box, which is closed too.
run_bar() {  # NAME [EXPECT_BOX]
  start_and_wait "$dir"
  read_layout
  SHOWN=$(layout_lines group | cut -f3 | tr '\n' ' ' | sed 's/ $//')
  log "$1: the bar shows groups '$SHOWN'"
  close_window "$WENDLIX_MAIN_CLASS" >/dev/null || fail "$1: could not post WM_CLOSE"
  if [ "${2:-}" = box ]; then
    local box
    box=$(drive wait '#32770' 20) || fail "$1: no error box after a failed save"
    drive close "$box" >/dev/null || fail "$1: could not close the error box"
  fi
  wait_bar_exit 20 || fail "$1: the bar did not end"
  expect_eq 0 "$BAR_STATUS" "$1: exit code"
  if compgen -G "$dir/*.tmp" >/dev/null; then fail "$1: a temporary file was left: $(ls "$dir")"; fi
}

# Checks after the close: the groups shown, whether a .bak of FILE holds the damaged bytes, and that
# the web group's addresses are still in the group file when it was readable.
check() {  # NAME WANT_GROUPS INI|GPF|INI=|GPF=|- [keeps-web]   (FILE= : damaged, left unchanged)
  local name=$1 want=$2 damaged=$3 f
  expect_eq "$want" "$SHOWN" "$name: groups shown"
  for f in INI GPF; do
    if [ "$f=" = "$damaged" ]; then
      # Nothing the bar could read needed writing: the file must be exactly as it was.
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f" || fail "$name: Wendlix.$f changed"
    elif [ "$f" = "$damaged" ]; then
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f" && fail "$name: the bar did not save Wendlix.$f"
      [ -f "$dir/Wendlix.$f.bak" ] || fail "$name: no Wendlix.$f.bak beside the replaced damaged file"
      cmp -s "$E2E_WORK/$name.damaged" "$dir/Wendlix.$f.bak" ||
        fail "$name: Wendlix.$f.bak is not the damaged file"
    elif [ -e "$dir/Wendlix.$f.bak" ]; then
      fail "$name: Wendlix.$f.bak made for a sound file"
    fi
  done
  if [ "${4:-}" = keeps-web ]; then
    expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "$name: News kept"
    expect_eq http://example.cn/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" 新闻)" "$name: 新闻 kept"
  fi
  log "$name: passed"
}

# Replaces Wendlix.FILE with stdin and keeps a copy of what was written for check.
# (stdin may be made from that file: it is replaced only once read completely).
damage() {  # NAME FILE
  cat >"$E2E_WORK/$1.damaged"
  rm -rf "$dir/Wendlix.$2"
  cp "$E2E_WORK/$1.damaged" "$dir/Wendlix.$2"
}

# 1. The group file cut inside the first character of the web group's second address name.
prepare gpf_truncated
sound_gpf | write_cp936 "$E2E_WORK/full.gpf"
cut_at=$(grep -abo "$(printf '新闻' | iconv -f UTF-8 -t GBK)" "$E2E_WORK/full.gpf" | cut -d: -f1)
head -c $(( cut_at + 1 )) "$E2E_WORK/full.gpf" | damage gpf_truncated GPF
run_bar gpf_truncated
check gpf_truncated "Tools Web" GPF
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "gpf_truncated: News kept"

# 2. Binary junk (NUL and control bytes, invalid lead bytes) appended to the group file.
prepare gpf_binary_junk
{ cat "$dir/Wendlix.GPF"; for i in $(seq 1 64); do printf '\x00\x01\x81\xff\x07junk\x00\xfe\x20\r\n'; done; } |
  damage gpf_binary_junk GPF
run_bar gpf_binary_junk
check gpf_binary_junk "Tools Web" GPF keeps-web

# 3. The group file in UTF-16 with its byte-order mark: a sound file, read and kept in UTF-16.
prepare gpf_utf16_bom
{ printf '\xff\xfe'; sound_gpf | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$dir/Wendlix.GPF"
run_bar gpf_utf16_bom
check gpf_utf16_bom "Tools Web" -
[ "$(head -c 2 "$dir/Wendlix.GPF" | od -An -tx1 | tr -d ' ')" = fffe ] || fail "gpf_utf16_bom: no longer UTF-16"

# 4. UTF-16 without the mark: no group readable as code page 936, none shown, the file kept as it was.
prepare gpf_utf16_no_bom
sound_gpf | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE | damage gpf_utf16_no_bom GPF
run_bar gpf_utf16_no_bom
check gpf_utf16_no_bom "" GPF=

# 5. The settings file in UTF-8 with a byte-order mark: sound, read as UTF-8.
prepare ini_utf8_bom
{ printf '\xef\xbb\xbf'; bar_settings 2 120 0 1 Tools Web | sed 's/$/\r/'; } >"$dir/Wendlix.INI"
run_bar ini_utf8_bom
check ini_utf8_bom "Tools Web" - keeps-web

# 6. Invalid GBK in a button name of the web group: a lead byte followed by "=".
prepare gpf_invalid_gbk
sed 's/^News=/Ne\x81=http:\/\/bad.example.org\/\r\nNews=/' "$dir/Wendlix.GPF" | damage gpf_invalid_gbk GPF
run_bar gpf_invalid_gbk
check gpf_invalid_gbk "Tools Web" GPF

# 7. A duplicate group section: the second one is never read, but the copy keeps it.
prepare gpf_duplicate_sections
{ cat "$dir/Wendlix.GPF"; printf '[Web  Buttons]\r\nOld=http://old.example.org/\r\n'; } |
  damage gpf_duplicate_sections GPF
run_bar gpf_duplicate_sections
check gpf_duplicate_sections "Tools Web" GPF keeps-web

# 8. The group list names a group that has no section: that one is left out, and since the group file
# was read cleanly, out of the list too.
prepare ini_missing_sections
bar_settings 2 120 0 1 Tools Gone Web | write_cp936 "$dir/Wendlix.INI"
run_bar ini_missing_sections
check ini_missing_sections "Tools Web" - keeps-web
expect_eq "Tools Web" "$(ini_keys "$dir/Wendlix.INI" Groups | tr '\n' ' ' | sed 's/ $//')" \
  "ini_missing_sections: the groups list after the close"

# 9. Absurd sizes: the bar starts with sizes it can use.
prepare ini_absurd_sizes
bar_settings 2 -5 99999 1 Tools Web | write_cp936 "$dir/Wendlix.INI"
run_bar ini_absurd_sizes
check ini_absurd_sizes "Tools Web" - keeps-web

# 10. The settings file ends inside a double-byte character.
prepare ini_cut_character
{ bar_settings 2 120 0 1 Tools Web | write_cp936 /dev/stdout; printf '\xb9'; } | damage ini_cut_character INI
run_bar ini_cut_character
check ini_cut_character "Tools Web" INI keeps-web

# 11. A 10 MB line in the group file.
prepare gpf_huge_line
{ cat "$dir/Wendlix.GPF"; printf '[Junk]\r\nk='; head -c $(( 10 << 20 )) /dev/zero | tr '\0' x; printf '\r\n'; } |
  damage gpf_huge_line GPF
run_bar gpf_huge_line
check gpf_huge_line "Tools Web" GPF keeps-web

# 12. A folder where the group file should be: no group can be read, none is shown, nothing needs
# writing there, and the folder stays.
prepare gpf_folder
rm -f "$dir/Wendlix.GPF"
mkdir "$dir/Wendlix.GPF"
run_bar gpf_folder
[ -d "$dir/Wendlix.GPF" ] || fail "gpf_folder: the folder was replaced"
check gpf_folder "" -
# The groups it could not read stay listed for a start that can read them again.
expect_eq "Tools=C:\\ Web=C:\\" "$(cp936_text "$dir/Wendlix.INI" | tr -d '\r' |
  awk '/^\[/ { on = ($0 == "[Groups]"); next } on && /=/' | tr '\n' ' ' | sed 's/ $//')" \
  "gpf_folder: the groups list after the close"

# 13. A read-only group file the bar must update: the close says it cannot save it, the file stays.
prepare gpf_read_only
chmod 444 "$dir/Wendlix.GPF"
cp "$dir/Wendlix.GPF" "$E2E_WORK/gpf_read_only.damaged"
run_bar gpf_read_only box
check gpf_read_only "Tools Web" GPF= keeps-web

# 14. The group file in UTF-8 without a mark: its Chinese bytes happen to be valid code page 936, so it
# reads as other characters; the close writes them back byte for byte.
prepare gpf_utf8_no_bom
sound_gpf | sed 's/$/\r/' | damage gpf_utf8_no_bom GPF
run_bar gpf_utf8_no_bom
check gpf_utf8_no_bom "Tools Web" -
grep -q "^新闻=http://example.cn/" "$dir/Wendlix.GPF" || fail "gpf_utf8_no_bom: the UTF-8 name changed"
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "gpf_utf8_no_bom: News kept"

# 15. An empty group file: no group to show; the groups list stays for a start that can read them.
prepare gpf_empty
: | damage gpf_empty GPF
run_bar gpf_empty
check gpf_empty "" GPF=
cp936_text "$dir/Wendlix.INI" | grep -q '^Web=' || fail "gpf_empty: the groups list lost Web"

# 16. The settings file cut inside the groups list: the groups named before the cut are shown, and
# the cut file is kept.
prepare ini_truncated
bar_settings 2 120 0 1 Tools Web | write_cp936 "$E2E_WORK/full.ini"
head -c $(( $(grep -abo 'Web=' "$E2E_WORK/full.ini" | cut -d: -f1) + 2 )) "$E2E_WORK/full.ini" |
  damage ini_truncated INI
run_bar ini_truncated
check ini_truncated "Tools" INI
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "ini_truncated: News kept"

# 17. Binary junk for a settings file: the bar starts on its defaults and keeps the junk beside it.
prepare ini_binary_junk
for i in $(seq 1 200); do printf '\x00\x9f\xff\x01[\x81=\x7f\r\n\xfe%s' "$i"; done | damage ini_binary_junk INI
run_bar ini_binary_junk
[ -f "$dir/Wendlix.INI.bak" ] && cmp -s "$E2E_WORK/ini_binary_junk.damaged" "$dir/Wendlix.INI.bak" ||
  fail "ini_binary_junk: the junk was not kept as Wendlix.INI.bak"
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "ini_binary_junk: News kept"
log "ini_binary_junk: passed (groups shown: '$SHOWN')"

# 18. Absurd numbers in the group file (sizes, font size, colours, styles): both groups are shown.
prepare gpf_absurd_numbers
{
  group_section Tools 'Directory=C:\windows' ShowTitle=01 Width=-5 FontSize=-2147483648 "Draw style=77"
  group_section Web "Panel Style=1" Height=99999 Color=99999999999 FontSize=0 "To Color=-1"
  printf '[Web  Buttons]\nNews=http://news.example.org/\n新闻=http://example.cn/\n\n'
} | write_cp936 /dev/stdout | damage gpf_absurd_numbers GPF
run_bar gpf_absurd_numbers
check gpf_absurd_numbers "Tools Web" - keeps-web

# 19. A read-only settings file the bar must update ("02" is written back as "2"): the close says it
# cannot save it, and the file stays as it was.
prepare ini_read_only
sed 's/^Edge=2/Edge=02/' "$dir/Wendlix.INI" >"$E2E_WORK/ini_read_only.damaged"
cp "$E2E_WORK/ini_read_only.damaged" "$dir/Wendlix.INI"
chmod 444 "$dir/Wendlix.INI"
run_bar ini_read_only box
check ini_read_only "Tools Web" INI= keeps-web

# 20. A folder where the settings file should be: the bar starts, the folder stays.
prepare ini_folder
rm -f "$dir/Wendlix.INI"
mkdir "$dir/Wendlix.INI"
run_bar ini_folder box
[ -d "$dir/Wendlix.INI" ] || fail "ini_folder: the folder was replaced"
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "ini_folder: News kept"
log "ini_folder: passed (groups shown: '$SHOWN')"

# 21. The settings named on a drive that is not there (a removable drive, say): the bar starts on its
# defaults, says at the close that it cannot save there, and still points at that drive for the day it
# is back; the files beside the program are not touched.
prepare missing_drive
wine_run reg add 'HKCU\Software\Holmvik\Wendlix' /v 'Confing FileName' /t REG_SZ \
  /d 'Q:\nowhere\Wendlix' /f >/dev/null || fail "reg add failed"
run_bar missing_drive box
expect_eq '' "$SHOWN" "missing_drive: groups shown"
expect_eq 'Q:\nowhere\Wendlix' "$(reg_value 'HKCU\Software\Holmvik\Wendlix' 'Confing FileName')" \
  "missing_drive: the settings path"
expect_eq http://news.example.org/ "$(gpf_value "$dir/Wendlix.GPF" "Web  Buttons" News)" "missing_drive: News kept"
log "missing_drive: passed"

log "21 damaged files: the bar started and closed with each, and kept what it could not read"
