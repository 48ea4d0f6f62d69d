# Sourced by scripts that need an X server of their own. start_private_xvfb
# starts Xvfb on a display number it picks itself, waits until it is ready,
# exports DISPLAY and sets xvfb_pid; the caller stops it with kill "$xvfb_pid".
#
# -noreset: by default the server starts over whenever its last client leaves,
# and a program connecting during that moment is refused. Tests that run a short
# tool (xdotool) while the program under test is still connecting hit exactly
# that moment now and then.
start_private_xvfb() {
  local number_file
  number_file="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$number_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  local number
  number="$(tr -d '\n' <"$number_file")"
  rm -f "$number_file"
  if [ -z "$number" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
}
