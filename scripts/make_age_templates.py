#!/usr/bin/env python3
"""Writes the age templates of the new-user wizard: resources/templates/2.usr to 15.usr.

Each template is a complete user profile (every key, in the order the program
writes a new profile) with settings that suit a child of that age; the wizard
copies the one for the child's age unchanged, from nl/ on a Dutch desktop.
resources/templates/README.md explains the choices. The themes are the starter
themes of the child's age band in the template's language (make_starter_themes.py),
and the start page is the first link of the first of them.

The files use the program's text format: UTF-8, CR LF line ends.

Usage: scripts/make_age_templates.py [output folder]   (default resources/templates)
"""

import os
import sys

from make_starter_themes import BANDS

# Minutes of the time clock, per age.
TIME_CLOCK = {2: 15, 3: 15, 4: 20, 5: 20, 6: 30, 7: 30, 8: 40, 9: 45,
              10: 45, 11: 60, 12: 60, 13: 60, 14: 90, 15: 90}


def settings(age, language):
    young = age <= 5          # pre-school: pictures only
    reader = 6 <= age <= 9    # learning to read
    whitelist = age <= 11     # from 12 the blacklist alone
    return [
        ("Beveiliging", [
            ("Kindonvriendelijk", 1),
            ("Kindvriendelijk", 1 if whitelist else 0),
            ("WitSites", 1),
            ("Nieteruit", 1 if age <= 11 else 0),
            ("Geendialoog", 1),
            ("Blokmenu", 1),
            ("Restart", 0),
            ("Blokdoc", 1 if age <= 11 else 0),
            ("Blokpdf", 1 if age <= 9 else 0),
            ("Blokxls", 1 if age <= 11 else 0),
            ("Bloktxt", 1 if age <= 9 else 0),
            ("Blokppt", 1 if age <= 11 else 0),
            ("Toonmpg", 1 if age >= 10 else 0),
            ("Toonmpeg", 1 if age >= 10 else 0),
            ("Toonasf", 1 if age >= 12 else 0),
            ("Toonwmv", 1 if age >= 12 else 0),
            ("Toonmov", 1 if age >= 10 else 0),
            ("Toonavi", 1 if age >= 10 else 0),
            ("Toonrealmedia", 0),
            ("ToonWindowsMedia", 0),
            ("ToonQuickTime", 0),
            ("Categorieen", ",".join(categories(age))),
            ("VeiligZoeken", 1),
            ("YouTubeMatig", 1 if age >= 12 else 0),
        ]),
        ("Extra", [
            ("Hidenavigatieknoppen", 1 if age <= 3 else 0),
            ("Hidethema", 0),
            ("Hideuser", 0),
            ("Hidenavbalk", 0),
            ("Toonsluit", 1 if age >= 10 else 0),
            ("Hideadres", 1 if age <= 9 else 0),
            ("Hideprint", 1 if young else 0),
            ("StartTijdKlok", 1 if age <= 13 else 0),
            ("StartWisselKlok", 0),
            ("ToonHint", 1),
            ("MinTijdKlok", TIME_CLOCK[age]),
            ("MinWisselKlok", 5 if young else 10 if reader else 15),
        ]),
        ("Favorieten", [
            ("StartURL", start_page(age, language)),
            ("gebruikfav", "*".join(themes(age, language)) + "*"),
        ]),
    ]


# Category lists (names as in the UT1 archives): for every age the sites no child should
# reach; from 12, when the whitelist is off, also the ways around the filter.
CATEGORIES = ["adult", "mixed_adult", "lingerie", "dating", "gambling", "drogue",
              "agressif", "malware", "phishing"]
BYPASS_CATEGORIES = ["redirector", "vpn", "doh"]


def categories(age):
    return CATEGORIES + (BYPASS_CATEGORIES if age >= 12 else [])


def band(age):
    # 13 and up: the oldest band's themes, with the open web of their template.
    return BANDS["2-5" if age <= 5 else "6-9" if age <= 9 else "10-12"]


def themes(age, language):
    return [name for name, _ in band(age)[language]]


def start_page(age, language):
    # The first link of the first theme, which its whitelist lets through.
    return band(age)[language][0][1][0][1]


def text(age, language):
    lines = []
    for section, keys in settings(age, language):
        lines.append("[%s]" % section)
        lines.extend("%s=%s" % (key, value) for key, value in keys)
    return "".join(line + "\r\n" for line in lines)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources", "templates")
    for language, folder in (("en", out), ("nl", os.path.join(out, "nl"))):
        os.makedirs(folder, exist_ok=True)
        for age in range(2, 16):
            with open(os.path.join(folder, "%d.usr" % age), "wb") as f:
                f.write(text(age, language).encode("utf-8"))


if __name__ == "__main__":
    main()
