# Reading an Intel HEX file back, for the checks of the firmware's files (firmware-check,
# table-check). Source it after lib.sh.
# shellcheck shell=bash

# hex_bytes FILE FIRST STEP COUNT: COUNT data bytes of an Intel HEX file, from byte address FIRST
# every STEP bytes, as upper-case hex words on one line; a missing byte prints as "--".
hex_bytes() {
  awk -v first="$2" -v step="$3" -v count="$4" '
    function hex(s,   v, i) {
      v = 0
      for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789ABCDEF", toupper(substr(s, i, 1))) - 1
      return v
    }
    /^:/ {
      n = hex(substr($0, 2, 2)); addr = hex(substr($0, 4, 4)); type = hex(substr($0, 8, 2))
      if (type == 4) base = hex(substr($0, 10, 4)) * 65536
      if (type == 0) for (i = 0; i < n; i++) mem[base + addr + i] = toupper(substr($0, 10 + 2 * i, 2))
    }
    END {
      out = ""
      for (i = 0; i < count; i++) {
        a = first + i * step
        out = out (i ? " " : "") ((a in mem) ? mem[a] : "--")
      }
      print out
    }' "$1"
}
