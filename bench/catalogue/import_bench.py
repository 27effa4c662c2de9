#!/usr/bin/env python3
"""qbx import of the benchmark mails into a new folder, a thousand at a
time, timed as a whole and by thousands: an import that slows down as the
folder grows shows in the last thousand against the first.

import_bench.py QBX FOLDER-DIR EML-DIR"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from measured_run import measured  # noqa: E402

BATCH = 1000


def main():
    qbx, folder, eml = sys.argv[1:4]
    files = sorted(os.path.join(eml, n) for n in os.listdir(eml) if n.endswith(".eml"))
    size = sum(os.path.getsize(f) for f in files)
    os.sync()  # what earlier steps wrote is not the import's to wait for
    runs = [measured([qbx, "import", folder] + files[i:i + BATCH]) for i in range(0, len(files), BATCH)]
    wall = sum(r.wall for r in runs)
    cpu = sum(r.cpu for r in runs)
    count = len(files)
    first, last = runs[0], runs[-1]
    last_count = count - BATCH * (len(runs) - 1)
    print("import %d mails (%.0f MB): %.1f s, %.2f ms a mail (processor time %.2f ms a mail)"
          % (count, size / 1e6, wall, wall / count * 1e3, cpu / count * 1e3))
    print("import by thousands: first %.2f ms a mail (processor %.2f), last %.2f (processor %.2f); "
          "last / first = %.2f, processor %.2f (1 is linear)"
          % (first.wall / BATCH * 1e3, first.cpu / BATCH * 1e3, last.wall / last_count * 1e3,
             last.cpu / last_count * 1e3, (last.wall / last_count) / (first.wall / BATCH),
             (last.cpu / last_count) / (first.cpu / BATCH)))


if __name__ == "__main__":
    main()
