#!/usr/bin/env python3
"""Prints the hex bytes of a 1326-byte setup information record for `wine reg add /t REG_BINARY`.

Usage: setup_record.py <install folder> <data folder> [size]
Both folders are Windows paths; the record asks for the custom data folder (not per user).
A size other than 1326 produces a record of that length (to test refusals)."""
import struct
import sys


def record(install, data, size=1326):
    body = bytearray(1326)
    struct.pack_into("<h", body, 0, 1)                 # record marker
    struct.pack_into("<hhhhh", body, 10, 5, 3, 0, 1, 0)  # version 5.3, current user, custom, shared
    body[20:20 + len(install)] = install.encode("latin-1")
    body[280:280 + len(data)] = data.encode("latin-1")
    return bytes(body[:size]) if size <= 1326 else bytes(body) + bytes(size - 1326)


if __name__ == "__main__":
    size = int(sys.argv[3]) if len(sys.argv) > 3 else 1326
    sys.stdout.write(record(sys.argv[1], sys.argv[2], size).hex().upper())
