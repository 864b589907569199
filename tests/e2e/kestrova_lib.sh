# kestrova_lib.sh -- what the end-to-end scripts share (sourced, not run): finding Kestrova's window
# and closing it the way a user does.

# Runs xdotool with the arguments after $1 until it succeeds and prints something, for at most $1
# seconds (a fraction allowed), and prints that; prints nothing when the time is up. Every window
# look-up of the scripts goes through here: xdotool dies with BadWindow when any window on the
# display goes away between its listing and its query, so a call that fails is tried again after a
# short sleep rather than ending the look-up.
xdo_retry() {
  local end out
  end=$(( $(date +%s%3N) + $(awk -v s="$1" 'BEGIN { printf "%d", s * 1000 }') ))
  shift
  while :; do
    out=$(xdotool "$@" 2>/dev/null) && [ -n "$out" ] && { echo "$out"; return 0; }
    [ "$(date +%s%3N)" -lt "$end" ] || return 1
    sleep 0.1
  done
}

# Prints the id of the visible window named Vantrel, looking for at most $1 seconds; prints nothing
# when none shows.
vantrel_window() {
  xdo_retry "$1" search --onlyvisible --name '^Vantrel$' | head -n 1
}

# Waits at most $2 seconds for the visible window named Vantrel and sets $win to its id; when none
# appears, stops process $1 and ends the script failed.
find_window() {
  win=$(vantrel_window "$2")
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

# A click at the logical point ($2, $3) of the 800 by 600 screen (y up) in window $1.
click_logical() {
  eval "$(xdo_retry 5 getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" "$(awk -v x="$2" -v w="$WIDTH" 'BEGIN { printf "%d", x * w / 800 }')" \
    "$(awk -v y="$3" -v h="$HEIGHT" 'BEGIN { printf "%d", (600 - y) * h / 600 }')"
  sleep 0.3
  xdotool click 1
}

# Chooses Quit from the File menu of window $1 of process $2 (named $3 in messages): File's title
# spans x 50..74 on the bar, Quit lies at the logical point ($4, $5). Waits for the process to end
# and sets $status to its exit status; a process that still runs ends the script failed.
quit_by_menu() {
  local w=$1 p=$2 name=$3
  xdotool windowfocus --sync "$w" 2>/dev/null
  click_logical "$w" 62 591
  sleep 0.7
  click_logical "$w" "$4" "$5"
  for _ in $(seq 1 100); do
    kill -0 "$p" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$p" 2>/dev/null; then
    echo "choosing Quit from the File menu did not end $name"
    kill -9 "$p"
    exit 1
  fi
  wait "$p"
  status=$?
}

# Starts companion program $1 (named $2) in folder $3 with configuration folder $4 and waits for
# its window: sets $pid to the process and $win to the window, and answers the notice of a machine
# drawing OpenGL in software (if any) by Return. A program that ends by itself ends the script failed.
companion_start() {
  local exe=$1 name=$2 work=$3 cfg=$4
  cd "$work" || exit 1
  rm -f Error.out
  KV_CONFIG_DIR=$cfg "$exe" &
  pid=$!
  find_window "$pid" 30
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$win" 2>/dev/null
    xdotool key --clearmodifiers Return
    sleep 0.5
  done
  kill -0 "$pid" 2>/dev/null || { echo "$name ended before it was closed"; cat Error.out; exit 1; }
}

# Ends the companion program that companion_start started (named $1, in folder $2): by Quit at the
# logical point ($4, $5) when $3 is "menu", else by closing its window. It must end with status 0
# and close its error file.
companion_end() {
  local name=$1 work=$2 how=$3
  if [ "$how" = menu ]; then
    quit_by_menu "$win" "$pid" "$name" "$4" "$5"
  else
    close_window "$win" "$pid"
  fi
  echo "$how: exit status $status"
  [ "$status" -eq 0 ] || exit 1
  grep -q "end simulation" "$work/Error.out" || { echo "Error.out was not closed"; exit 1; }
}

# One start of a companion program $1 (named $2) in folder $3 with configuration folder $4, ended
# by Quit at the logical point ($6, $7) when $5 is "menu", else by closing its window (when the
# point is not given: the scripts run under set -u).
companion_run_once() {
  companion_start "$1" "$2" "$3" "$4"
  companion_end "$2" "$3" "$5" "${6-}" "${7-}"
}
