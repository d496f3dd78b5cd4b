#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Writes the eGK file images derived from the real card images (see
SOURCES.md): other GVD locations, documents at and past the length limits,
documents that are not gzip, inflate too far or name an unknown encoding, and
the status and extended data a handheld stores with an eGK record. Run it in
this folder; the output is checked in, so tests do not need Python."""

import gzip
from functools import reduce

BASE = "EGKG2_80276883110000017222"
CARDS = "../../cards/"


def image(name, folder=CARDS):
    with open(folder + name, encoding="ascii") as f:
        return bytes.fromhex("".join(f.read().split()))


def write(name, data):
    with open(name, "w", encoding="ascii") as f:
        f.write(data.hex().upper() + "\n")


def u16(value):
    return value.to_bytes(2, "big")


def with_length(document):
    return u16(len(document)) + document


def gz(data):
    # mtime 0: the same bytes on every run
    return gzip.compress(data, compresslevel=9, mtime=0)


VD_FILE = image(BASE + "__EF_VD.hex")
GVD_FILE = image(BASE + "__EF_GVD.hex")
PD_FILE = image(BASE + "__EF_PD.hex")
STATUS = image(BASE + "__EF_StatusVD.hex")

vd_first, vd_last = int.from_bytes(VD_FILE[0:2], "big"), int.from_bytes(VD_FILE[2:4], "big")
gvd_first, gvd_last = int.from_bytes(VD_FILE[4:6], "big"), int.from_bytes(VD_FILE[6:8], "big")
VD_DOC = VD_FILE[vd_first:vd_last + 1]
GVD_DOC = VD_FILE[gvd_first:gvd_last + 1]
PD_DOC = PD_FILE[2:2 + int.from_bytes(PD_FILE[0:2], "big")]
PD_XML = gzip.decompress(PD_DOC)


def vd_container(vd_document, gvd_offsets=None):
    """Header of four offsets, the VD document, then the GVD document."""
    first = 8
    last = first + len(vd_document) - 1
    if gvd_offsets is None:
        gvd_offsets = (last + 1, last + len(GVD_DOC))
        tail = GVD_DOC
    else:
        tail = b""
    return u16(first) + u16(last) + u16(gvd_offsets[0]) + u16(gvd_offsets[1]) + vd_document + tail


def padded(document, size):
    # zlib's reader ignores what follows the gzip member
    return document + bytes(size - len(document))


def handheld_status(read_date, approval, checksum_delta=0):
    extended = bytes([0x91, len(read_date)]) + read_date + bytes([0x92, len(approval)]) + approval + bytes([0x93, 0x01])
    checksum = reduce(lambda a, b: a ^ b, extended, 0) ^ checksum_delta
    return bytes([0xA0, len(STATUS)]) + STATUS + extended + bytes([checksum])


APPROVAL = b"ZAV-QMT3-ZULASSUNG-0000-103"

if __name__ == "__main__":
    write("gvd_in_ef_gvd__EF_VD.hex", vd_container(VD_DOC, (0xFFFF, 0xFFFF)))
    write("gvd_in_ef_gvd_zero__EF_VD.hex", vd_container(VD_DOC, (0x0000, 0x0000)))
    write("gvd_offsets_invalid__EF_VD.hex", vd_container(VD_DOC, (0xFFFF, 0x0000)))
    write("vd_792__EF_VD.hex", vd_container(padded(VD_DOC, 792)))
    write("vd_793__EF_VD.hex", vd_container(padded(VD_DOC, 793)))
    write("pd_848__EF_PD.hex", with_length(padded(PD_DOC, 848)))
    write("pd_849__EF_PD.hex", with_length(padded(PD_DOC, 849)))
    write("pd_not_gzip__EF_PD.hex", with_length(b"Dies sind keine komprimierten Versichertendaten."))
    write("pd_inflates_too_far__EF_PD.hex", with_length(gz(PD_XML + b" " * 40000)))
    write("pd_unknown_encoding__EF_PD.hex",
          with_length(gz(PD_XML.replace(b'encoding="ISO-8859-15"', b'encoding="X-KARTOCHECK-UNBEKANNT"', 1))))
    write("handheld_status_yyyymmdd.hex", handheld_status(b"20081010", APPROVAL))
    write("handheld_status_ddmmyyyy.hex", handheld_status(b"10102008", APPROVAL))
    write("handheld_status_broken_checksum.hex", handheld_status(b"20081010", APPROVAL, 0x01))
