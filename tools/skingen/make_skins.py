#!/usr/bin/python3
"""Writes the 48 theme files (1.skn .. 48.skn) and skin.txt of the program.

Deterministic: the same script always writes the same files, so the output is
committed and a change shows up as a reviewable diff.

    /usr/bin/python3 tools/skingen/make_skins.py assets/skins

Twelve hues, four variants each (light, soft, vivid, dark). Every text colour is
pushed away from its background until the WCAG contrast ratio reaches at least
4.5 (frames: 3.0), and the script refuses to write two themes that look alike.
"""

import colorsys
import itertools
import os
import sys

# (hue in degrees, short Persian name)
HUES = [
    (0, "قرمز"),
    (28, "نارنجی"),
    (48, "کهربایی"),
    (75, "زیتونی"),
    (120, "سبز"),
    (160, "زمردی"),
    (185, "فیروزه‌ای"),
    (205, "آسمانی"),
    (225, "آبی"),
    (255, "نیلی"),
    (285, "بنفش"),
    (320, "ارغوانی"),
]

# Variant: (name suffix, dark flag, colour recipe as (saturation, lightness) per role).
# Text colours are starting points; contrast() moves them as far as needed.
VARIANTS = [
    ("روشن", 0, {
        "window": (0.30, 0.94), "text": (0.30, 0.12),
        "base": (0.00, 1.00), "baseText": (0.00, 0.08),
        "button": (0.35, 0.85), "buttonText": (0.40, 0.12),
        "highlight": (0.65, 0.38), "highlightText": (0.00, 1.00),
        "label": (0.70, 0.28), "accent": (0.55, 0.45),
    }),
    ("ملایم", 0, {
        "window": (0.28, 0.84), "text": (0.35, 0.10),
        "base": (0.25, 0.97), "baseText": (0.30, 0.10),
        "button": (0.32, 0.72), "buttonText": (0.40, 0.08),
        "highlight": (0.55, 0.30), "highlightText": (0.00, 1.00),
        "label": (0.75, 0.22), "accent": (0.45, 0.38),
    }),
    ("پررنگ", 0, {
        "window": (0.60, 0.74), "text": (0.50, 0.08),
        "base": (0.40, 0.95), "baseText": (0.40, 0.08),
        "button": (0.65, 0.45), "buttonText": (0.00, 1.00),
        "highlight": (0.80, 0.25), "highlightText": (0.00, 1.00),
        "label": (0.85, 0.18), "accent": (0.70, 0.30),
    }),
    ("تیره", 1, {
        "window": (0.25, 0.13), "text": (0.20, 0.90),
        "base": (0.20, 0.20), "baseText": (0.15, 0.94),
        "button": (0.30, 0.27), "buttonText": (0.20, 0.92),
        "highlight": (0.60, 0.62), "highlightText": (0.00, 0.05),
        "label": (0.75, 0.72), "accent": (0.55, 0.55),
    }),
]

ROLES = ["window", "text", "base", "baseText", "button", "buttonText",
         "highlight", "highlightText", "label", "accent"]

# (foreground, background, minimum contrast ratio)
PAIRS = [
    ("text", "window", 7.0),
    ("baseText", "base", 7.0),
    ("buttonText", "button", 4.5),
    ("highlightText", "highlight", 4.5),
    ("label", "window", 4.5),
    ("accent", "window", 3.0),
]


def luminance(rgb):
    def channel(c):
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    hi, lo = max(la, lb), min(la, lb)
    return (hi + 0.05) / (lo + 0.05)


def hsl(hue, sat, light):
    return colorsys.hls_to_rgb(hue / 360.0, light, sat)


def to_hex(rgb):
    return "#" + "".join("%02x" % round(max(0.0, min(1.0, c)) * 255) for c in rgb)


def from_hex(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


def make_theme(hue, recipe):
    hsls = {role: list(recipe[role]) for role in ROLES}

    def ratio(fg, bg):
        return contrast(from_hex(to_hex(hsl(hue, *hsls[fg]))),
                        from_hex(to_hex(hsl(hue, *hsls[bg]))))

    for fg, bg, minimum in PAIRS:
        # Move the foreground away from the background's lightness; once it is at
        # black or white, move the background the other way (white text on yellow).
        step = -0.01 if hsls[fg][1] < hsls[bg][1] else 0.01
        while ratio(fg, bg) < minimum:
            if 0.0 < hsls[fg][1] + step < 1.0:
                hsls[fg][1] = round(hsls[fg][1] + step, 4)
            elif 0.0 < hsls[bg][1] - step < 1.0:
                hsls[bg][1] = round(hsls[bg][1] - step, 4)
            else:
                raise SystemExit("cannot reach contrast %.1f for %s on %s at hue %d"
                                 % (minimum, fg, bg, hue))
    # A background moved for one pair must still hold for the pairs checked before it.
    for fg, bg, minimum in PAIRS:
        if ratio(fg, bg) < minimum:
            raise SystemExit("contrast of %s on %s fell below %.1f at hue %d"
                             % (fg, bg, minimum, hue))
    return {role: to_hex(hsl(hue, *hsls[role])) for role in ROLES}


def distance(a, b):
    """Colour distance of the three roles that cover most of a window."""
    total = 0.0
    for role in ("window", "button", "highlight"):
        ca, cb = from_hex(a[role]), from_hex(b[role])
        total += sum((x - y) ** 2 for x, y in zip(ca, cb)) ** 0.5
    return total


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: make_skins.py <output-folder>")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)

    themes = []
    for (suffix, dark, recipe), (hue, hue_name) in itertools.product(VARIANTS, HUES):
        colours = make_theme(hue, recipe)
        themes.append({"name": hue_name + " " + suffix, "dark": dark, **colours})

    for a, b in itertools.combinations(range(len(themes)), 2):
        if distance(themes[a], themes[b]) < 0.15:
            raise SystemExit("themes %d and %d look alike" % (a + 1, b + 1))

    for number, theme in enumerate(themes, start=1):
        lines = [
            "# HOV-480 theme %d. Stand-in theme generated by tools/skingen/make_skins.py;" % number,
            "# edit the script and run it again rather than editing this file.",
            "name = %s" % theme["name"],
            "dark = %d" % theme["dark"],
        ]
        lines += ["%s = %s" % (role, theme[role]) for role in ROLES]
        with open(os.path.join(out, "%d.skn" % number), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")

    # The theme in force; the program rewrites it when the operator picks another.
    with open(os.path.join(out, "skin.txt"), "wb") as f:
        f.write(b"1\r\n")


if __name__ == "__main__":
    main()
