#!/usr/bin/env python3
"""The peer a scripting user would reach for: Python's email package doing
what qbx remove and qbx save do.

python_operations_peer.py remove DIR    drop every attachment of each .eml, write it back
python_operations_peer.py save FILE OUT decode the first attachment of FILE into OUT
Prints bytes, seconds and processor seconds.
"""
import email
import email.policy
import os
import sys
import time


def remove(directory):
    paths = sorted(os.path.join(directory, n) for n in os.listdir(directory) if n.endswith(".eml"))
    sources = [open(p, "rb").read() for p in paths]
    total = sum(len(s) for s in sources)
    started = time.perf_counter()
    cpu_started = time.process_time()
    for path, source in zip(paths, sources):
        message = email.message_from_bytes(source, policy=email.policy.compat32)
        if message.is_multipart():
            message.set_payload([p for p in message.get_payload() if p.get_filename() is None])
        with open(path + ".out", "wb") as out:
            out.write(message.as_bytes())
    print("bytes=%d seconds=%.3f cpu-seconds=%.3f" % (total, time.perf_counter() - started,
                                                        time.process_time() - cpu_started))


def save(path, out_path):
    started = time.perf_counter()
    cpu_started = time.process_time()
    source = open(path, "rb").read()
    message = email.message_from_bytes(source, policy=email.policy.compat32)
    for part in message.walk():
        if part.get_filename() is not None:
            with open(out_path, "wb") as out:
                out.write(part.get_payload(decode=True))
            break
    print("bytes=%d seconds=%.3f cpu-seconds=%.3f" % (len(source), time.perf_counter() - started,
                                                        time.process_time() - cpu_started))


if __name__ == "__main__":
    if sys.argv[1] == "remove":
        remove(sys.argv[2])
    else:
        save(sys.argv[2], sys.argv[3])
