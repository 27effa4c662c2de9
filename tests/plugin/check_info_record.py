#!/usr/bin/env python3
"""The information record as the host read it after TSC_OnPlugInInfo: name,
vendor, version and description, each with its terminator, at offsets 0, 80,
160 and 240, and no other byte written. The host fills the record with 0xFF
before the call.

  check_info_record.py RECORD-FILE NAME VENDOR VERSION DESCRIPTION

The texts are bytes of the local code page, as the plug-in writes them.
"""
import os
import sys

FIELDS = ((0, 80), (80, 80), (160, 80), (240, 224))  # offset, what may be written
UNWRITTEN = 0xFF


def main(argv):
    if len(argv) != 6:
        print(__doc__, file=sys.stderr)
        return 2
    record = open(argv[1], "rb").read()
    texts = [os.fsencode(a) for a in argv[2:]]
    # The host's description field is larger than what the plug-in may write,
    # so that a text running past its limit would show.
    if len(record) <= 240 + 224:
        print(f"record of {len(record)} bytes: no room to see an overlong description")
        return 1
    expected = bytearray([UNWRITTEN]) * len(record)
    for (offset, limit), text in zip(FIELDS, texts):
        field = text + b"\0"
        if len(field) > limit:
            print(f"expected text at {offset} does not fit its {limit} bytes: {text!r}")
            return 1
        expected[offset:offset + len(field)] = field
    if record == bytes(expected):
        print(f"record ok: {len(record)} bytes, fields at 0, 80, 160, 240")
        return 0
    for at, (got, want) in enumerate(zip(record, expected)):
        if got != want:
            field = max(o for o, _ in FIELDS if o <= at)
            print(f"first difference at byte {at} (field at {field}): "
                  f"got {record[at:at + 16].hex(' ')}, expected {expected[at:at + 16].hex(' ')}")
            break
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
