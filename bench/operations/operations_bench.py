#!/usr/bin/env python3
"""Removal and saving through qbx, next to Python's email package doing the
same work in the same run; printed as rates and ratios.

- Removal of every attachment of a 1,000-mail folder (63 MB). Every mail the
  store writes is flushed to disk before it replaces the old one, twice a
  mail (the new source, then the header naming what was removed); the same
  removal is run once more with the flushes turned off, and the disk alone is
  timed storing as many files of the same size: no program can remove faster
  than that allows. Without the flushes the disk still has work: ext4 writes
  a file out when it is renamed over another, and frees the old one's blocks.
- Removal from the same 1,000 mails put into the 10,000-mail folder of the
  scan benchmark: the rate must not fall with the folder's size.
- Saving the 100 MB attachment of one mail.

Wall time is what the user waits; processor time (user and system) is what
the program costs on a busy machine. qbx remove scans the folder first, so a
scan of the same folder is taken off.

operations_bench.py BUILD-DIR"""
import os
import shutil
import subprocess
import sys
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, ".."))
from measured_run import measured, python_peer  # noqa: E402

MB = 1e6


def rate(size, seconds):
    return size / max(seconds, 1e-6) / MB


def folder_bytes(directory):
    return sum(os.path.getsize(os.path.join(directory, n)) for n in os.listdir(directory) if n.endswith(".eml"))


class Bench:
    def __init__(self, build):
        self.build = os.path.abspath(build)
        self.qbx = os.path.join(self.build, "host", "qbx", "qbx")
        self.no_flush = os.path.join(self.build, "bench", "libno_disk_flush.so")
        if not os.path.exists(self.no_flush):
            sys.exit("bench: %s is missing; build the native tree first" % self.no_flush)
        self.data = os.path.join(self.build, "bench-data", "operations")
        self.work = os.path.join(self.data, "work")
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)

    def generated(self, name, command):
        """A folder of generated input, kept for later runs."""
        path = os.path.join(self.data, name)
        if not os.path.exists(os.path.join(path, ".complete")):
            shutil.rmtree(path, ignore_errors=True)
            os.makedirs(path)
            subprocess.run(command(path), check=True, stdout=subprocess.DEVNULL)
            open(os.path.join(path, ".complete"), "w").close()
        return path

    def removal(self, data_dir, folder, rows, env=None):
        """Wall and processor seconds of removing rows, the scan taken off
        (the quickest of three scans of the same folder)."""
        os.sync()  # what earlier steps wrote is not the removal's to wait for
        scans = [measured([self.qbx, "scan", data_dir, folder]) for _ in range(3)]
        remove = measured([self.qbx, "remove", data_dir, folder] + rows, env=env)
        return remove.wall - min(s.wall for s in scans), remove.cpu - min(s.cpu for s in scans)

    def import_into(self, folder_dir, eml):
        """Seconds a mail."""
        files = sorted(os.path.join(eml, n) for n in os.listdir(eml) if n.endswith(".eml"))
        return measured([self.qbx, "import", folder_dir] + files).wall / len(files)

    def rows_of(self, data_dir, folder, keys=None):
        """Grid rows (numbers) and the mails they belong to, of the mails with those keys."""
        rows = [line.split("\t")[:2] for line in measured([self.qbx, "rows", data_dir, folder]).output.splitlines()]
        return [(row, mail) for row, mail in rows if keys is None or int(mail.rsplit("?", 1)[1]) in keys]

    def run(self):
        eml = self.generated("eml", lambda p: [sys.executable, os.path.join(here, "..", "catalogue", "make_mails.py"),
                                               p, "1000", "60"])
        size = folder_bytes(eml)
        peer = python_peer([os.path.join(here, "python_operations_peer.py"), "remove", eml])
        peer_mbs = rate(peer["bytes"], peer["seconds"])
        print("python email, the same removal: %.1f MB/s (processor time %.1f MB/s)"
              % (peer_mbs, rate(peer["bytes"], peer["cpu-seconds"])))
        catalogue = os.path.join(self.build, "bench-data", "catalogue", "store")
        large = os.path.exists(os.path.join(catalogue, ".complete"))
        if not large:
            print("(the removal in a 10,000-mail folder needs bench/catalogue/run.sh first)")
        no_flush = {**os.environ, "LD_PRELOAD": self.no_flush}
        for label, env in (("", None), (" without the disk flushes", no_flush)):
            small = self.small_folder_removal(eml, env)
            wall, cpu = small["removal"]
            ours = rate(size, wall)
            if env is None:
                print("removal, 1,000 mails (%.0f MB, %d attachments; %d mails stored, one disk flush each): "
                      "qbx %.1f MB/s (processor time %.1f MB/s); python email %.1f MB/s; ratio %.2f "
                      "(aim 2, and 60 MB/s)" % (size / MB, small["rows"], 2 * small["mails"], ours, rate(size, cpu),
                                               peer_mbs, ours / peer_mbs))
                stores = 2 * small["mails"]
                each = self.flushed_store_seconds(size // small["mails"])
                print("the disk alone: a mail of %.0f KB written, flushed and renamed over the old one takes %.2f ms "
                      "here; %d such stores allow this removal at most %.1f MB/s"
                      % (size / small["mails"] / 1e3, each * 1e3, stores, rate(size, stores * each)))
            else:
                print("removal, 1,000 mails%s (the renames still write): qbx %.1f MB/s (processor time %.1f MB/s); "
                      "ratio %.2f" % (label, ours, rate(size, cpu), ours / peer_mbs))
            if large:
                wall, cpu, mails, import_time = self.large_folder_removal(catalogue, eml, env)
                print("removal, the same 1,000 mails in a %d-mail folder%s: qbx %.1f MB/s (processor time %.1f MB/s);"
                      " against the 1,000-mail folder %.2f (aim 1)"
                      % (mails, label, rate(size, wall), rate(size, cpu), rate(size, wall) / ours))
                if env is None:
                    print("import of those 1,000 mails: %.2f ms a mail into the %d-mail folder, %.2f into an empty "
                          "one" % (import_time * 1e3, mails - 1000, small["import"] * 1e3))
        self.save()

    def flushed_store_seconds(self, size, count=200):
        """Seconds one store of a mail costs this disk alone: a file of size
        bytes written, flushed and renamed over the last, as the store does."""
        directory = os.path.join(self.work, "disk")
        os.makedirs(directory, exist_ok=True)
        data = b"x" * size
        started = time.perf_counter()
        for i in range(count):
            path = os.path.join(directory, "%d.eml" % (i % 20))
            with open(path + ".new", "wb") as file:
                file.write(data)
                file.flush()
                os.fsync(file.fileno())
            os.replace(path + ".new", path)
        seconds = (time.perf_counter() - started) / count
        shutil.rmtree(directory, ignore_errors=True)
        return seconds

    def small_folder_removal(self, eml, env):
        data_dir = os.path.join(self.work, "small")
        shutil.rmtree(data_dir, ignore_errors=True)
        import_time = self.import_into(os.path.join(data_dir, "box", "inbox"), eml)
        rows = self.rows_of(data_dir, "box/inbox/")
        return {"removal": self.removal(data_dir, "box/inbox/", [row for row, _ in rows], env), "rows": len(rows),
                "mails": len({mail for _, mail in rows}), "import": import_time}

    def large_folder_removal(self, catalogue, eml, env):
        """The 1,000 mails added to a copy of the scan benchmark's folder, then
        their attachments removed: seconds, processor seconds, the folder's
        size in mails and the import's seconds a mail."""
        data_dir = os.path.join(self.work, "large")
        shutil.rmtree(data_dir, ignore_errors=True)
        # Times kept, so that the store finds its index as new as the mails.
        shutil.copytree(catalogue, data_dir, copy_function=shutil.copy2)
        folder_dir = os.path.join(data_dir, "mixed", "inbox")
        before = {int(n[:-4]) for n in os.listdir(folder_dir) if n.endswith(".eml")}
        import_time = self.import_into(folder_dir, eml)
        added = {int(n[:-4]) for n in os.listdir(folder_dir) if n.endswith(".eml")} - before
        rows = self.rows_of(data_dir, "mixed/inbox/", added)
        wall, cpu = self.removal(data_dir, "mixed/inbox/", [row for row, _ in rows], env)
        shutil.rmtree(data_dir, ignore_errors=True)
        return wall, cpu, len(before) + len(added), import_time

    def save(self):
        big = self.generated("big", lambda p: [sys.executable, os.path.join(here, "make_big_mail.py"),
                                               os.path.join(p, "big.eml"), "100"])
        big_eml = os.path.join(big, "big.eml")
        data_dir = os.path.join(self.work, "save")
        self.import_into(os.path.join(data_dir, "box", "big"), big)
        out = os.path.join(self.work, "big.out")
        run = measured([self.qbx, "save", data_dir, "box/big/", "1", out])
        with open(out, "rb") as a, open(big_eml + ".bin", "rb") as b:
            if a.read() != b.read():
                sys.exit("bench: the saved attachment differs from the original")
        size = os.path.getsize(big_eml)
        peer = python_peer([os.path.join(here, "python_operations_peer.py"), "save", big_eml,
                            os.path.join(self.work, "big.peer")])
        ours, peer_mbs = rate(size, run.wall), rate(size, peer["seconds"])
        print("python email, the same save: %.1f MB/s (processor time %.1f MB/s)"
              % (peer_mbs, rate(size, peer["cpu-seconds"])))
        encoded = os.path.getsize(big_eml + ".bin") * 4 / 3
        print("save of a 100 MB attachment (%.0f MB mail), scan included: qbx %.1f MB/s (processor time %.1f MB/s); "
              "python email %.1f MB/s; ratio %.2f (aim 10, and 300 MB/s); peak memory %.0f MB, %.1f times the "
              "encoded attachment (aim 2)"
              % (size / MB, ours, rate(size, run.cpu), peer_mbs, ours / peer_mbs, run.peak_bytes / MB,
                 run.peak_bytes / encoded))


def main():
    bench = Bench(sys.argv[1] if len(sys.argv) > 1 else "build/native")
    try:
        bench.run()
    finally:
        shutil.rmtree(bench.work, ignore_errors=True)


if __name__ == "__main__":
    main()
