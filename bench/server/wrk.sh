#!/usr/bin/env bash
# Load test of tessarine-server on loopback, side by side with nginx serving a static file of the
# same size as the server's "nothing waiting" reply. Not run by CI.
#
#   bash bench/server/wrk.sh [build-folder]       (default: build)
#   DURATION=15s CONNECTIONS=1000 THREADS=8 GAMES=1000 bash bench/server/wrk.sh /tmp/build
#
# Three runs, each at $CONNECTIONS connections: tessarine-server answering getdata polls on empty
# mailboxes, nginx answering the static file, and tessarine-server answering postdata+getdata
# pairs (each connection plays one game: a move to each side, each side fetching it). Prints a
# table of requests per second and 99th-percentile latency. Everything listens on 127.0.0.1 only.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
duration=${DURATION:-15s}
connections=${CONNECTIONS:-1000}
threads=${THREADS:-$(nproc)}
games=${GAMES:-$connections}
server_port=${SERVER_PORT:-18642}
nginx_port=${NGINX_PORT:-18643}
server_bin="$build/bin/tessarine-server"
[ -x "$server_bin" ] || { echo "wrk.sh: $server_bin not found; build the tessarine-server target first" >&2; exit 1; }

# wrk and nginx are installed for this script only, without letting the package start nginx on
# its default public port.
need=()
command -v wrk >/dev/null || need+=(wrk)
command -v nginx >/dev/null || [ -x /usr/sbin/nginx ] || need+=(nginx)
if [ ${#need[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  made_policy=0
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee /usr/sbin/policy-rc.d >/dev/null
    "${sudo_cmd[@]}" chmod +x /usr/sbin/policy-rc.d
    made_policy=1
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
  [ "$made_policy" = 1 ] && "${sudo_cmd[@]}" rm -f /usr/sbin/policy-rc.d
fi
nginx_bin=$(command -v nginx || echo /usr/sbin/nginx)

ulimit -n 65536 2>/dev/null || true
work=$(mktemp -d)
chmod 755 "$work"
server_pid=""
nginx_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

wait_port() {
  for _ in $(seq 100); do
    curl -s -o /dev/null "http://127.0.0.1:$1/" && return 0
    sleep 0.1
  done
  echo "wrk.sh: nothing answers on 127.0.0.1:$1" >&2
  exit 1
}

"$server_bin" --listen "127.0.0.1:$server_port" --db "$work/bench.db" \
  --room-capacity $((games + 10)) --max-games $((games * 2 + 10)) 2>"$work/server.log" &
server_pid=$!
wait_port "$server_port"

# The static twin of the server's empty-mailbox reply, byte for byte the same size.
mkdir -p "$work/www" "$work/nginx"
curl -s "http://127.0.0.1:$server_port/Tessarine/getdata.mv?s1" >"$work/www/getdata.txt"
cat >"$work/nginx/nginx.conf" <<EOF
worker_processes auto;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log warn;
daemon off;
events { worker_connections 4096; }
http {
  access_log off;
  keepalive_requests 1000000;
  client_body_temp_path $work/nginx;
  proxy_temp_path $work/nginx;
  fastcgi_temp_path $work/nginx;
  uwsgi_temp_path $work/nginx;
  scgi_temp_path $work/nginx;
  types { text/plain txt; }
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/www;
  }
}
EOF
"$nginx_bin" -p "$work/nginx" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
wait_port "$nginx_port"

# Joined games 1..$games for the pairs run (a fresh database numbers them from 1).
urls=()
for i in $(seq "$games"); do urls+=("http://127.0.0.1:$server_port/Tessarine/joinwait.mv?h$i+Host$i+Here+0+0+NO+none+900"); done
printf 'url = "%s"\noutput = /dev/null\n' "${urls[@]}" | curl -s -K - >/dev/null
urls=()
for i in $(seq "$games"); do urls+=("http://127.0.0.1:$server_port/Tessarine/joingame.mv?$i+j$i+"); done
printf 'url = "%s"\noutput = /dev/null\n' "${urls[@]}" | curl -s -K - >/dev/null

cat >"$work/poll.lua" <<EOF
-- Each request polls one side of a joined game whose mailbox holds nothing.
local games = $games
local n = 0
request = function()
  n = n + 1
  local side = (n % 2 == 0) and "s" or "c"
  return wrk.format("GET", "/Tessarine/getdata.mv?" .. side .. (math.floor(n / 2) % games + 1))
end
EOF
cat >"$work/pairs.lua" <<EOF
-- Pairs: a move posted into a random game's mailbox, then that mailbox fetched.
local games = $games
local n = 0
local key = "s1"
request = function()
  n = n + 1
  if n % 2 == 1 then
    key = ((n % 4 == 1) and "s" or "c") .. math.random(1, games)
    return wrk.format("GET", "/Tessarine/postdata.mv?" .. key .. "+MOVE+e35")
  end
  return wrk.format("GET", "/Tessarine/getdata.mv?" .. key)
end
EOF
cat >"$work/static.lua" <<'EOF'
request = function() return wrk.format("GET", "/getdata.txt") end
EOF

run() { # name port script
  local out="$work/$1.out"
  wrk -t"$threads" -c"$connections" -d"$duration" --latency -s "$3" "http://127.0.0.1:$2" >"$out" 2>&1 || true
  local rps p99 errors
  rps=$(awk '/Requests\/sec/ {print $2}' "$out")
  p99=$(awk '$1 == "99%" {print $2}' "$out")
  errors=$(awk '/Non-2xx|Socket errors/ {sub(/^ +/, ""); printf "%s; ", $0}' "$out")
  printf '| %-34s | %12s | %10s | %s\n' "$1" "${rps:-?}" "${p99:-?}" "${errors:-none}"
}

echo
echo "wrk, $connections connections, $threads threads, $duration each, all on 127.0.0.1 ($(nproc) cores)"
printf '| %-34s | %12s | %10s | %s\n' "run" "requests/s" "p99" "errors"
printf '|%s|%s|%s|%s\n' "------------------------------------" "--------------" "------------" "-------"
run "tessarine-server getdata (empty)" "$server_port" "$work/poll.lua"
run "nginx static file, same size" "$nginx_port" "$work/static.lua"
run "tessarine-server postdata+getdata" "$server_port" "$work/pairs.lua"
echo
refused=$(awk '/ refused / {n++} / more refused requests not listed/ {n += $3} END {print n + 0}' "$work/server.log")
echo "requests the server refused during all runs (a full mailbox, for instance): $refused"
