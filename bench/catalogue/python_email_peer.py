#!/usr/bin/env python3
"""The peer a scripting user would reach for: Python's email package lists
the attachments of the same mail files. Prints bytes, seconds and MB/s.

python_email_peer.py FILE...   (or a directory of .eml files)
"""
import email
import email.policy
import os
import sys
import time


def mail_files(arguments):
    for argument in arguments:
        if os.path.isdir(argument):
            for name in sorted(os.listdir(argument)):
                if name.endswith(".eml"):
                    yield os.path.join(argument, name)
        else:
            yield argument


def main():
    sources = [open(path, "rb").read() for path in mail_files(sys.argv[1:])]
    total = sum(len(s) for s in sources)
    started = time.perf_counter()
    cpu_started = time.process_time()
    attachments = 0
    for source in sources:
        message = email.message_from_bytes(source, policy=email.policy.compat32)
        for part in message.walk():
            if part.get_filename() is not None:
                attachments += 1
    seconds = time.perf_counter() - started
    cpu_seconds = time.process_time() - cpu_started
    print("python-email bytes=%d seconds=%.3f cpu-seconds=%.3f MB/s=%.1f cpu-MB/s=%.1f attachments=%d"
          % (total, seconds, cpu_seconds, total / seconds / 1e6, total / cpu_seconds / 1e6, attachments))


if __name__ == "__main__":
    main()
