# Sourced: start_xvfb starts a virtual display on a free number, 1024x768x24
# unless HQ_SCREEN says otherwise (WIDTHxHEIGHTxDEPTH), exports DISPLAY and
# sets HQ_XVFB_PID (the caller stops it by that PID).
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${HQ_SCREEN:-1024x768x24}" -nolisten tcp >/dev/null 2>&1 &
  HQ_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
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
