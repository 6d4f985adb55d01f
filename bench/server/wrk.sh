#!/usr/bin/env bash
# Load test of tessarine-server on loopback, side by side with nginx serving a static file of the
# same size as the server's "nothing waiting" reply. Not run by CI.
#
#   bash bench/server/wrk.sh [build-folder]       (default: build)
#   DURATION=15s CONNECTION_COUNTS="1000 10000" ROUNDS=3 THREADS=8 GAMES=1000 bash bench/server/wrk.sh
#
# At each connection count the server (getdata polls on empty mailboxes) and nginx (the static
# file) take turns, $ROUNDS runs each, so a noisy moment hits both alike; the table shows the median
# of each side's runs: requests per second and 99th-percentile latency, and how the server compares.
# One run of postdata+getdata pairs follows at each count (each request a move into a random game's
# mailbox, then that mailbox fetched). Everything listens on 127.0.0.1 only.
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build}
duration=${DURATION:-15s}
connection_counts=${CONNECTION_COUNTS:-1000 10000}
rounds=${ROUNDS:-3}
threads=${THREADS:-$(nproc)}
games=${GAMES:-1000}
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

# Every connection is a descriptor in wrk and one in the server or nginx (each its own process).
most=0
for c in $connection_counts; do [ "$c" -gt "$most" ] && most=$c; done
need_files=$((most + 1024))
ulimit -n 65536 2>/dev/null || ulimit -n "$need_files" 2>/dev/null || true
if [ "$(ulimit -n)" != unlimited ] && [ "$(ulimit -n)" -lt "$need_files" ]; then
  echo "wrk.sh: cannot raise the open-file limit to $need_files (it is $(ulimit -n)); $most connections would fail." >&2
  echo "wrk.sh: raise the hard limit (ulimit -Hn, /etc/security/limits.conf) or lower CONNECTION_COUNTS." >&2
  exit 1
fi
work=$(mktemp -d)
chmod 755 "$work"
server_pid=""
nginx_pid=""
declare -A medians pairs
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
worker_rlimit_nofile $need_files;
events { worker_connections $need_files; }
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

# One wrk run; prints "requests/s p99-in-ms errors".
measure() { # connections port script
  local out="$work/run.out"
  wrk -t"$threads" -c"$1" -d"$duration" --latency -s "$3" "http://127.0.0.1:$2" >"$out" 2>&1 || true
  awk '
    /Requests\/sec/ { rps = $2 }
    $1 == "99%" { v = $2; ms = v + 0
                  if (v ~ /us$/) ms /= 1000; else if (v ~ /ms$/) ms += 0; else if (v ~ /s$/) ms *= 1000
                  p99 = ms }
    /Non-2xx|Socket errors/ { sub(/^ +/, ""); errors = errors $0 "; " }
    END { printf "%s %s %s\n", (rps == "" ? "0" : rps), (p99 == "" ? "0" : p99), (errors == "" ? "none" : errors) }
  ' "$out"
}

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo
echo "wrk, $threads threads, $duration each, $rounds runs of each side per connection count, all on 127.0.0.1 ($(nproc) cores)"
for connections in $connection_counts; do
  server_rps=(); server_p99=(); nginx_rps=(); nginx_p99=()
  for round in $(seq "$rounds"); do
    read -r rps p99 errors < <(measure "$connections" "$server_port" "$work/poll.lua")
    server_rps+=("$rps"); server_p99+=("$p99")
    echo "  $connections connections, run $round: tessarine-server getdata $rps requests/s, p99 $p99 ms, errors: $errors"
    read -r rps p99 errors < <(measure "$connections" "$nginx_port" "$work/static.lua")
    nginx_rps+=("$rps"); nginx_p99+=("$p99")
    echo "  $connections connections, run $round: nginx static file       $rps requests/s, p99 $p99 ms, errors: $errors"
  done
  read -r rps p99 errors < <(measure "$connections" "$server_port" "$work/pairs.lua")
  pairs[$connections]="$rps requests/s, p99 $p99 ms, errors: $errors"
  medians[$connections]="$(median "${server_rps[@]}") $(median "${nginx_rps[@]}") $(median "${server_p99[@]}") $(median "${nginx_p99[@]}")"
done

echo
echo "Medians of $rounds runs (goal: server p99 at most 1.5 x nginx's, server requests/s at least nginx's)"
printf '| %11s | %14s | %14s | %10s | %10s | %12s | %14s |\n' connections "server req/s" "nginx req/s" "server p99" "nginx p99" "p99 / nginx" "req/s / nginx"
printf '|%s|%s|%s|%s|%s|%s|%s|\n' -------------  ----------------  ----------------  ------------  ------------  --------------  ----------------
for connections in $connection_counts; do
  read -r srps nrps sp99 np99 <<<"${medians[$connections]}"
  awk -v c="$connections" -v sr="$srps" -v nr="$nrps" -v sp="$sp99" -v np="$np99" 'BEGIN {
    printf "| %11d | %14.0f | %14.0f | %7.2f ms | %7.2f ms | %12.2f | %14.2f |\n", c, sr, nr, sp, np, (np > 0 ? sp / np : 0), (nr > 0 ? sr / nr : 0) }'
done
echo
for connections in $connection_counts; do echo "tessarine-server postdata+getdata pairs at $connections connections: ${pairs[$connections]}"; done
refused=$(awk '/ refused / {n++} / more refused requests not listed/ {n += $3} END {print n + 0}' "$work/server.log")
echo "requests the server refused during all runs (a full mailbox, for instance): $refused"
