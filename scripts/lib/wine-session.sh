# Sourced by the scripts: a private Wine prefix, an X display and a persistent
# wineserver, each stopped on exit only if we started it.
# Needs $ROOT (the checkout) to be set.

export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts in a fresh prefix, and no menu entries or
# file types of its programs in the user's home.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}"
# Unless the caller names another Wine (scripts/test --wine10 does).
WINE64=${WINE64:-$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine)}
export WINE64

_started_xvfb=""
_started_wineserver=""
_begun=""

wine_session_stop() {
  if [ -n "$_started_wineserver" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    _started_wineserver=""
  fi
  if [ -n "$_started_xvfb" ]; then
    kill "$_started_xvfb" 2>/dev/null || true
    wait "$_started_xvfb" 2>/dev/null || true
    _started_xvfb=""
  fi
}

# Starts Xvfb on a free display unless keep_display is set and DISPLAY is.
wine_session_display() {
  if [ -n "${keep_display:-}" ] && [ -n "${DISPLAY:-}" ]; then
    return
  fi
  local n=91
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  _started_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# Creates the prefix, and waits until every process of it has ended, before
# the persistent server starts. On an empty prefix the loader first makes the
# prefix with a wineboot of its own, then ours runs: that left two
# services.exe behind every time we tried, and the server that kept them
# made every program that opens a window wait 10 s for RpcSs, and its desktop
# hold the runner's pipes open 11 s longer. A server started afresh has one.
# Seen once under load: wineboot returned with the prefix half made (no
# kernel32.dll), and every later start failed; so check, and start again from
# nothing if so.
wine_session_make_prefix() {
  local try
  for try in 1 2 3; do
    "$WINE64" wineboot -i </dev/null >>"$WINEPREFIX.wineboot.log" 2>&1 || true
    if [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
      # No window manager under Xvfb: unmanaged windows hide and close at once.
      "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
      # A crash ends the process instead of waiting in winedbg's dialog.
      "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
      "$WINE64" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f </dev/null >/dev/null 2>&1
      # Windows links the shell dialog font (Tahoma) to a Japanese, Chinese
      # and Korean font, which Wine names but has not: WenQuanYi stands in.
      local face
      for face in "MS UI Gothic" "PMingLiU" "SimSun" "Gulim"; do
        "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f </dev/null >/dev/null 2>&1
      done
      wine_session_wait_server && return 0
    fi
    echo "wine-session: prefix $WINEPREFIX incomplete after wineboot (try $try)" >&2
    wineserver -k </dev/null >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
  done
  return 1
}

# Waits for the prefix's server, and so every process of it, to end; ends
# them if they are still there after two minutes.
wine_session_wait_server() {
  timeout 120 wineserver -w </dev/null >/dev/null 2>&1 && return 0
  echo "wine-session: $WINEPREFIX still busy after two minutes; ending its processes" >&2
  wineserver -k </dev/null >/dev/null 2>&1 || true
  return 1
}

# How many services.exe run in this prefix (a healthy session has one).
# WINE_SESSION_PROC: where the processes are listed (a test's fake /proc).
wine_session_services() {
  local pid n=0
  for pid in "${WINE_SESSION_PROC:-/proc}"/[0-9]*; do
    tr '\0' '\n' 2>/dev/null <"$pid/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    tr '\0' ' ' 2>/dev/null <"$pid/cmdline" | grep -qi '\\services\.exe' && n=$((n + 1))
  done
  echo "$n"
}

# The persistent server, with Wine's services up. It keeps them from holding
# the test runner's pipes open; all output detached for the same reason.
wine_session_serve() {
  wineserver -p </dev/null >/dev/null 2>&1 || true
  _started_wineserver=1
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# The display, and everything stopped on exit. Once per session.
wine_session_begin() {
  [ -n "$_begun" ] && return 0
  _begun=1
  mkdir -p "$WINEPREFIX"
  # What a script run inside this session (scripts/screenshots) may reuse.
  export VESPIRO_WINE_SESSION="$WINEPREFIX"
  trap wine_session_stop EXIT
  wine_session_display
}

# The prefix, unless it is made already. About 10 s the first time, mostly
# waiting on Wine: scripts/test runs it beside the builds.
wine_session_prepare() {
  [ -f "$WINEPREFIX/.vespiro-ready-2" ] && return 0
  wineserver -k </dev/null >/dev/null 2>&1 || true  # a server left from an earlier try
  wine_session_make_prefix || return 1
  touch "$WINEPREFIX/.vespiro-ready-2"
}

wine_session_start() {
  wine_session_begin
  wine_session_prepare || return 1
  wine_session_serve
  wine_session_check
}

# The session's health: one services.exe, or the server is restarted once
# (scripts/checks/wine-session tests this).
wine_session_check() {
  local n
  n=$(wine_session_services)
  [ "$n" = 1 ] && return 0
  echo "wine-session: $n services.exe in $WINEPREFIX instead of 1; restarting the server once" >&2
  wineserver -k </dev/null >/dev/null 2>&1 || true
  wine_session_wait_server
  wine_session_serve
  n=$(wine_session_services)
  [ "$n" = 1 ] || echo "wine-session: still $n services.exe in $WINEPREFIX; window tests may be slow" >&2
}

# Saves the whole X screen as a PNG.
wine_session_screenshot() {
  xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null | pnmtopng > "$1"
}
