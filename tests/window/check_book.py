"""Checks that a contact book holds exactly one contact with the given names, born today."""
import datetime
import struct
import sys


def read_string(data, pos):
    length = data[pos]
    pos += 1
    if length == 0xFF:
        (length,) = struct.unpack_from("<H", data, pos)
        pos += 2
    return data[pos:pos + length].decode("utf-8"), pos + length


def main():
    path, first, last, tel = sys.argv[1:5]
    data = open(path, "rb").read()
    (count,) = struct.unpack_from("<i", data, 0)
    status, days = struct.unpack_from("<id", data, 4)
    pos = 16
    fields = []
    for _ in range(5):
        text, pos = read_string(data, pos)
        fields.append(text)
    born = datetime.date(1899, 12, 30) + datetime.timedelta(days=int(days))
    expected = ["", first, last, tel, ""]
    ok = count == 1 and status == 0 and fields == expected and born == datetime.date.today() and pos == len(data)
    if not ok:
        print("book:", count, status, born, fields, len(data) - pos, "bytes left", file=sys.stderr)
    return 0 if ok else 1


sys.exit(main())
