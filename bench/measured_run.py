"""One run of a program, measured: wall time, processor time (user and
system, as the kernel counted them for that child) and peak memory."""
import os
import subprocess
import sys
import time
from dataclasses import dataclass


@dataclass
class Run:
    wall: float
    cpu: float
    peak_bytes: int
    output: str


def measured(args, env=None):
    started = time.perf_counter()
    process = subprocess.Popen([str(a) for a in args], stdout=subprocess.PIPE, env=env)
    output = process.stdout.read()
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - started
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("bench: %s failed (%d)" % (" ".join(str(a) for a in args[:3]), process.returncode))
    return Run(wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss * 1024, output.decode(errors="replace"))


def python_peer(args):
    """A peer script's own report: its key=value words as numbers."""
    run = measured([sys.executable] + list(args))
    return {k: float(v) for k, v in (w.split("=", 1) for w in run.output.split() if "=" in w)}
