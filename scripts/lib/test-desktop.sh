# Starts and stops a private X11 desktop for the tests: Xvfb, openbox with the project's own
# configuration and trayer as the system tray. Sourced by scripts/test.

test_desktop_pids=()

start_test_desktop() {
  local root=$1
  if ! command -v Xvfb >/dev/null; then
    echo "test desktop: Xvfb is not installed; X11 tests will skip" >&2
    return 0
  fi
  test_desktop_home=$(mktemp -d "${TMPDIR:-/tmp}/tavorin-test-desktop.XXXXXX")
  mkdir -m 700 "$test_desktop_home/runtime"

  # Xvfb picks a free display number itself and reports it on the pipe.
  exec {displayfd}<> <(:)
  Xvfb -displayfd "$displayfd" -screen 0 1920x1080x24 -nolisten tcp -noreset \
    +extension RANDR >"$test_desktop_home/xvfb.log" 2>&1 &
  test_desktop_pids+=($!)
  local number=""
  read -r -t 10 number <&"$displayfd" || true
  exec {displayfd}<&-
  if [ -z "$number" ]; then
    echo "test desktop: Xvfb did not start; X11 tests will skip" >&2
    cat "$test_desktop_home/xvfb.log" >&2 || true
    return 0
  fi
  export DISPLAY=":$number"
  export XDG_RUNTIME_DIR="$test_desktop_home/runtime"

  # In the C locale openbox reloads its keyboard (after every keymap change, also the ones
  # synthetic key presses cause) in milliseconds instead of seconds of reading compose tables.
  LC_ALL=C openbox --config-file "$root/tests/x11/openbox-rc.xml" >"$test_desktop_home/openbox.log" 2>&1 &
  test_desktop_pids+=($!)
  trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    >"$test_desktop_home/trayer.log" 2>&1 &
  test_desktop_pids+=($!)

  # Wait until the window manager has announced itself.
  for _ in $(seq 1 50); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
      break
    fi
    sleep 0.1
  done
  echo "test desktop: Xvfb on $DISPLAY with openbox and trayer" >&2
}

stop_test_desktop() {
  local pid
  for pid in "${test_desktop_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${test_desktop_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  test_desktop_pids=()
  if [ -n "${test_desktop_home:-}" ]; then
    rm -rf "$test_desktop_home"
  fi
}
