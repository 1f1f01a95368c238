#!/usr/bin/env python3
"""Writes the starter themes of resources/themes.

A new installation copies these into its empty themes folder, so a child can
surf at once; the age templates of the new-user wizard pick the themes of the
child's age band in the desktop's language (scripts/make_age_templates.py reads
BANDS below). Each theme gets its link list (.llt), a whitelist (.kvu) holding
exactly the sites its links need, an empty blacklist (.kou) and pop-up list
(.kpu), and per link a .kld file and a 70 x 70 thumbnail rendered with
rsvg-convert from a drawing in resources/themes/art/ (a picture of what the
site is about, never the site's own logo).

The files use the formats the program writes: UTF-8 text with CR LF line
ends; bitmaps at 32 bits per pixel, BITMAPINFOHEADER, bottom-up rows.

Usage: scripts/make_starter_themes.py [output folder]   (default resources/themes)
"""

import glob
import os
import struct
import subprocess
import sys
import zlib

SIZE = 70
HERE = os.path.dirname(os.path.abspath(__file__))
ART = os.path.join(HERE, "..", "resources", "themes", "art")

# Per age band and language, the band's themes in the order the age templates offer them; the
# first link of the first theme is the start page of the band's templates. A link is
# (picture in art/, address, hint, the whitelist entry that lets its site through). An entry
# without "/" is a whole site with the hosts below it; with "/" only that part of a larger site.
BANDS = {
    "2-5": {
        "en": [
            ("Playtime", [
                ("ball", "https://pbskids.org/games", "PBS KIDS: games", "pbskids.org"),
                ("kite", "https://www.bbc.co.uk/cbeebies/games", "CBeebies: games", "www.bbc.co.uk/cbeebies"),
                ("blocks", "https://www.sesamestreet.org/games", "Sesame Street: games", "sesamestreet.org"),
                ("apple", "https://www.starfall.com", "Starfall: letters and numbers", "starfall.com"),
                ("magnifier", "https://peepandthebigwideworld.com", "Peep and the Big Wide World: little science",
                 "peepandthebigwideworld.com"),
                ("note", "https://musiclab.chromeexperiments.com", "Chrome Music Lab: make music",
                 "musiclab.chromeexperiments.com"),
                ("paintbrush", "https://www.bbc.co.uk/cbeebies/makes", "CBeebies: things to make",
                 "www.bbc.co.uk/cbeebies"),
                ("tv", "https://pbskids.org/videos", "PBS KIDS: videos", "pbskids.org"),
            ]),
            ("Stories and animals", [
                ("book", "https://www.storylineonline.net", "Storyline Online: stories read aloud",
                 "storylineonline.net"),
                ("headphones", "https://www.uniteforliteracy.com", "Unite for Literacy: picture books that read aloud",
                 "uniteforliteracy.com"),
                ("moon", "https://www.bbc.co.uk/cbeebies/shows/bedtime-stories", "CBeebies: bedtime stories",
                 "www.bbc.co.uk/cbeebies"),
                ("lion", "https://sdzwildlifeexplorers.org", "San Diego Zoo Wildlife Explorers",
                 "sdzwildlifeexplorers.org"),
                ("elephant", "https://nationalzoo.si.edu/webcams", "National Zoo: animal cameras",
                 "nationalzoo.si.edu"),
                ("fish", "https://www.montereybayaquarium.org/animals/live-cams", "Monterey Bay Aquarium: live cameras",
                 "montereybayaquarium.org"),
                ("bear", "https://explore.org/livecams", "Explore.org: live animal cameras", "explore.org"),
                ("bird", "https://www.allaboutbirds.org/cams/", "Cornell Lab: bird cameras", "allaboutbirds.org"),
            ]),
        ],
        "nl": [
            ("Speeltijd", [
                ("tv", "https://www.zappelin.nl", "Zappelin: filmpjes en spelletjes", "zappelin.nl"),
                ("kite", "https://www.ketnetjunior.be", "Ketnet Junior: spelen en kijken", "ketnetjunior.be"),
                ("blocks", "https://www.sesamstraat.nl", "Sesamstraat", "sesamstraat.nl"),
                ("magnifier", "https://schooltv.nl/programma/koekeloere", "Koekeloere: ontdekken voor kleuters",
                 "schooltv.nl"),
                ("note", "https://musiclab.chromeexperiments.com", "Muziek maken", "musiclab.chromeexperiments.com"),
                ("microphone", "https://www.kinderenvoorkinderen.nl", "Kinderen voor Kinderen: liedjes",
                 "kinderenvoorkinderen.nl"),
                ("book", "https://www.boekstart.nl", "BoekStart: voorlezen met de bibliotheek", "boekstart.nl"),
                ("clapper", "https://schooltv.nl", "Schooltv: filmpjes over van alles", "schooltv.nl"),
            ]),
            ("Dieren kijken", [
                ("nest", "https://www.beleefdelente.nl", "Beleef de Lente: vogelnestjes live", "beleefdelente.nl"),
                ("fish", "https://www.montereybayaquarium.org/animals/live-cams", "Vissen en kwallen live",
                 "montereybayaquarium.org"),
                ("bear", "https://explore.org/livecams", "Beren en andere dieren live", "explore.org"),
                ("elephant", "https://nationalzoo.si.edu/webcams", "Dierentuin live", "nationalzoo.si.edu"),
                ("lion", "https://sdzwildlifeexplorers.org", "Dieren van de dierentuin in San Diego",
                 "sdzwildlifeexplorers.org"),
                ("bird", "https://www.allaboutbirds.org/cams/", "Vogels live", "allaboutbirds.org"),
                ("dinosaur", "https://www.nhm.ac.uk/discover/dino-directory.html", "Dinosaurussen",
                 "www.nhm.ac.uk/discover"),
                ("frog", "https://schooltv.nl/programma/huisje-boompje-beestje", "Huisje Boompje Beestje: de natuur",
                 "schooltv.nl"),
            ]),
        ],
    },
    "6-9": {
        "en": [
            ("Learn and play", [
                ("apple", "https://www.starfall.com", "Starfall: reading and numbers", "starfall.com"),
                ("pencil", "https://www.bbc.co.uk/bitesize", "BBC Bitesize: school subjects",
                 "www.bbc.co.uk/bitesize"),
                ("ball", "https://pbskids.org/games", "PBS KIDS: games", "pbskids.org"),
                ("gamepad", "https://www.bbc.co.uk/cbbc/games", "CBBC: games", "www.bbc.co.uk/cbbc"),
                ("shapes", "https://nrich.maths.org", "NRICH: maths puzzles", "nrich.maths.org"),
                ("book", "https://www.storylineonline.net", "Storyline Online: stories read aloud",
                 "storylineonline.net"),
                ("violin", "https://www.classicsforkids.com", "Classics for Kids: music and composers",
                 "classicsforkids.com"),
                ("robot", "https://code.org", "Code.org: learn to code", "code.org"),
            ]),
            ("Nature and space", [
                ("rocket", "https://spaceplace.nasa.gov", "NASA Space Place", "spaceplace.nasa.gov"),
                ("saturn", "https://www.esa.int/kids/en/home", "ESA Kids: space", "www.esa.int/kids"),
                ("globe", "https://climatekids.nasa.gov", "NASA Climate Kids: our planet", "climatekids.nasa.gov"),
                ("raincloud", "https://scijinks.gov", "SciJinks: weather", "scijinks.gov"),
                ("frog", "https://pbskids.org/wildkratts", "Wild Kratts: animal powers", "pbskids.org"),
                ("tree", "https://rangerrick.org", "Ranger Rick: wildlife", "rangerrick.org"),
                ("dinosaur", "https://www.nhm.ac.uk/discover/dino-directory.html", "Natural History Museum: dinosaurs",
                 "www.nhm.ac.uk/discover"),
                ("bird", "https://www.allaboutbirds.org/cams/", "Cornell Lab: bird cameras", "allaboutbirds.org"),
                ("fish", "https://www.montereybayaquarium.org/animals/live-cams", "Monterey Bay Aquarium: live cameras",
                 "montereybayaquarium.org"),
            ]),
        ],
        "nl": [
            ("Leren en spelen", [
                ("pencil", "https://schooltv.nl", "Schooltv: filmpjes voor school", "schooltv.nl"),
                ("abacus", "https://www.rekenweb.nl", "Rekenweb: rekenspelletjes", "rekenweb.nl"),
                ("gamepad", "https://www.zapp.nl", "Zapp: tv en spelletjes", "zapp.nl"),
                ("books", "https://www.kinderboekenweek.nl", "Kinderboekenweek", "kinderboekenweek.nl"),
                ("trophy", "https://www.kinderjury.nl", "Kinderjury: kies je favoriete boek", "kinderjury.nl"),
                ("microphone", "https://www.kinderenvoorkinderen.nl", "Kinderen voor Kinderen: liedjes",
                 "kinderenvoorkinderen.nl"),
                ("note", "https://musiclab.chromeexperiments.com", "Muziek maken", "musiclab.chromeexperiments.com"),
                ("robot", "https://code.org", "Code.org: leren programmeren", "code.org"),
            ]),
            ("Kijken en ontdekken", [
                ("saturn", "https://www.esa.int/kids/nl/home", "ESA Kids: de ruimte", "www.esa.int/kids"),
                ("frog", "https://schooltv.nl/programma/huisje-boompje-beestje", "Huisje Boompje Beestje: de natuur",
                 "schooltv.nl"),
                ("nest", "https://www.beleefdelente.nl", "Beleef de Lente: vogelnestjes live", "beleefdelente.nl"),
                ("owl", "https://wikikids.nl", "WikiKids: de encyclopedie voor kinderen", "wikikids.nl"),
                ("newspaper", "https://jeugdjournaal.nl", "NOS Jeugdjournaal: nieuws voor kinderen", "jeugdjournaal.nl"),
                ("fish", "https://www.montereybayaquarium.org/animals/live-cams", "Vissen en kwallen live",
                 "montereybayaquarium.org"),
                ("bear", "https://explore.org/livecams", "Beren en andere dieren live", "explore.org"),
                ("dinosaur", "https://www.nhm.ac.uk/discover/dino-directory.html", "Dinosaurussen",
                 "www.nhm.ac.uk/discover"),
            ]),
        ],
    },
    "10-12": {
        "en": [
            ("Science and numbers", [
                ("lightbulb", "https://www.khanacademy.org", "Khan Academy: maths, science and more",
                 "khanacademy.org"),
                ("flask", "https://phet.colorado.edu", "PhET: science simulations", "phet.colorado.edu"),
                ("magnet", "https://www.exploratorium.edu/explore", "Exploratorium: science to try at home",
                 "exploratorium.edu"),
                ("microscope", "https://www.amnh.org/explore/ology", "OLogy: science from the museum",
                 "www.amnh.org/explore/ology"),
                ("globe", "https://climatekids.nasa.gov", "NASA Climate Kids: our planet", "climatekids.nasa.gov"),
                ("saturn", "https://www.esa.int/kids/en/home", "ESA Kids: space", "www.esa.int/kids"),
                ("shapes", "https://nrich.maths.org", "NRICH: maths puzzles", "nrich.maths.org"),
                ("puzzle", "https://scratch.mit.edu", "Scratch: make games and stories with code", "scratch.mit.edu"),
                ("rocket", "https://spaceplace.nasa.gov", "NASA Space Place", "spaceplace.nasa.gov"),
            ]),
            ("Explore and create", [
                ("newspaper", "https://www.bbc.co.uk/newsround", "Newsround: news for children",
                 "www.bbc.co.uk/newsround"),
                ("backpack", "https://www.bbc.co.uk/bitesize", "BBC Bitesize: school subjects",
                 "www.bbc.co.uk/bitesize"),
                ("question", "https://wonderopolis.org", "Wonderopolis: questions and answers", "wonderopolis.org"),
                ("palette", "https://www.tate.org.uk/kids", "Tate Kids: art", "www.tate.org.uk/kids"),
                ("museum", "https://www.metmuseum.org/art/online-features/metkids", "MetKids: art from the museum",
                 "www.metmuseum.org/art/online-features/metkids"),
                ("piano", "https://musiclab.chromeexperiments.com", "Chrome Music Lab: make music",
                 "musiclab.chromeexperiments.com"),
                ("robot", "https://code.org", "Code.org: learn to code", "code.org"),
                ("violin", "https://www.classicsforkids.com", "Classics for Kids: music and composers",
                 "classicsforkids.com"),
            ]),
        ],
        "nl": [
            ("Weten en ontdekken", [
                ("lightbulb", "https://www.hetklokhuis.nl", "Het Klokhuis: weten hoe het zit", "hetklokhuis.nl"),
                ("newspaper", "https://jeugdjournaal.nl", "NOS Jeugdjournaal: nieuws voor kinderen", "jeugdjournaal.nl"),
                ("owl", "https://wikikids.nl", "WikiKids: de encyclopedie voor kinderen", "wikikids.nl"),
                ("castle", "https://www.canonvannederland.nl", "Canon van Nederland: geschiedenis",
                 "canonvannederland.nl"),
                ("tree", "https://schooltv.nl/programma/nieuws-uit-de-natuur", "Nieuws uit de natuur", "schooltv.nl"),
                ("saturn", "https://www.esa.int/kids/nl/home", "ESA Kids: de ruimte", "www.esa.int/kids"),
                ("flask", "https://phet.colorado.edu/nl/", "PhET: proefjes op het scherm", "phet.colorado.edu"),
                ("pencil", "https://schooltv.nl", "Schooltv: filmpjes voor school", "schooltv.nl"),
            ]),
            ("Maken en oefenen", [
                ("puzzle", "https://scratch.mit.edu", "Scratch: spellen en verhalen programmeren", "scratch.mit.edu"),
                ("robot", "https://code.org", "Code.org: leren programmeren", "code.org"),
                ("abacus", "https://www.rekenweb.nl", "Rekenweb: rekenspelletjes", "rekenweb.nl"),
                ("piano", "https://musiclab.chromeexperiments.com", "Muziek maken", "musiclab.chromeexperiments.com"),
                ("books", "https://www.kinderboekenweek.nl", "Kinderboekenweek", "kinderboekenweek.nl"),
                ("trophy", "https://www.kinderjury.nl", "Kinderjury: kies je favoriete boek", "kinderjury.nl"),
                ("microphone", "https://www.kinderenvoorkinderen.nl", "Kinderen voor Kinderen: liedjes",
                 "kinderenvoorkinderen.nl"),
                ("gamepad", "https://www.ketnet.be", "Ketnet: tv en spelletjes", "ketnet.be"),
            ]),
        ],
    },
}

LANGUAGES = ["en", "nl"]


def link_id(band_index, language, theme_index, link_index):
    """A fixed 14-digit ID per link, in the program's "yyyymmddhhmmss" form, apart from every
    ID a parent's link can have (links are made now, not on this date)."""
    return "202506011%d%d%d%02d" % (band_index + 1, LANGUAGES.index(language), theme_index + 1, link_index + 1)


def themes():
    """Every theme as (name, [(id, picture, url, hint, entry)])."""
    out = []
    for b, band in enumerate(BANDS.values()):
        for language in LANGUAGES:
            for t, (name, links) in enumerate(band[language]):
                out.append((name, [(link_id(b, language, t, n),) + link for n, link in enumerate(links)]))
    return out


def png_pixels(data):
    """(width, height, rows of (r, g, b, a)) of an 8-bit RGB or RGBA PNG, as rsvg-convert writes them."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width, height, channels = 8, b"", 0, 0, 4
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = prior[i]
            corner = prior[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(row[x * channels:x * channels + channels]) + (255,) * (4 - channels)
                     for x in range(width)])
        prior = row
    return width, height, rows


def render(picture):
    """The picture's drawing at 70 x 70, as rows (top first) of (r, g, b) over white."""
    svg = os.path.join(ART, picture + ".svg")
    png = subprocess.run(["rsvg-convert", "-w", str(SIZE), "-h", str(SIZE), svg], check=True,
                         stdout=subprocess.PIPE).stdout
    width, height, rows = png_pixels(png)
    assert (width, height) == (SIZE, SIZE), svg
    return [[tuple(int(round(c * a / 255 + 255 * (255 - a) / 255)) for c in (r, g, b)) for r, g, b, a in row]
            for row in rows]


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
    """Sorted case-insensitively, no doubles, and no entry that contains the one before it."""
    out = []
    for e in sorted(set(entries), key=str.upper):
        if out and out[-1].upper() in e.upper():
            continue
        out.append(e)
    return out


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "resources", "themes")
    os.makedirs(target, exist_ok=True)
    # Files of themes no longer shipped go; a data folder keeps its copies of them.
    for ext in ("kld", "bmp", "llt", "kvu", "kou", "kpu"):
        for old in glob.glob(os.path.join(target, "*." + ext)):
            os.remove(old)
    rendered = {}
    for name, links in themes():
        for lid, picture, url, hint, _ in links:
            if picture not in rendered:
                rendered[picture] = encode_bmp(render(picture))
            write(os.path.join(target, lid + ".kld"), kld(url, lid, hint))
            write(os.path.join(target, lid + ".bmp"), rendered[picture])
        write(os.path.join(target, name + ".llt"), crlf_lines([link[0] for link in links]))
        write(os.path.join(target, name + ".kvu"), crlf_lines(compact([link[4] for link in links])))
        write(os.path.join(target, name + ".kou"), b"")
        write(os.path.join(target, name + ".kpu"), b"")


if __name__ == "__main__":
    main()
