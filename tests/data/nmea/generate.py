#!/usr/bin/env python3
"""Writes the NMEA recordings of this folder: invented receiver output, the same on every run.

Each recording starts with a header of "#" lines: what device output it imitates, the
receiver's interval, how many RMC sentences carry a position that reads (latitude, longitude
and their letters whole), and the options of "brisomar-tool nmea check" that suit it.
"""
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))


def sentence(body):
    """'$' + body + '*hh': the checksum is the XOR of the body's characters."""
    check = 0
    for c in body:
        check ^= ord(c)
    return "$%s*%02X" % (body, check)


class Boat:
    """A boat sailing from 47°16' N 3°07' W, turning slowly; west positive as the navigator counts."""

    def __init__(self, speed, course):
        self.lat, self.lon = 47 + 16 / 60, 3 + 7 / 60
        self.speed, self.course = speed, course

    def sail(self, seconds):
        miles = self.speed * seconds / 3600
        c = math.radians(self.course)
        self.lat += miles * math.cos(c) / 60
        self.lon -= miles * math.sin(c) / 60 / math.cos(math.radians(self.lat))
        self.course = (self.course + 0.05 * seconds) % 360

    def fields(self):
        """Latitude, N/S, longitude, E/W as a receiver writes them (four decimals of minutes)."""
        def angle(value, digits):
            a = abs(value)
            whole = int(a)
            return "%0*d%07.4f" % (digits, whole, (a - whole) * 60)
        return "%s,%s,%s,%s" % (angle(self.lat, 2), "N" if self.lat >= 0 else "S",
                                angle(self.lon, 3), "W" if self.lon >= 0 else "E")


def clock(t):
    """hhmmss.ss of the receiver's UTC, starting at 10:00:00."""
    centis = round(t * 100)
    s, cs = divmod(centis, 100)
    return "%02d%02d%02d.%02d" % (10 + s // 3600, s // 60 % 60, s % 60, cs)


def rmc(talker, t, boat, fixed=True):
    if not fixed:
        return sentence("%sRMC,%s,V,,,,,,,010126,,,N" % (talker, clock(t)))
    return sentence("%sRMC,%s,A,%s,%.1f,%.1f,010126,,,A" % (talker, clock(t), boat.fields(),
                                                            boat.speed, boat.course))


def gga(talker, t, boat, satellites):
    return sentence("%sGGA,%s,%s,1,%02d,0.9,12.3,M,49.5,M,," % (talker, clock(t), boat.fields(),
                                                               satellites))


def gsa(talker, prns):
    used = [("%02d" % p) for p in prns[:12]] + [""] * (12 - len(prns[:12]))
    return sentence("%sGSA,A,3,%s,1.6,0.9,1.3" % (talker, ",".join(used)))


def gsv(talker, prns, second):
    """The satellites in view, four to a sentence."""
    groups = [prns[i:i + 4] for i in range(0, len(prns), 4)]
    out = []
    for n, group in enumerate(groups, 1):
        sats = ",".join("%02d,%02d,%03d,%02d" % (p, (p * 7 + second // 30) % 80 + 5,
                                                 (p * 37) % 360, 30 + p % 20) for p in group)
        out.append(sentence("%sGSV,%d,%d,%02d,%s" % (talker, len(groups), n, len(prns), sats)))
    return out


def armoured(fields):
    """An AIS payload: (value, bits) fields, most significant bit first, in six-bit characters."""
    bits = "".join(format(v & ((1 << n) - 1), "0%db" % n) for v, n in fields)
    bits += "0" * (-len(bits) % 6)
    return "".join(chr(v + 48 if v < 40 else v + 56)
                   for v in (int(bits[i:i + 6], 2) for i in range(0, len(bits), 6)))


def ais_position(mmsi, lat, lon_east, speed, course, channel):
    """An AIVDM class A position report (type 1) in one sentence."""
    payload = armoured([(1, 6), (0, 2), (mmsi, 30), (0, 4), (0, 8), (round(speed * 10), 10),
                        (0, 1), (round(lon_east * 600000), 28), (round(lat * 600000), 27),
                        (round(course * 10), 12), (round(course), 9), (0, 6), (0, 25)])
    return "!" + sentence("AIVDM,1,1,,%s,%s,0" % (channel, payload))[1:]


def depth(t):
    return 12 + 6 * math.sin(t / 40)


def write(name, header, sentences):
    header = ["Invented receiver output, written by generate.py in this folder"] + header
    text = "".join("# %s\n" % line for line in header) + sentences
    with open(os.path.join(HERE, name), "w", newline="", encoding="latin-1") as f:
        f.write(text)


def receiver_mix_4800():
    """RMC, GGA, GSA, two or three GSV and a depth every second; three seconds before the fix."""
    boat, out, positions = Boat(5.8, 215.0), [], 0
    for second in range(123):
        t = float(second)
        fixed = second >= 3
        prns = [2, 5, 7, 13, 15, 18, 20, 24, 29, 30][: 8 if (second // 20) % 2 else 10]
        out.append(rmc("GP", t, boat, fixed))
        positions += fixed
        out.append(gga("GP", t, boat, len(prns) if fixed else 0))
        out.append(gsa("GP", prns))
        out.extend(gsv("GP", prns, second))
        out.append(sentence("SDDPT,%.1f,0.5" % depth(t)))
        boat.sail(1)
    write("receiver-mix-4800.nmea",
          ["Device: a GPS receiver at 4800 baud sending RMC, GGA, GSA, two or three GSV and a "
           "depth (SDDPT) every second; no fix for its first three seconds",
           "Interval: 1 s", "Positions: %d" % positions, "Check: --baud 4800 --extended SDDPT"],
          "".join(s + "\r\n" for s in out))


def gnss_9600():
    """A multi-constellation receiver: GN talkers for the fix, GPS and GLONASS satellites."""
    boat, out, positions = Boat(6.4, 40.0), [], 0
    for second in range(120):
        t = float(second)
        gps, glonass = [3, 6, 11, 14, 17, 19, 22, 28, 31], [65, 66, 72, 73, 79, 80]
        out.append(rmc("GN", t, boat))
        positions += 1
        out.append(gga("GN", t, boat, len(gps) + len(glonass)))
        out.append(gsa("GN", gps))
        out.append(gsa("GN", glonass))
        out.extend(gsv("GP", gps, second))
        out.extend(gsv("GL", glonass, second))
        out.append(sentence("GNVTG,%.1f,T,,M,%.1f,N,%.1f,K,A" % (boat.course, boat.speed,
                                                                   boat.speed * 1.852)))
        boat.sail(1)
    write("gnrmc-9600.nmea",
          ["Device: a multi-constellation (GPS and GLONASS) receiver at 9600 baud sending GNRMC, "
           "GNGGA, two GNGSA, GPGSV, GLGSV and GNVTG every second",
           "Interval: 1 s", "Positions: %d" % positions, "Check: --baud 9600 --sentence ??RMC"],
          "".join(s + "\r\n" for s in out))


def rmc_gga_10hz_38400():
    """Ten fixes a second: RMC and GGA every tenth of a second."""
    boat, out, positions = Boat(7.2, 300.0), [], 0
    for tenth in range(600):
        t = tenth / 10
        out.append(rmc("GP", t, boat))
        positions += 1
        out.append(gga("GP", t, boat, 11))
        boat.sail(0.1)
    write("rmc-gga-10hz-38400.nmea",
          ["Device: a GPS receiver at 38400 baud sending RMC and GGA ten times a second",
           "Interval: 0.1 s", "Positions: %d" % positions, "Check: --baud 38400"],
          "".join(s + "\r\n" for s in out))


def ais_mix_38400():
    """A multiplexer: the GPS's RMC every second among 70 AIS position reports a second from
    500 ships, as many as a 38400-baud line carries beside the fix."""
    rand = random.Random(38400)
    boat, out, positions = Boat(5.5, 20.0), [], 0
    ships = [(244000000 + n, 47 + rand.uniform(0, 0.5), -3 + rand.uniform(-0.5, 0.5))
             for n in range(500)]
    for second in range(10):
        t = float(second)
        reports = [ais_position(m, lat, lon, 8.5, (m * 7) % 360, "AB"[m % 2])
                   for m, lat, lon in (ships[(second * 70 + i) % 500] for i in range(70))]
        out.extend(reports[:35])
        out.append(rmc("GP", t, boat))
        positions += 1
        out.extend(reports[35:])
        boat.sail(1)
    write("ais-mix-38400.nmea",
          ["Device: an AIS multiplexer at 38400 baud sending its GPS's RMC every second among "
           "70 AIVDM position reports a second",
           "Interval: 1 s", "Positions: %d" % positions, "Check: --baud 38400"],
          "".join(s + "\r\n" for s in out))


def cut_and_noisy_4800():
    """RMC and a depth (PTTKD) every second over a poor line: line noise between sentences,
    every kind of line end, sentences broken off, some resent whole after a broken start."""
    rand = random.Random(4800)
    boat, text, positions = Boat(4.9, 130.0), [], 0
    endings = ["\r\n", "\n", "\r", "\r\r\n", ""]  # "": the next "$" ends the sentence

    def noise():
        return "".join(chr(rand.choice([0, 10, 13, 32, 44, 42] + list(range(33, 36)) +
                                        list(range(37, 127)) + list(range(128, 256))))
                       for _ in range(rand.randint(1, 40)))

    for second in range(120):
        t = float(second)
        whole = rmc("GP", t, boat)
        roll = rand.random()
        if roll < 0.15:
            # Broken off before the longitude is whole, then sent again whole.
            text.append(whole[: rand.randint(8, whole.index(",", whole.index(",N,") + 3))])
            text.append(rand.choice(["\r\n", ""]))
            text.append(whole)
        elif roll < 0.30:
            # Broken off after the longitude's comma: the position still reads.
            sixth = [i for i, c in enumerate(whole) if c == ","][5]
            text.append(whole[: rand.randint(sixth + 1, len(whole) - 1)])
        else:
            text.append(whole)
        positions += 1
        text.append(rand.choice(endings))
        if rand.random() < 0.5:
            text.append("\r\n" + noise())
        pttkd = sentence("PTTKD,%.1f,M" % depth(t))
        if rand.random() < 0.2:
            # A line break inside the sentence: the rest is no sentence.
            cut = rand.randint(7, len(pttkd) - 1)
            pttkd = pttkd[:cut] + "\r\n" + pttkd[cut:]
        text.append(pttkd)
        text.append(rand.choice(endings[:4]))
        if rand.random() < 0.3:
            text.append(noise())
        boat.sail(1)
    text.append("\r\n")
    write("cut-and-noisy-4800.nmea",
          ["Device: a GPS (RMC) and a depth sounder (PTTKD) every second on a poor 4800-baud "
           "line: noise between sentences, every kind of line end, sentences broken off",
           "Interval: 1 s", "Positions: %d" % positions, "Check: --baud 4800"],
          "".join(text))


if __name__ == "__main__":
    receiver_mix_4800()
    gnss_9600()
    rmc_gga_10hz_38400()
    cut_and_noisy_4800()
    ais_mix_38400()
