#!/usr/bin/env python3
"""The program writes no file: run it, and a random tour of every kind of
screen, under strace and fail on any file opened for writing, created,
renamed or deleted outside /dev and /proc.

usage: writes_nothing.py <program> <tour executable> [tour steps]
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile

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


def main():
    program, tour = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    steps = sys.argv[3] if len(sys.argv) > 3 else "300"
    if not shutil.which("strace"):
        print("strace is not installed (scripts/setup installs it)")
        return 1
    home = tempfile.mkdtemp(prefix="yelvanis-writes-")
    try:
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        # The sound server's folder, which it makes when the session starts.
        os.mkdir(os.path.join(runtime, "pulse"), 0o700)
        cwd = os.path.join(home, "cwd")
        os.mkdir(cwd)
        env = {k: v for k, v in os.environ.items() if not k.startswith("XDG_")}
        # A desktop session's user: an empty home, and the runtime folder
        # that the session manager makes.
        env.update(HOME=home, XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="offscreen")
        # A sanitizer build: the leak checker cannot run under a tracer.
        env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))

        tour_command = [tour, steps, "20261210"]
        # A first run outside the trace: GStreamer writes its plug-in registry
        # when the user has none yet (or the plug-ins changed), and only its
        # place can be chosen, not whether it is written. It must be the only
        # file that run leaves behind.
        subprocess.run(tour_command, env=env, cwd=cwd, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=240, check=False)
        left = []
        for root, dirs, files in os.walk(home):
            if root == home:
                dirs.remove("cwd")
            for name in files + [d for d in dirs if not os.listdir(os.path.join(root, d))]:
                path = os.path.join(root, name)
                if not re.search(r"/\.cache/gstreamer-1\.0/registry\.[^/]+\.bin$", path) and path != os.path.join(runtime, "pulse"):
                    left.append(path)
        failures = ["left by the first run: " + p for p in left]

        runs = [("the program, main screen and its movie", [program], 6),
                ("a random tour of the screens", tour_command, None)]
        for name, command, seconds in runs:
            trace = os.path.join(home, "trace.txt")
            rc, err = traced(command, env, cwd, trace, seconds)
            if seconds is None and rc != 0:
                failures.append(f"{name}: exit status {rc}\n{err[-2000:]}")
            found = violations(trace, cwd)
            failures += [f"{name}: {v}" for v in found]
            print(f"{name}: {len(found)} writes")
            os.unlink(trace)
        for f in failures:
            print("WRITES:", f)
        return 1 if failures else 0
    finally:
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
