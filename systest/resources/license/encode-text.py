#!/usr/bin/env python3
"""Writes a UTF-8 text file with CR LF line ends in the encoding it ships in.

    encode-text.py <source> <destination> utf-8-bom|utf-16le-bom
"""
import sys

ENCODINGS = {"utf-8-bom": "utf-8-sig", "utf-16le-bom": "utf-16"}


def main() -> None:
    source, destination, encoding = sys.argv[1:4]
    with open(source, encoding="utf-8") as file:
        text = file.read().replace("\r\n", "\n").replace("\n", "\r\n")
    # Python's "utf-16" writes a byte order mark in the machine's order, which
    # is little-endian on every machine we build on; say so explicitly.
    if encoding == "utf-16le-bom":
        data = "\ufeff".encode("utf-16-le") + text.encode("utf-16-le")
    else:
        data = text.encode(ENCODINGS[encoding])
    with open(destination, "wb") as file:
        file.write(data)


if __name__ == "__main__":
    main()
