#!/usr/bin/env python3
# make_seeds.py -- writes the fuzz targets' seed inputs into the folders beside it. The aircraft
# seeds take the record's layout from the field list in hlutils/hl_plane.h.
import os
import re
import struct

here = os.path.dirname(os.path.abspath(__file__))
top = os.path.normpath(os.path.join(here, "..", "..", ".."))


def put(folder, name, data):
    os.makedirs(os.path.join(here, folder), exist_ok=True)
    with open(os.path.join(here, folder, name), "wb") as f:
        f.write(data)


def fields():
    text = open(os.path.join(top, "hlutils", "hl_plane.h")).read()
    out = []
    for t, name, dims, kind, off in re.findall(r"X\((\w+),\s*(\w+),\s*(\S*)\s*,\s*(PLN_\w+),\s*(\d+)\)", text):
        n = 1
        for d in re.findall(r"\d+", dims):
            n *= int(d)
        out.append((name, t, int(off), n * (1 if t == "char" else 4), kind))
    return out


def record(asi, big):
    fl = fields()
    size = fl[-1][2] + fl[-1][3]
    rec = bytearray(size)
    order = ">" if big else "<"
    # Single numbers get a value each; arrays stay zero except their first value, so the seeds
    # stay small in the repository.
    for name, t, off, nbytes, kind in fl:
        if t == "char":
            continue
        value = 1.0 + off % 97 if t == "float" else off % 5
        fmt = ("<" if kind != "PLN_SWAP" else order) + ("f" if t == "float" else "i")
        rec[off:off + 4] = struct.pack(fmt, value)
    offs = {name: (off, t, kind) for name, t, off, nbytes, kind in fl}
    for name, value in (("C_file", b"Trainer.acf"), ("C_name", b"Trainer"), ("tailnum", b"N12345"),
                        ("Rafl0", b"NACA 2412 (popular).afl"), ("flap_str", b"plain flap.flp")):
        rec[offs[name][0]:offs[name][0] + len(value)] = value
    rec[offs["asi_units"][0]:offs["asi_units"][0] + 4] = struct.pack(order + "i", asi)
    rec[offs["numen"][0]:offs["numen"][0] + 4] = struct.pack(order + "i", 1)
    rec[offs["els"][0]:offs["els"][0] + 4] = struct.pack(order + "i", 8)
    head = b"a" + struct.pack(">i", 46) if big else b"i" + struct.pack("<i", 46)
    return head + bytes(rec)


put("fuzz_acf", "little_asi1.acf", record(1, False))
put("fuzz_acf", "big_asi2.acf", record(2, True))
put("fuzz_acf", "little_asi0.acf", record(0, False))
put("fuzz_acf", "short.acf", record(1, False)[:2000])
put("fuzz_acf", "header.acf", b"i" + struct.pack("<i", 46))

body = (b"12 -3.25 7\n  word next\n AB C more text\n   a name with blanks  \n1 2 0\n\nXY\n"
        b"tail 99999 1.5e3 -0\n")
for tag, eol in (("lf", b"\n"), ("crlf", b"\r\n"), ("cr", b"\r")):
    put("fuzz_header", "text_%s.txt" % tag, (b"I\n500 version\n" + body).replace(b"\n", eol))
put("fuzz_header", "binary_i.bin", b"i" + struct.pack("<i", 46) + struct.pack("<if", 7, 2.5) + b"word  line\n")
put("fuzz_header", "binary_a.bin", b"a" + struct.pack(">i", 46) + struct.pack(">if", 7, 2.5) + b"AB C rest\n")

put("fuzz_dbline", "apt.dat",
    b"I\n500 version\n"
    b"1     13 1 0 KSFO SAN FRANCISCO INTL\n"
    b"10  37.613529 -122.357117 28R 298  11870 200 1234567\n"
    b"10  37.613529 -122.357117  1-  10   3000  75       0\n"
    b"1  -1235 0 1 AB   A NAME\n"
    b"5 other\n"
    b"99\n")
put("fuzz_dbline", "nav.dat",
    b"I\r\n500 version\r\n"
    b"3  37.619167 -122.374722     13.0    11580  359 SFO  SAN FRANCISCO VOR\r\n"
    b"4  -0.500000  179.123456    -20.0    10990    0 IABC \r\n"
    b"99\r\n")
put("fuzz_dbline", "fix.dat",
    b"I\n500 version\n"
    b" 51.477501   -0.461389 ALPHA\n"
    b"-12.500000  100.250000 AB   \n"
    b"99\n")


def part_angle(n):
    return n / 10.0 if n <= 200 else n - 180.0


def airfoil_file(eol=b"\n"):
    """An airfoil part file in the writer's layout, with a plain lift line and a rising drag."""
    out = ["I", "363 version", "1234 device type code",
           "constants: " + "".join(" %f" % v for v in
                                   (0.12, 6, -15, 16, 0.22, 0.105, 1.4, 1.6, 0.1, 0.7, 1.4, 0.2, 0.006,
                                    0.011, 2.3, -15, 16, 0, -0.045, -0.045, -0.09, 0, 0, 2, 0)),
           "index     cl         cd"]
    cl = lambda a: max(-1.2, min(1.6, 0.22 + 0.105 * a)) * (1 - abs(a) / 90.0)
    cd = lambda a: 0.006 + 1.274 * (abs(a) / 90.0) ** 2
    for n in range(270, 99, -1):
        a = -part_angle(n)
        out.append("%.1f %8.5f %8.5f" % (a, cl(a), cd(a)))
    for n in range(99, -1, -1):
        a = -part_angle(n)
        out.append("%.1f %8.5f" % (a, cd(a)))
    out.append("")
    for v, label in ((0.105, "   clM"), (0.22, "   clB"), (-15, " cmal2"), (16, " cmal3"), (0, "   cm1"),
                     (-0.045, "   cm2"), (-0.045, "   cm3"), (-0.09, "   cm4")):
        out.append("%.5f%s" % (v, label))
    out.append("")
    for n in range(0, 100):
        out.append("%.1f %8.5f" % (part_angle(n), cd(part_angle(n))))
    for n in range(100, 271):
        a = part_angle(n)
        out.append("%.1f %8.5f %8.5f" % (a, cl(a), cd(a)))
    return eol.join(s.encode() for s in out) + eol


def flap_file():
    out = ["I", "363 version", "2345 device type code",
           "constants: 1.600000 -0.500000 -0.200000 0.020000 0.050000 0.060000 -0.250000 0.050000 0.000000",
           "def cl cd cm"]
    for h in range(51):
        x = h / 50.0
        out.append("%d %f %f %f" % (h, 1.6 * x - 0.5 * x * x - 0.2 * x ** 3, 0.02 * x + 0.05 * x * x + 0.06 * x ** 3,
                                    -0.25 * x + 0.05 * x * x))
    return b"\n".join(s.encode() for s in out) + b"\n"


put("fuzz_afl", "airfoil.afl", airfoil_file())
put("fuzz_afl", "airfoil_crlf.afl", airfoil_file(b"\r\n"))
put("fuzz_afl", "cut.afl", airfoil_file()[:3000])
put("fuzz_afl", "plain.flp", flap_file())
