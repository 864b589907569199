# kestrova_lib.sh -- what the end-to-end scripts share (sourced, not run): finding Kestrova's window
# and closing it the way a user does.

# Waits at most $2 seconds for the visible window named Vantrel and sets $win to its id; when none
# appears, stops process $1 and ends the script failed.
find_window() {
  win=$(timeout "$2" xdotool search --sync --onlyvisible --name '^Vantrel$' | head -n 1)
  if [ -z "$win" ]; then
    echo "no window named Vantrel appeared"
    kill "$1" 2>/dev/null
    exit 1
  fi
}

# Closes window $1 of process $2 with the window manager's close key, waits for the process to end
# and sets $status to its exit status; a process that still runs ends the script failed.
close_window() {
  local w=$1 p=$2
  for _ in 1 2 3 4 5; do
    xdotool windowfocus --sync "$w" 2>/dev/null
    xdotool key --clearmodifiers alt+F4
    for _ in $(seq 1 20); do
      kill -0 "$p" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  for _ in $(seq 1 50); do
    kill -0 "$p" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$p" 2>/dev/null; then
    echo "Kestrova still runs after its window was closed"
    kill -9 "$p"
    exit 1
  fi
  wait "$p"
  status=$?
}
