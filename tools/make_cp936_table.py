#!/usr/bin/env python3
"""Writes resources/codepage/cp936_decode.bin, the code page 936 decoding table.

The table is read from ICU's windows-936-2000 converter (uconv, Debian package
icu-devtools), which follows Microsoft's table byte for byte: GBK, the euro sign
at 0x80, 0xFF as U+F8F5 and the user-defined areas in the private use area.
The program never runs uconv; it carries this file instead.

Layout, little-endian 16-bit values:
  256 entries        one per single byte; 0xFFFF marks a lead byte
  126 * 191 entries  lead 0x81..0xFE by trail 0x40..0xFE; 0xFFFF marks no character
"""
import os
import struct
import subprocess
import sys

NONE = 0xFFFF
LEADS = range(0x81, 0xFF)
TRAILS = range(0x40, 0xFF)


def decode(sequences):
    """Decodes each byte sequence on its own; None where uconv substitutes."""
    # A newline after each sequence cannot be a trail byte, so every sequence is
    # decoded from a clean state and the results split on it.
    data = b"".join(s + b"\n" for s in sequences)
    out = subprocess.run(
        ["uconv", "--callback", "substitute", "-f", "windows-936-2000", "-t", "UTF-16LE"],
        input=data, capture_output=True, check=True).stdout
    units = struct.unpack("<%dH" % (len(out) // 2), out)
    results, current = [], []
    for u in units:
        if u == 0x0A:
            results.append(current)
            current = []
        else:
            current.append(u)
    if len(results) != len(sequences):
        sys.exit("uconv answered %d results for %d sequences" % (len(results), len(sequences)))
    return [r[0] if len(r) == 1 and r[0] != 0xFFFD else None for r in results]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    singles = decode([bytes([b]) for b in range(256) if b != 0x0A])
    singles.insert(0x0A, 0x0A)
    pairs = decode([bytes([lead, trail]) for lead in LEADS for trail in TRAILS])

    table = [NONE if u is None else u for u in singles + pairs]
    lead_count = sum(1 for u in singles if u is None)
    if lead_count != len(LEADS) or any(singles[b] is None for b in (0x80, 0xFF)):
        sys.exit("unexpected single-byte layout from uconv")

    path = os.path.join(root, "resources", "codepage", "cp936_decode.bin")
    with open(path, "wb") as f:
        f.write(struct.pack("<%dH" % len(table), *table))
    mapped = sum(1 for u in pairs if u is not None)
    print("%s: %d two-byte characters" % (path, mapped))


if __name__ == "__main__":
    main()
