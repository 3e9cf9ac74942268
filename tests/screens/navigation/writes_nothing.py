#!/usr/bin/env python3
"""The program writes no file: run it, and a random tour of every kind of
screen, under strace and fail on any file opened for writing, created,
renamed or deleted outside /dev and /proc.

usage: writes_nothing.py <program> <tour executable> <march server address>
                         <marches folder> [tour steps]

The marches are served on the march server's address while the tour runs, so
the march players it opens stream and play them.
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.parse

CALLS = ("open,openat,openat2,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,rmdir,"
         "link,linkat,symlink,symlinkat,truncate,mknod,mknodat")
WRITE_FLAGS = re.compile(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|O_APPEND")
PATH = re.compile(r'"((?:[^"\\]|\\.)*)"')
CALL = re.compile(r"^\d+\s+(\w+)\((.*)$")


def violations(trace, cwd):
    found = []
    with open(trace, errors="replace") as f:
        for line in f:
            m = CALL.match(line)
            if not m:
                continue
            call, rest = m.groups()
            if call in ("open", "openat", "openat2") and not WRITE_FLAGS.search(rest):
                continue
            # Making sure that a folder exists creates nothing when it does.
            if call in ("mkdir", "mkdirat") and rest.rstrip().endswith("EEXIST (File exists)"):
                continue
            for path in PATH.findall(rest):
                full = path if path.startswith("/") else os.path.join(cwd, path)
                if full.startswith(("/dev/", "/proc/")):
                    continue
                found.append(f"{call}: {full}    [{line.strip()}]")
                break
    return found


def children(pid):
    found = []
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/children") as f:
                found += [int(c) for c in f.read().split()]
        except OSError:
            pass
    return found


def traced(command, env, cwd, trace, seconds=None):
    args = ["strace", "-f", "-qq", "-e", "trace=" + CALLS, "-o", trace] + command
    p = subprocess.Popen(args, env=env, cwd=cwd, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        _, err = p.communicate(timeout=seconds if seconds else 240)
    except subprocess.TimeoutExpired:
        # The program has no way to end from outside but its window's close:
        # a terminating signal to it (not to strace) stands in after the time.
        for child in children(p.pid):
            os.kill(child, signal.SIGTERM)
        _, err = p.communicate(timeout=30)
    return p.returncode, err.decode(errors="replace")


def serve_marches(address, folder, log):
    """A static server on the march server's address, unless one answers there already."""
    url = urllib.parse.urlsplit(address)
    probe = socket.socket()
    probe.settimeout(0.3)
    taken = probe.connect_ex((url.hostname, url.port)) == 0
    probe.close()
    if taken:
        return None
    server = subprocess.Popen([sys.executable, "-m", "http.server", str(url.port), "--bind", url.hostname,
                               "--directory", folder], stdout=subprocess.DEVNULL, stderr=log)
    for _ in range(50):
        with socket.socket() as s:
            if s.connect_ex((url.hostname, url.port)) == 0:
                break
        time.sleep(0.1)
    return server


def left_behind(home, keep):
    """Files and empty folders under home, but for the ones made before the run."""
    left = []
    for root, dirs, files in os.walk(home):
        for name in files + [d for d in dirs if not os.listdir(os.path.join(root, d))]:
            path = os.path.join(root, name)
            if path not in keep:
                left.append(path)
    return left


def main():
    program, tour = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    address, marches = sys.argv[3], os.path.abspath(sys.argv[4])
    steps = sys.argv[5] if len(sys.argv) > 5 else "300"
    if not shutil.which("strace"):
        print("strace is not installed (scripts/setup installs it)")
        return 1
    home = tempfile.mkdtemp(prefix="yelvanis-writes-")
    server = None
    try:
        # A desktop session's user with an empty home and cache, and the
        # runtime folder that the session manager makes, with the sound
        # server's folder in it (which the server makes when the session starts).
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        os.mkdir(os.path.join(runtime, "pulse"), 0o700)
        cwd = os.path.join(home, "cwd")
        os.mkdir(cwd)
        keep = {cwd, os.path.join(runtime, "pulse")}
        env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="offscreen")
        # A sanitizer build: the leak checker cannot run under a tracer.
        env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))

        server_log = os.path.join(tempfile.gettempdir(), f"yelvanis-marches-{os.getpid()}.log")
        with open(server_log, "w") as log:
            server = serve_marches(address, marches, log)

        failures = []
        runs = [("the program, main screen and its movie", [program], 6),
                ("a random tour of the screens", [tour, steps, "20261210"], None)]
        for name, command, seconds in runs:
            trace = os.path.join(tempfile.gettempdir(), f"yelvanis-trace-{os.getpid()}.txt")
            rc, err = traced(command, env, cwd, trace, seconds)
            if seconds is None and rc != 0:
                failures.append(f"{name}: exit status {rc}\n{err[-2000:]}")
            found = violations(trace, cwd)
            failures += [f"{name}: {v}" for v in found]
            print(f"{name}: {len(found)} writes")
            os.unlink(trace)
        failures += ["left behind: " + p for p in left_behind(home, keep)]
        if server:
            with open(server_log) as log:
                played = sum(1 for line in log if "GET /muzik/mehter/" in line)
            print(f"marches requested from the local server: {played}")
            if played == 0:
                failures.append("the tour played no march: the check did not cover the players")
        for f in failures:
            print("WRITES:", f)
        return 1 if failures else 0
    finally:
        if server:
            server.terminate()
            server.wait(timeout=10)
            os.unlink(server_log)
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
