#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes the KVK records built from the card layouts (no public examples of
these exist): short and two-byte-length templates, a handheld's stored record
with its additions, fixed-format records and a record with a broken checksum.
Run it in this folder; the output is checked in, so tests do not need Python."""

from functools import reduce


def din(text):
    """Text as card bytes: the German 7-bit set puts the umlauts on [ \\ ] { | } ~."""
    table = {"Ä": "[", "Ö": "\\", "Ü": "]", "ä": "{", "ö": "|", "ü": "}", "ß": "~"}
    return "".join(table.get(c, c) for c in text).encode("ascii")


def tlv(tag, value):
    return bytes([tag, len(value)]) + value


def xor(data):
    return reduce(lambda a, b: a ^ b, data, 0)


def template(objects, length_form):
    body = b"".join(tlv(tag, din(text)) for tag, text in objects)
    length = len(body) + 3  # the checksum object 8E 01 cs
    if length_form == "short":
        header = bytes([0x60, length])
    elif length_form == "81":
        header = bytes([0x60, 0x81, length])
    else:
        header = bytes([0x60, 0x82, length >> 8, length & 0xFF])
    partial = header + body + bytes([0x8E, 0x01])
    return partial + bytes([xor(partial)])


def handheld_additions(read_date, approval):
    partial = tlv(0x91, din(read_date)) + tlv(0x92, din(approval)) + bytes([0x93, 0x01])
    return partial + bytes([xor(partial)])


WIDTHS = [28, 7, 12, 5, 4, 3, 15, 28, 15, 28, 8, 28, 3, 7, 23, 4, 1, 8, 3, 1]
NUMBERS = {1, 2, 3, 4, 10, 15, 17, 18}


def fixed(values, approval_width=3):
    out = b""
    for index, value in enumerate(values):
        width = approval_width if index == 18 else WIDTHS[index]
        if isinstance(value, bytes):
            data = value
        else:
            data = din(value)
            data = data.rjust(width, b" ") if index in NUMBERS else data.ljust(width, b" ")
        assert len(data) == width, (index, value)
        out += data
    return out


def write(name, data):
    with open(name, "w", encoding="ascii") as f:
        f.write(data.hex().upper() + "\n")


SHORT = [
    (0x80, "AOK Nordost"), (0x81, "1234567"), (0x8F, "00020"), (0x82, "987654321098"),
    (0x83, "1000"), (0x90, "1"), (0x84, "Dr."), (0x85, "Erika"), (0x87, "Mustermann"),
    (0x88, "12081964"), (0x89, "Heidestr. 17"), (0x8A, "D"), (0x8B, "51147"),
    (0x8C, "Köln"), (0x8D, "1225"),
]

LONG = [
    (0x80, "Knappschaft Bahn See"), (0x81, "9876543"), (0x8F, "00040"), (0x82, "000123456789"),
    (0x83, "3000"), (0x90, "4"), (0x84, "Prof. Dr."), (0x85, "Hans-Jürgen Maximilian"),
    (0x86, "Freiherr von"), (0x87, "Größenwahn-Überlinger"), (0x88, "29021952"),
    (0x89, "Königsallee 100 a"), (0x8A, "D"), (0x8B, "40212"), (0x8C, "Düsseldorf"),
    (0x8D, "0327"),
]

APFEL = bytes.fromhex(open("k2-creek_TK_Apfel.hex").read().strip())

FIXED = [
    "AOK Berlin", "7000000", "123456789012", "   12", "1000", "1", "", "Max", "",
    "Müller", "01011970", "Hauptstraße 5", "D", "10115", "BERLIN", "1226", bytes([0x00]),
]

if __name__ == "__main__":
    write("kvk_template_60.hex", template(SHORT, "short"))
    write("kvk_template_6082.hex", template(LONG, "82"))
    write("kvk_handheld_tk_apfel_109.hex", APFEL + handheld_additions("15032024", "109"))
    broken = bytearray(APFEL)
    broken[-1] ^= 0x01
    write("kvk_tk_apfel_broken_checksum.hex", bytes(broken))
    write("kvk_fixed_438.hex", fixed(FIXED))
    write("kvk_fixed_462.hex", fixed(FIXED + ["15032024", "109", bytes([0x5A])]))
    write("kvk_fixed_510.hex", fixed(FIXED + ["15032024", "ZAV-QMT3-ZULASSUNG-0000-103", bytes([0x5A])], 27))
