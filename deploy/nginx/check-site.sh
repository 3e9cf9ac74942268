#!/bin/bash
# Serves the repository's marches/ with the deployment's nginx site on a
# loopback port and checks what the players and the package's metadata ask.
# usage: check-site.sh SOURCE_DIR
set -euo pipefail
# nginx lives in /usr/sbin, which an ordinary user's PATH leaves out.
PATH="$PATH:/usr/sbin:/sbin"
src=$1
site="$src/deploy/nginx/yelvanis-marches.conf"
work=$(mktemp -d "${TMPDIR:-/tmp}/yelvanis-site.XXXXXX")
# nginx's workers may run as another user: they read the screenshot here.
chmod 755 "$work"
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [ -f "$work/error.log" ] && cat "$work/error.log" >&2; exit 1; }

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
mkdir -p "$work/tmp" "$work/log" "$work/screenshots"
printf 'PNG stand-in\n' >"$work/screenshots/giris.png"
chmod 644 "$work/screenshots/giris.png"
# The site as it stands, moved to a loopback port and to this folder.
sed -e "s#listen 80;#listen 127.0.0.1:$port;#" -e '/listen \[::\]:80;/d' \
    -e "s#/srv/yelvanis/marches#$src/marches#" -e "s#/srv/yelvanis/screenshots#$work/screenshots#" \
    -e "s#/var/log/nginx#$work/log#" "$site" >"$work/site.conf"
grep -q "127.0.0.1:$port" "$work/site.conf" || fail "the site has no 'listen 80;' to move"
cat >"$work/nginx.conf" <<CONF
$("$src/scripts/march-server" user "$src/marches")
worker_processes 1;
daemon off;
pid $work/nginx.pid;
error_log $work/error.log warn;
events { worker_connections 16; }
http {
    client_body_temp_path $work/tmp/body;
    proxy_temp_path $work/tmp/proxy;
    fastcgi_temp_path $work/tmp/fastcgi;
    uwsgi_temp_path $work/tmp/uwsgi;
    scgi_temp_path $work/tmp/scgi;
    include /etc/nginx/mime.types;
    include $work/site.conf;
}
CONF
nginx -t -q -c "$work/nginx.conf" -p "$work" 2>"$work/test.log" || { cat "$work/test.log"; fail "nginx refuses the site"; }
nginx -c "$work/nginx.conf" -p "$work" 2>>"$work/error.log" &
pid=$!
for _ in $(seq 50); do
  curl -s -o /dev/null "http://127.0.0.1:$port/" && break
  sleep 0.1
done

base="http://127.0.0.1:$port"
status() { curl -s -o /dev/null -w '%{http_code}' "$@"; }

# Every march, whole, as ASF.
for n in $(seq -w 1 17); do
  file="$src/marches/muzik/mehter/$n.asf"
  [ -f "$file" ] || fail "no $file"
  head=$(curl -s -D - -o "$work/got" "$base/muzik/mehter/$n.asf")
  grep -q '^HTTP/1.1 200' <<<"$head" || fail "$n.asf: $head"
  grep -qi '^Content-Type: video/x-ms-asf' <<<"$head" || fail "$n.asf is not served as ASF: $head"
  cmp -s "$file" "$work/got" || fail "$n.asf arrives changed"
done

# A range: 206 with its bytes, and the server says it takes ranges.
file="$src/marches/muzik/mehter/07.asf"
size=$(stat -c %s "$file")
head=$(curl -s -D - -o "$work/part" -r 1000-1999 "$base/muzik/mehter/07.asf")
grep -q '^HTTP/1.1 206' <<<"$head" || fail "no partial answer to a range: $head"
grep -qi "^Content-Range: bytes 1000-1999/$size" <<<"$head" || fail "wrong Content-Range: $head"
grep -qi '^Accept-Ranges: bytes' <<<"$head" || fail "no Accept-Ranges: $head"
cmp -s <(tail -c +1001 "$file" | head -c 1000) "$work/part" || fail "the range holds other bytes"
# Resuming at the end, and a range past it.
[ "$(status -r "$((size - 10))"- "$base/muzik/mehter/07.asf")" = 206 ] || fail "no resume near the end"
[ "$(status -r "$((size + 10))"- "$base/muzik/mehter/07.asf")" = 416 ] || fail "a range past the end is not refused"

# The screenshot the package's metadata names.
[ "$(status "$base/ekran/giris.png")" = 200 ] || fail "no screenshot at /ekran/giris.png"

# Nothing else: no listing, no other file of the folder or of the repository.
for path in / /muzik/ /muzik/mehter/ /muzik/mehter/18.asf /muzik/mehter/1.asf /muzik/mehter/01.asf.bak \
            /README.md /muzik/mehter/../../README.md /ekran/ /ekran/other.png; do
  code=$(status --path-as-is "$base$path")
  [ "$code" = 404 ] || [ "$code" = 400 ] || fail "$path answers $code"
done
echo "march site checked on port $port"
