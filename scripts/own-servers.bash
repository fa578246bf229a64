# Sourced by the real-client checks (check-x11, check-accessibility,
# check-sound): servers of the check's own, which other X servers, buses and
# sound servers starting and stopping on the machine can neither take nor
# reach, and waits for what the check needs rather than fixed pauses. The
# check sets $check (its name) and $work (a new private folder it removes at
# the end), calls own_session first and stop_own_servers when it ends.

# The servers started, by process id; "-ID" for a process group, a server
# with what it started.
own_ids=()

# Nothing of the caller's session may lead a client to another server: its
# display, bus, sound server and folders are forgotten, and home and runtime
# folders are the check's own.
own_session() {
  unset DISPLAY XAUTHORITY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS \
    PULSE_SERVER PULSE_COOKIE PULSE_RUNTIME_PATH PULSE_STATE_PATH PULSE_CLIENTCONFIG \
    XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_SESSION_TYPE
  mkdir -p "$work/home"
  mkdir -m 700 "$work/run"
  export HOME=$work/home XDG_RUNTIME_DIR=$work/run
}

# wait_until SECONDS WHAT PID COMMAND...: runs COMMAND until it succeeds.
# Fails, saying WHAT it waited for, once the server PID has ended or after
# SECONDS; the limit is generous, for a machine busy with other work.
wait_until() {
  local seconds=$1 what=$2 pid=$3
  shift 3
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    if ! kill -0 -- "$pid" 2>/dev/null; then
      echo "$check: the server ended while waiting for $what" >&2
      return 1
    fi
    if ((SECONDS >= deadline)); then
      echo "$check: no $what within $seconds s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Xvfb picks its own display number: the first whose abstract socket it can
# bind, which no other server can take from it, and names it once it
# listens. It admits only clients with the cookie in $work/xauth, so no
# other session's client (nor its accessibility bus launcher, which marks the
# root window of the display it was given) ever reaches it. Sets DISPLAY and
# XAUTHORITY.
start_own_x_server() {
  # The display number is known only once the server runs: a cookie for any.
  { printf '\xff\xff\0\0\0\0\0\x12MIT-MAGIC-COOKIE-1\0\x10' && head -c 16 /dev/urandom; } >"$work/xauth"
  Xvfb -displayfd 3 -auth "$work/xauth" -noreset -nolisten tcp -screen 0 1280x1024x24 \
    3>"$work/display" 2>"$work/xvfb.log" &
  local pid=$!
  own_ids+=("$pid")
  export XAUTHORITY=$work/xauth
  if ! wait_until 300 "display named by Xvfb" "$pid" test -s "$work/display"; then
    cat "$work/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(cat "$work/display")"
  if ! wait_until 300 "client taken by Xvfb at $DISPLAY" "$pid" xdpyinfo; then
    cat "$work/xvfb.log" >&2
    return 1
  fi
}

# A D-Bus session bus on a socket in $work alone. It leads a process group
# of its own, which the services it starts on demand (the accessibility bus
# and its registry) join, so they are stopped with it. Sets
# DBUS_SESSION_BUS_ADDRESS; start it after the servers its services use.
start_own_session_bus() {
  local address=unix:path=$work/bus
  dbus-daemon --session --fork --address="$address" --print-pid=3 3>"$work/bus.pid" 2>"$work/bus.log" ||
    { cat "$work/bus.log" >&2; echo "$check: the session bus did not start" >&2; return 1; }
  local pid
  pid=$(cat "$work/bus.pid")
  own_ids+=("-$pid")
  export DBUS_SESSION_BUS_ADDRESS=$address
  if ! wait_until 300 "session bus answering" "$pid" dbus-send --session --print-reply \
    --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetId; then
    cat "$work/bus.log" >&2
    return 1
  fi
}

# Stops every server, the last started first, by its process id or process
# group, and waits until each has gone.
stop_own_servers() {
  local i id deadline
  for ((i = ${#own_ids[@]} - 1; i >= 0; i--)); do
    id=${own_ids[i]}
    kill -- "$id" 2>/dev/null || continue
    wait "${id#-}" 2>/dev/null || true
    deadline=$((SECONDS + 30))
    while kill -0 -- "$id" 2>/dev/null; do
      if ((SECONDS >= deadline)); then
        kill -KILL -- "$id" 2>/dev/null || true
        break
      fi
      sleep 0.1
    done
  done
}
