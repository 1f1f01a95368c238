#!/usr/bin/env python3
"""Writes the starter themes of resources/themes.

A new installation copies these into its empty themes folder, so a child can
surf at once. Each theme gets its link list (.llt), a whitelist (.kvu) letting
its sites through, an empty blacklist (.kou) and pop-up list (.kpu), and per
link a .kld file and a 70 x 70 thumbnail drawn here from plain shapes and
letters (no pictures of the sites themselves).

The files use the formats the program writes: UTF-8 text with CR LF line
ends; bitmaps at 32 bits per pixel, BITMAPINFOHEADER, bottom-up rows.

Usage: scripts/make_starter_themes.py [output folder]   (default resources/themes)
"""

import os
import struct
import sys

SIZE = 70

# name, link ID prefix, motif, list of (site initials, url, hint, background RGB)
THEMES = [
    ("Animals", "2024010110", "circle", [
        ("NG", "https://kids.nationalgeographic.com/animals", "National Geographic Kids: animals", (230, 170, 20)),
        ("SD", "https://sdzwildlifeexplorers.org", "San Diego Zoo Wildlife Explorers", (40, 140, 70)),
        ("SZ", "https://switchzoo.com", "Switch Zoo: make new animals", (200, 90, 40)),
        ("RR", "https://rangerrick.org", "Ranger Rick", (60, 110, 190)),
        ("WK", "https://pbskids.org/wildkratts", "Wild Kratts", (120, 170, 40)),
        ("DA", "https://www.ducksters.com/animals.php", "Ducksters: animals", (150, 80, 160)),
        ("ZC", "https://nationalzoo.si.edu/webcams", "Zoo webcams", (30, 150, 160)),
    ]),
    ("Games", "2024010111", "diamond", [
        ("PB", "https://pbskids.org/games", "PBS KIDS games", (30, 110, 200)),
        ("CB", "https://www.bbc.co.uk/cbeebies/games", "CBeebies games", (240, 150, 0)),
        ("SS", "https://www.sesamestreet.org/games", "Sesame Street games", (70, 160, 60)),
        ("NJ", "https://www.nickjr.com", "Nick Jr.", (230, 100, 30)),
        ("HK", "https://www.highlightskids.com", "Highlights Kids", (200, 40, 60)),
        ("AB", "https://www.abcya.com", "ABCya games", (120, 60, 180)),
        ("FB", "https://www.funbrain.com", "Funbrain", (20, 140, 130)),
    ]),
    ("Learning", "2024010112", "square", [
        ("SF", "https://www.starfall.com", "Starfall: reading and numbers", (230, 180, 30)),
        ("SP", "https://spaceplace.nasa.gov", "NASA Space Place", (20, 40, 110)),
        ("SO", "https://storylineonline.net", "Storyline Online: stories read aloud", (170, 60, 120)),
        ("BK", "https://kids.britannica.com", "Britannica Kids", (40, 120, 180)),
        ("TK", "https://www.timeforkids.com", "TIME for Kids", (200, 50, 40)),
        ("DK", "https://www.ducksters.com", "Ducksters: history and science", (60, 150, 90)),
    ]),
]

# Whitelist fragments per theme: each lets its site through wherever it occurs in an address.
WHITELISTS = {
    "Animals": ["kids.nationalgeographic.com", "sdzwildlifeexplorers.org", "switchzoo.com", "rangerrick.org",
                "pbskids.org/wildkratts", "ducksters.com", "nationalzoo.si.edu"],
    "Games": ["pbskids.org", "bbc.co.uk/cbeebies", "sesamestreet.org", "nickjr.com", "highlightskids.com",
              "abcya.com", "funbrain.com"],
    "Learning": ["starfall.com", "spaceplace.nasa.gov", "storylineonline.net", "kids.britannica.com",
                 "timeforkids.com", "ducksters.com"],
}

# A 5 x 7 capital font, one string of five characters per row.
FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
}

SCALE = 4


def blend(c, other, t):
    return tuple(int(round(a + (b - a) * t)) for a, b in zip(c, other))


def draw_thumbnail(letters, background, motif):
    """Returns 70 x 70 rows (top first) of (r, g, b)."""
    white = (255, 255, 255)
    dark = blend(background, (0, 0, 0), 0.45)
    light = blend(background, white, 0.35)
    px = [[background] * SIZE for _ in range(SIZE)]
    # A soft band at the top, as daylight over the picture.
    for y in range(SIZE):
        for x in range(SIZE):
            if y < 20:
                px[y][x] = blend(background, white, 0.15 * (20 - y) / 20)
    c = (SIZE - 1) / 2.0
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = x - c, y - c
            if motif == "circle":
                inside = dx * dx + dy * dy <= 30 * 30
            elif motif == "diamond":
                inside = abs(dx) + abs(dy) <= 36
            else:
                inside = abs(dx) <= 28 and abs(dy) <= 28
            if inside:
                px[y][x] = light
    # The letters, white with a dark shadow, centred.
    width = len(letters) * 5 * SCALE + (len(letters) - 1) * SCALE
    left = (SIZE - width) // 2
    top = (SIZE - 7 * SCALE) // 2
    for offset, colour in (((2, 2), dark), ((0, 0), white)):
        for i, ch in enumerate(letters):
            glyph = FONT[ch]
            gx = left + i * 6 * SCALE + offset[0]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit != "#":
                        continue
                    for yy in range(SCALE):
                        for xx in range(SCALE):
                            x = gx + col * SCALE + xx
                            y = top + offset[1] + row * SCALE + yy
                            if 0 <= x < SIZE and 0 <= y < SIZE:
                                px[y][x] = colour
    return px


def encode_bmp(rows):
    height = len(rows)
    width = len(rows[0])
    image_size = width * height * 4
    offset = 14 + 40
    out = bytearray(b"BM")
    out += struct.pack("<IIIIiiHHIIiiII", offset + image_size, 0, offset, 40, width, height, 1, 32, 0,
                       image_size, 0, 0, 0, 0)
    for row in reversed(rows):  # bottom-up
        for r, g, b in row:
            out += bytes((b, g, r, 255))
    return bytes(out)


def crlf_lines(lines):
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def kld(url, link_id, hint):
    return crlf_lines(["[LinkProp]", "URL=" + url, "ID=" + link_id, "Hint=" + hint, "Beschrijving=",
                       "hoogte=-1", "breedte=-1"])


def compact(entries):
    """Sorted case-insensitively, and no entry that contains the one before it."""
    out = []
    for e in sorted(entries, key=str.upper):
        if out and out[-1].upper() in e.upper():
            continue
        out.append(e)
    return out


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "resources", "themes")
    os.makedirs(target, exist_ok=True)
    for name, prefix, motif, links in THEMES:
        ids = []
        for n, (letters, url, hint, colour) in enumerate(links, start=1):
            link_id = prefix + "%04d" % n
            ids.append(link_id)
            write(os.path.join(target, link_id + ".kld"), kld(url, link_id, hint))
            write(os.path.join(target, link_id + ".bmp"), encode_bmp(draw_thumbnail(letters, colour, motif)))
        write(os.path.join(target, name + ".llt"), crlf_lines(ids))
        write(os.path.join(target, name + ".kvu"), crlf_lines(compact(WHITELISTS[name])))
        write(os.path.join(target, name + ".kou"), b"")
        write(os.path.join(target, name + ".kpu"), b"")


if __name__ == "__main__":
    main()
