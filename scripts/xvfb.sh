# Sourced: start_xvfb starts a virtual display on a free number, 1024x768x24
# unless HQ_SCREEN says otherwise (WIDTHxHEIGHTxDEPTH), exports DISPLAY and
# sets HQ_XVFB_PID (the caller stops it by that PID). Xvfb picks the number
# itself and names it once it accepts connections (-displayfd), so sessions
# started at the same moment never share a display.
start_xvfb() {
  local named n=
  named=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${HQ_SCREEN:-1024x768x24}" -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  HQ_XVFB_PID=$!
  for _ in $(seq 200); do
    n=$(head -n1 "$named")
    [ -n "$n" ] && break
    kill -0 "$HQ_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$named"
  [ -n "$n" ] || { echo "xvfb: no virtual display could be started" >&2; return 1; }
  export DISPLAY=":$n"
}

# Sourced by the commands that run Windows programs: start_wine_session ROOT
# uses the build's Wine prefix and one display for the whole script (started
# here when DISPLAY is unset); both the wineserver and that display are
# stopped when the script exits.
start_wine_session() {
  export WINEPREFIX="${HQ_WINEPREFIX:-$1/build/win/wineprefix}"
  HQ_SESSION_XVFB_PID=
  trap stop_wine_session EXIT
  if [ -z "${DISPLAY:-}" ]; then start_xvfb; HQ_SESSION_XVFB_PID=$HQ_XVFB_PID; fi
}
stop_wine_session() {
  wineserver -k 2>/dev/null || true
  if [ -n "${HQ_SESSION_XVFB_PID:-}" ]; then kill "$HQ_SESSION_XVFB_PID" 2>/dev/null || true; fi
}
