# Shared by ./dev and the check scripts in tools/: messages, skips, failures, tool look-ups and
# preset builds, so that every check speaks and ends the same way. Source it, after setting
# check_name to the name that prefixes the messages (empty for none).
#
# A check ends in one of three ways:
#   exit 0            passed
#   exit 1 (fail)     anything went wrong; the message says what
#   exit 77 (skip)    a tool it needs is not installed and could not be installed; the message
#                     names it. ./dev test counts such a check as skipped, never as passed.
# shellcheck shell=bash

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly skip_status=77
: "${check_name:=}"

say() { printf '== %s%s\n' "${check_name:+$check_name: }" "$*" >&2; }
skip() { say "SKIPPED: $*"; exit "$skip_status"; }
fail() { say "FAILED: $*"; exit 1; }

# have TOOL: is TOOL on the PATH (or an executable path)?
have() { command -v "$1" >/dev/null 2>&1; }

# need TOOL [PACKAGE]: skip the check unless TOOL is there; PACKAGE names the Debian package.
need() { have "$1" || skip "$1 is not installed${2:+ (Debian package $2)}"; }

# build_preset PRESET [CMAKE_ARGS...]: configure and build a preset of the project. The build's
# output is kept in build/PRESET.log and shown, the last 60 lines, only when it fails.
build_preset() {
  local preset=$1 log
  shift
  mkdir -p "$top/build"
  log=$top/build/$preset.log
  if ! (cd "$top" && cmake --preset "$preset" "$@" &&
         cmake --build --preset "$preset" -- -j"$(nproc)") >"$log" 2>&1; then
    tail -60 "$log" >&2
    fail "the $preset build; its whole log is $log"
  fi
}
