#!/usr/bin/python3
"""Writes the stand-in norm table assets/norms.csv.

The means and standard deviations below are invented; they only give the
program T scores of a plausible shape (50 at the mean, 10 per standard
deviation). A licensed distributor replaces norms.csv with the real table and
does not need this script.

    /usr/bin/python3 tools/normgen/make_stand_in_norms.py > assets/norms.csv
"""

import sys

# scale, keyed items, (male mean, male sd), (female mean, female sd) -- invented
SCALES = [
    ("Do", 46, (27.0, 6.2), (25.5, 6.0)),
    ("Cs", 32, (18.5, 4.1), (18.0, 4.0)),
    ("Sy", 36, (23.0, 5.0), (22.5, 5.1)),
    ("Sp", 56, (35.0, 6.0), (34.0, 6.1)),
    ("Sa", 33, (20.5, 3.8), (19.5, 3.9)),
    ("Wb", 44, (35.0, 5.5), (34.5, 5.8)),
    ("Re", 41, (28.0, 5.3), (29.5, 5.0)),
    ("So", 55, (36.5, 5.6), (38.0, 5.2)),
    ("Sc", 50, (28.0, 7.5), (29.5, 7.4)),
    ("To", 32, (20.0, 4.6), (20.5, 4.5)),
    ("Gi", 40, (16.5, 6.0), (16.0, 6.1)),
    ("Cm", 27, (25.0, 1.9), (25.4, 1.7)),
    ("Ac", 38, (26.0, 4.8), (27.0, 4.6)),
    ("Ai", 32, (18.0, 4.3), (18.5, 4.4)),
    ("Ie", 51, (36.0, 5.7), (36.5, 5.6)),
    ("Py", 22, (12.0, 2.8), (12.0, 2.9)),
    ("Fx", 21, (9.5, 3.6), (10.0, 3.7)),
    ("Fe", 38, (16.0, 3.6), (23.0, 3.5)),
]

HIGHEST_RAW = 56  # the largest number of keyed items of any scale


def t_score(raw, mean, sd):
    # round half away from zero, so the table does not depend on Python's banker's rounding
    value = 50.0 + 10.0 * (raw - mean) / sd
    rounded = int(value + 0.5) if value >= 0 else -int(-value + 0.5)
    return max(1, min(120, rounded))


def main():
    out = sys.stdout
    out.write("# Stand-in norm table for HOV-480: invented values, not real norms.\n")
    out.write("# Written by tools/normgen/make_stand_in_norms.py; see docs/content.md.\n")
    header = ["Score"] + [s[0] + "m" for s in SCALES] + [s[0] + "f" for s in SCALES]
    out.write(",".join(header) + "\n")
    for raw in range(HIGHEST_RAW + 1):
        row = [str(raw)]
        row += [str(t_score(raw, *male)) for _, _, male, _ in SCALES]
        row += [str(t_score(raw, *female)) for _, _, _, female in SCALES]
        out.write(",".join(row) + "\n")


if __name__ == "__main__":
    main()
