# Shared by the checks that run the Windows build under Wine (windows-check, winwindow-check,
# installer-check) and by the windows build's ctest: MinGW-w64 and Wine looked up, a Wine prefix
# made once, one Wine server for a whole run, and its end. Source it after tools/lib.sh.
#
# Why one server: Debian starts the Wine server that a Wine program needs through
# /usr/lib/wine/wineserver, which passes -p0, so that the server quits the moment its last
# program ends. A program that starts in that moment can connect to a server that is going away
# and die with "wine client error:0: recvmsg: Connection reset by peer"; ctest, which starts one
# Wine program per test, meets that moment again and again, and each time pays for a new server
# and Wine's service processes. A server started beforehand, which stays when its programs end,
# takes that moment away.
# shellcheck shell=bash

: "${top:?source tools/lib.sh first}"
windows_build=$top/build/windows

# need_windows_tools: skip the check unless MinGW-w64 and Wine are installed.
need_windows_tools() {
  have x86_64-w64-mingw32-g++-posix || have x86_64-w64-mingw32-g++ ||
    skip "MinGW-w64 is not installed (Debian package g++-mingw-w64-x86-64-posix)"
  [[ -x /usr/lib/wine/wine64 ]] || have wine64 || have wine ||
    skip "Wine is not installed (Debian package wine64)"
}

# windows_cache_value NAME: a cache entry of the windows build.
windows_cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$windows_build/CMakeCache.txt"; }

# wine_session LOADER PREFIX [PERSIST]: Wine through LOADER (wine64), quiet, in PREFIX, which is
# made the first time; then a Wine server for PREFIX that outlasts its programs by PERSIST
# seconds (forever without it: wine_end ends it). Sets `wine` and `wineserver`, exports the
# WINE* variables. Two sessions that start together make the prefix once (a lock beside it).
wine_session() {
  wine=$1
  [[ -x $wine ]] || fail "no Wine loader '$wine' (the windows build's WSPR_WINE_LOADER)"
  # Debian's wineserver beside the loader passes -p0 first; a later -p wins.
  wineserver=$(dirname "$wine")/wineserver
  [[ -x $wineserver ]] || wineserver=$(command -v wineserver) ||
    fail "no wineserver beside $wine or on the PATH"
  # No Mono or Gecko, whose installers would only stall a prefix made for our programs; no menu
  # entries or file types on this machine's own desktop for what is made inside the prefix.
  export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=d'
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [[ -f $WINEPREFIX/system.reg ]] && exit 0
    say "creating the Wine prefix $WINEPREFIX (once; tens of seconds)"
    # The lock is not handed on: wineboot leaves the server and its service processes running.
    timeout 600 "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&- || exit 1
    timeout 120 "$wineserver" -w || true
  ) 9>"$WINEPREFIX.lock" || fail "wineboot could not create $WINEPREFIX"
  wine_persist=${3:-}
  wine_server_start
}

# wine_server_start: the session's server, and the first program, which starts Wine's service
# processes; they last as long as the server. Both apart from any pipe a caller reads (ctest
# reads test lists through pipes), so that none stays open behind them. When a server for the
# prefix already runs, it is left be.
wine_server_start() {
  "$wineserver" "-p$wine_persist" </dev/null >/dev/null 2>&1 || true
  timeout 300 "$wine" cmd /c exit </dev/null >/dev/null 2>&1 ||
    fail "Wine cannot run a program in $WINEPREFIX"
}

# wine_wait SECONDS: waits until every program of the prefix has ended and the server with them
# (a session with PERSIST only), then starts the session's server again.
wine_wait() {
  timeout "$1" "$wineserver" -w || fail "programs of $WINEPREFIX still ran after $1 s"
  wine_server_start
}

# wine_end: ends the session's Wine server and every program of its prefix.
wine_end() {
  if [[ -n ${wineserver:-} ]]; then "$wineserver" -k >/dev/null 2>&1 || true; fi
}
