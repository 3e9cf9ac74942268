#!/bin/bash
# The local march server of scripts/run, serving a folder that only its owner
# may enter (as a checkout in /root or in a 0700 home is): a march and a range
# of it must arrive, and stop must end the server.
# usage: check-march-server.sh SOURCE_DIR
set -euo pipefail
src=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/yelvanis-server.XXXXXX")
chmod 700 "$work"
state="$work/state"
cleanup() {
  "$src/scripts/march-server" stop "$state" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$state/error.log" ] && cat "$state/error.log" >&2; exit 1; }

mkdir -p "$work/private/muzik/mehter"
cp "$src/marches/muzik/mehter/05.asf" "$work/private/muzik/mehter/"
chmod -R go-rwx "$work/private"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

"$src/scripts/march-server" start "$work/private" "$port" "$state" || fail "the server does not start"
url="http://127.0.0.1:$port/muzik/mehter/05.asf"
code=$(curl -s -o "$work/whole" -w '%{http_code}' "$url")
[ "$code" = 200 ] || fail "a march answers $code"
cmp -s "$work/whole" "$work/private/muzik/mehter/05.asf" || fail "the march arrives changed"
code=$(curl -s -o /dev/null -w '%{http_code}' -r 100-199 "$url")
[ "$code" = 206 ] || fail "a range answers $code"

pid=$(cat "$state/nginx.pid")
"$src/scripts/march-server" stop "$state"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
! kill -0 "$pid" 2>/dev/null || fail "the server is still running after stop"
echo "local march server checked on port $port"
