#!/usr/bin/env python3
"""Writes the CP932 table of the record code page as C++ source, taken from glibc's converter.

Every single byte, every two-byte sequence and every Unicode scalar value is put through the C
library's iconv (CP932 <-> UTF-8, the pair the native codec uses), so the table holds exactly
what glibc converts: the characters a byte or byte pair decodes to, the bytes each character
encodes to (including glibc's one-way mappings, where a character encodes to a code that decodes
to another one), and the characters glibc leaves out of the bytes without refusing them (the
language tags).

    cp932_table.py OUTPUT.cpp
"""
import ctypes
import ctypes.util
import sys

libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
libc.iconv_open.restype = ctypes.c_void_p
libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
libc.iconv.restype = ctypes.c_size_t
libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p),
                       ctypes.POINTER(ctypes.c_size_t), ctypes.POINTER(ctypes.c_char_p),
                       ctypes.POINTER(ctypes.c_size_t)]
libc.iconv_close.argtypes = [ctypes.c_void_p]

FAILED = ctypes.c_size_t(-1).value
FIRST_TRAIL, LAST_TRAIL = 0x40, 0xFC  # the second bytes of CP932's pairs


class Converter:
    def __init__(self, to, frm):
        self.cd = libc.iconv_open(to.encode(), frm.encode())
        if self.cd in (None, FAILED):
            sys.exit(f"cp932_table.py: the C library cannot convert {frm} to {to}")
        self.out = ctypes.create_string_buffer(64)

    def __call__(self, data):
        """The whole of `data` converted, or None when the converter refuses any of it."""
        libc.iconv(self.cd, None, None, None, None)
        src = ctypes.c_char_p(data)
        src_left = ctypes.c_size_t(len(data))
        dst = ctypes.cast(self.out, ctypes.c_char_p)
        dst_left = ctypes.c_size_t(len(self.out))
        r = libc.iconv(self.cd, ctypes.byref(src), ctypes.byref(src_left), ctypes.byref(dst),
                       ctypes.byref(dst_left))
        if r == FAILED or src_left.value:
            return None
        return self.out.raw[:len(self.out) - dst_left.value]


def one_character(utf8):
    """The code point of `utf8` when it holds exactly one character, else None."""
    if utf8 is None:
        return None
    text = utf8.decode("utf-8")
    return ord(text) if len(text) == 1 else None


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    decode = Converter("UTF-8", "CP932")
    encode = Converter("CP932", "UTF-8")

    single = [one_character(decode(bytes([b]))) for b in range(256)]
    double = {}
    for lead in range(256):
        if single[lead] is not None:
            continue  # a character of its own never starts a pair
        for trail in range(256):
            c = one_character(decode(bytes([lead, trail])))
            if c is not None:
                double[(lead << 8) | trail] = c

    encoded = {}
    dropped = []
    for c in range(0x110000):
        if 0xD800 <= c <= 0xDFFF:
            continue
        out = encode(chr(c).encode("utf-8"))
        if out is None:
            continue
        if not out:
            if dropped and dropped[-1][1] == c - 1:
                dropped[-1][1] = c
            else:
                dropped.append([c, c])
            continue
        if len(out) > 2:
            sys.exit(f"cp932_table.py: U+{c:04X} encodes to {len(out)} bytes")
        encoded[c] = int.from_bytes(out, "big")

    for b in range(128):
        if single[b] != b or encoded.get(b) != b:
            sys.exit(f"cp932_table.py: byte {b:#04x} is not the same in CP932 and ASCII")
    if any(c > 0xFFFF for c in list(double.values()) + list(encoded)):
        sys.exit("cp932_table.py: a character outside the Basic Multilingual Plane")
    if len(double) < 7000 or len(encoded) < 7000:
        sys.exit("cp932_table.py: the C library's CP932 converter looks incomplete")

    if any(first <= 0xFFFF for first, _ in dropped):
        sys.exit("cp932_table.py: a character of the Basic Multilingual Plane is left out")

    # The pairs as one row of second bytes per first byte; the encoding as what inverting the
    # decoding gives (a character's first code), corrected where glibc encodes otherwise.
    if any(not FIRST_TRAIL <= code & 0xFF <= LAST_TRAIL for code in double):
        sys.exit("cp932_table.py: a second byte outside 0x40..0xFC")
    leads = sorted({code >> 8 for code in double})
    inverse = {}
    for b, c in enumerate(single):
        if c is not None:
            inverse.setdefault(c, b)
    for code in sorted(double):
        inverse.setdefault(double[code], code)
    corrections = sorted((c, code) for c, code in encoded.items() if inverse.get(c) != code)
    refused = sorted(c for c in inverse if c not in encoded)

    def numbers(values, per_line, width=4):
        items = [f"0x{v:0{width}X}," for v in values]
        return "\n".join("    " + " ".join(items[i:i + per_line])
                         for i in range(0, len(items), per_line))

    width = LAST_TRAIL - FIRST_TRAIL + 1
    rows = []
    for lead in leads:
        rows += [double.get((lead << 8) | t, 0xFFFF) for t in range(FIRST_TRAIL, LAST_TRAIL + 1)]
    row_of = [0] * 256
    for i, lead in enumerate(leads):
        row_of[lead] = i + 1
    singles = [c if c is not None else 0xFFFF for c in single]
    pairs = "\n".join(f"    {{0x{c:04X}, 0x{code:04X}}}," for c, code in corrections)
    with open(sys.argv[1], "w", encoding="utf-8") as f:
        f.write(f"""// Generated by tools/cp932_table.py from the C library's CP932 converter. Do not edit.
#include "records/cp932_table.h"

namespace zorvan::cp932 {{

const std::uint16_t kSingleByte[256] = {{
{numbers(singles, 8)}
}};

const std::uint8_t kPairRow[256] = {{
{numbers(row_of, 12, 2)}
}};

static_assert(kFirstSecondByte == 0x{FIRST_TRAIL:02X} && kPairRowLength == {width});
const std::uint16_t kPairs[] = {{
{numbers(rows, 9)}
}};

const Pair kEncodingCorrections[] = {{
{pairs}
}};
const std::size_t kEncodingCorrectionCount = {len(corrections)};

const std::uint16_t kNotEncoded[] = {{
{numbers(refused, 8) if refused else "    0xFFFF,"}
}};
const std::size_t kNotEncodedCount = {len(refused)};

const Range kLeftOut[] = {{
{chr(10).join(f"    {{0x{a:X}, 0x{b:X}}}," for a, b in dropped)}
}};
const std::size_t kLeftOutCount = sizeof kLeftOut / sizeof kLeftOut[0];

}}  // namespace zorvan::cp932
""")


if __name__ == "__main__":
    main()
