# Reading an Intel HEX file back, for the checks of the firmware's files (firmware-check,
# table-check). Source it after lib.sh.
# shellcheck shell=bash

# hex_column HEX FIRST STEP COLUMN: an Intel HEX file read by objcopy, which must hold one block of
# bytes from byte address FIRST; of every STEP bytes the COLUMNth, as upper-case hex words on one
# line. Where the file holds anything else, a line that says so.
hex_column() {
  local blocks
  blocks=$(objdump -h -b ihex "$1" | awk '$2 ~ /^\.sec/ {printf "%s%s", (n++ ? " " : ""), $4}')
  if [[ $blocks != "$(printf '%08x' "$2")" ]]; then
    echo "blocks at $blocks"
    return
  fi
  objcopy -I ihex -O binary "$1" "$1.bin"
  od -An -v -tx1 -w"$3" "$1.bin" | awk -v c="$4" '{printf "%s%s", (NR > 1 ? " " : ""), toupper($c)} END {print ""}'
}
