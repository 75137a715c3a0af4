"""The PNG writer of the generators' contact sheets: 8-bit RGB rows, no filtering, one
compressed data chunk."""
import struct
import zlib


def _chunk(kind, data):
    c = struct.pack(">I", len(data)) + kind + data
    return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(path, w, h, rgb_rows):
    """Writes a w x h picture; rgb_rows holds h rows of 3 * w bytes (red, green, blue)."""
    raw = b"".join(b"\x00" + bytes(r) for r in rgb_rows)
    data = b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) + \
        _chunk(b"IDAT", zlib.compress(raw, 9)) + _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)
