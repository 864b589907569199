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

# ---- preference and situation files: the value lines in the order the reader walks them.
def prefs_file(eol=b"\n"):
    kinds = (["T", "T", "I", "I", "B"] + ["R"] * 7 + ["I"] + ["R"] * 4 + ["R"] * 10 + ["R"] * 3 + ["N", "I", "R"] +
             ["B"] * 8 + ["3"] * 60 + ["I"] + ["R"] * 4 + ["B"] * 4 + ["R"] * 3 + ["I"] * 22 + ["I"] * 4 +
             ["R"] * 2 + ["I"] * 7 + ["I"] * 4 + ["R", "B", "I", "R", "I", "I"] + ["R"] * 5)
    assert len(kinds) == 163
    sample = {"T": ["Trainer.acf", "planes/General Aviation/Trainer/Trainer.acf"], "I": ["0", "1", "2", "-1", "7"],
              "B": ["0", "1"], "R": ["0", "29.92", "-12.5", "1e3", "0.05", "15"], "N": ["270.75"],
              "3": ["1 0 1", "0 0 0", "1 1 1"]}
    out = [b"I", b"51 version"]
    count = {}
    for k in kinds:
        i = count.get(k, 0)
        count[k] = i + 1
        pool = sample[k]
        out.append(pool[i % len(pool)].encode())
    return eol.join(out) + eol


put("fuzz_prefs", "prefs.prf", prefs_file())
put("fuzz_prefs", "prefs_crlf.sit", prefs_file(b"\r\n"))
put("fuzz_prefs", "cut.prf", prefs_file()[:700])
put("fuzz_prefs", "disabled.prf", b"I\n-1 version\n")
put("fuzz_simprefs", "prefs.prf", prefs_file())
put("fuzz_simprefs", "prefs_cr.sit", prefs_file(b"\r"))
put("fuzz_simprefs", "bad_line.prf", prefs_file().replace(b"\n29.92\n", b"\nwarm\n", 1))

# ---- the resolution preference file
put("fuzz_resprefs", "res.prf", b"I\n2 version\n1024\n768\n32\n")
put("fuzz_resprefs", "res_crlf.prf", b"A\r\n2 version\r\n800\r\n600\r\n16\r\n")

# ---- motion files: the first byte chooses the platform count (1 to 4)
put("fuzz_motion", "one.mot", b"\x00" + b"".join(b"%d\t%d\t%d\t\n" % (t, 100 + t, 200 - t) for t in range(12)))
put("fuzz_motion", "two.mot", b"\x01" + b"".join(b"%d\t%d\t%d\t%d\t%d\t\n" % (t, t, 2 * t, 255 - t, 128)
                                                  for t in range(12)))
put("fuzz_motion", "damaged.mot", b"\x00" + b"0\t10\t20\t\n1\tten\ttwenty\t\n2\t30\t40\t\n")
put("fuzz_motion", "wide.mot", b"\x03" + b"0\t-1\t256\t99999\t+7\t0\t0\t1\t1\t\n")

# ---- scenery squares at 34 N 118 W: the first byte is 0 for the binary form, 1 for the text form
def square_points():
    for r in range(80):
        for c in range(60):
            yield 34 + r / 79.0, -118 + c / 59.0, (r * 7 + c * 3) % 900 - 20.0, (r * c) % 7


def square_binary(big):
    o = ">" if big else "<"
    out = bytearray(b"a" + struct.pack(">i", 4) if big else b"i" + struct.pack("<i", 4))
    for lat, lon, h, word in square_points():
        out += struct.pack(o + "fffi", lat, lon, h, word)
    out += struct.pack(o + "ifffii", 1, 34.25, -117.75, 120.0, 0, 0)
    out += struct.pack(o + "ifff", 8, 34.5, -117.5, 45.0) + b"kv_hangar".ljust(40, b"\0")
    out += struct.pack(o + "i", 99)
    for k in range(20):
        out += (b"grass%d" % k if k < 2 else b"").ljust(40, b"\0")
    return bytes(out)


def square_text():
    lines = [b"I", b"4 version", b"text square", b"made for the reader's tests", b"three lines skipped"]
    for lat, lon, h, word in square_points():
        flags = [(word >> b) & 1 for b in range(5)]
        lines.append(b"%.5f %.5f %.1f %d %d %d %d %d" % ((lat, lon, h) + tuple(flags)))
    lines += [b"1", b"2 34.1 -117.9 60 0 0", b"8 34.6 -117.4 90 kv_hangar", b"99"]
    names = b"".join((b"grass%d" % k if k < 2 else b"").ljust(40, b" ") for k in range(20))
    return b"\n".join(lines) + b"\n" + names


put("fuzz_envfile", "little.env", b"\x00" + square_binary(False))
put("fuzz_envfile", "big.env", b"\x00" + square_binary(True))
put("fuzz_envfile", "text.env", b"\x01" + square_text())
put("fuzz_envfile", "short.env", b"\x00" + square_binary(False)[:5000])

# ---- custom objects: the first byte is the heading (256ths of a turn)
hangar = (b"I\n"
          b"4 kv_hangar\n-20 0 15\n-20 10 15\n20 10 15\n20 0 15\n"
          b"3 kv_hangar\n20 10 15\n20 14 0\n20 10 -15\n"
          b"2 50 50 50\n15 14 0\n15 20 0\n"
          b"1 99 99 99\n15 20 0\n"
          b"99\n")
put("fuzz_obj", "hangar.OBJ", b"\x00" + hangar)
put("fuzz_obj", "hangar_crlf.OBJ", b"\x40" + hangar.replace(b"\n", b"\r\n"))
put("fuzz_obj", "two_textures.OBJ", b"\x80" + b"A\n4 wall 1\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 roof\n0 1 0\n1 1 0\n0 2 0\n99\n")
put("fuzz_obj", "cut.OBJ", b"\x10" + hangar[:40])


# ---- bitmaps: the first byte is the use (0 picture, 1 texture, 2 colour key, 3 brightness alpha)
def bitmap(w, h, info=40, extra=0):
    stride = (3 * w + 3) & ~3
    pixels = bytearray()
    for r in range(h):
        row = bytearray()
        for c in range(w):
            row += bytes(((c * 40) & 255, (r * 60) & 255, 1 if (r + c) % 3 == 0 else 200))
        pixels += row + bytes(stride - 3 * w)
    offset = 14 + info + extra
    head = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    infohdr = struct.pack("<IiiHHIIiiII", info, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    infohdr += bytes(info - 40)
    return head + infohdr + bytes(extra) + bytes(pixels)


put("fuzz_bmp", "picture.bmp", b"\x00" + bitmap(5, 3))
put("fuzz_bmp", "texture.bmp", b"\x01" + bitmap(8, 8))
put("fuzz_bmp", "key.bmp", b"\x02" + bitmap(4, 4, info=108))
put("fuzz_bmp", "bright.bmp", b"\x03" + bitmap(3, 2, extra=6))


# ---- sounds
def wave(bits, channels, rate, frames, fmt_extra=b"", before_data=b""):
    block = bits // 8 * channels
    data = bytes((i * 37) & 255 for i in range(frames * block))
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits) + fmt_extra
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + before_data +
            b"data" + struct.pack("<I", len(data)) + data)
    return b"RIFF" + struct.pack("<I", len(body)) + body


put("fuzz_wav", "mono8.WAV", wave(8, 1, 11025, 64))
put("fuzz_wav", "stereo16.WAV", wave(16, 2, 22050, 48, fmt_extra=b"\0\0"))
put("fuzz_wav", "listed24.WAV", wave(24, 1, 44100, 20, before_data=b"LIST" + struct.pack("<I", 4) + b"INFO"))

# ---- Landwright: the first byte chooses the file (0 coastline, 1 preferences, 2 apt.dat, 3 nav.dat)
coast = b"I\n1 version\n" + b"".join(b"%.4f %.4f\n" % (34.0 + k / 40.0, -117.9 + (k % 7) / 10.0) for k in range(40))
put("fuzz_landwright", "coast.txt", b"\x00" + coast + b"36.0 -117.5\n")
put("fuzz_landwright", "coast_crlf.txt", b"\x00" + coast.replace(b"\n", b"\r\n"))
put("fuzz_landwright", "prefs.prf", b"\x01" + b"I\n51 version\n34\n-118\n2\n201\n12\n40\n")
put("fuzz_landwright", "prefs_wild.prf", b"\x01" + b"I\n51 version\n95.5\n-400\n9\n-3\n-1\n-2\n")
put("fuzz_landwright", "apt.dat", b"\x02" + open(os.path.join(here, "fuzz_dbline", "apt.dat"), "rb").read())
put("fuzz_landwright", "nav.dat", b"\x03" + open(os.path.join(here, "fuzz_dbline", "nav.dat"), "rb").read())

# ---- Skycaster's readers over the airports KONT and KSBD: the first byte chooses the file, even
# for the simulator's preference file, odd for the station reports
reports = (b"KSBD SA 1650 8 SCT 25 BKN 7 H 66/58/2508/992\n"
           b"KXXX SA 1650 4 BKN 12 OVC 1/2 F 59/58/0000/991\n"
           b"KONT SA 1651 9 BKN 4 RW- 63/58/2312G20/988\n"
           b"KONT SA 1655 CLR 20 70/45/VR04/995\n")
put("fuzz_skycaster", "WORLD.RWX", b"\x01" + reports)
put("fuzz_skycaster", "crlf.RWX", b"\x01" + reports.replace(b"\n", b"\r\n"))
put("fuzz_skycaster", "bundled.RWX", b"\x01" + open(os.path.join(top, "data", "WORLD.RWX"), "rb").read()[:800])
put("fuzz_skycaster", "prefs.prf", b"\x00" + prefs_file())
put("fuzz_skycaster", "prefs_crlf.prf", b"\x00" + prefs_file(b"\r\n"))

# fuzz_v35's seeds are aircraft files of the earlier text layout written by the converter tests'
# generator: build/tests/hc_v35_fixture gen1.acf 1, the same with seed 7 (gen7.acf), and the
# first 6000 bytes of gen1.acf (cut.acf).

# ---- the world databases as the simulator loads them: the first byte chooses the file
for k, name in enumerate(("apt.dat", "nav.dat", "fix.dat")):
    put("fuzz_worlddb", name, bytes([k]) + open(os.path.join(here, "fuzz_dbline", name), "rb").read())
