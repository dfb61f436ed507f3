#!/usr/bin/python3
"""Writes assets/scoring-key.csv: a STAND-IN scoring key.

The licensed key belongs to the inventory's publisher and is not part of this
source tree. This script builds a made-up key with the same layout, so that the
program, its tests and its reports can be built and run: the same 694 entries,
the same per-scale counts of items keyed "1" (yes) and "2" (no), the same
number of items shared between scales, the same spread over the three answer
tables. Scores computed with it mean nothing.

The output is deterministic (fixed seed, standard library only):

    /usr/bin/python3 tools/keygen/make_stand_in_key.py [output.csv]

To use a licensed key, replace assets/scoring-key.csv with it (same header and
columns); the build compiles it into the program and test_scoring checks its
layout.
"""

import random
import sys
from collections import Counter, defaultdict
from pathlib import Path

SEED = 480694

# code, keyed items, keyed "1", keyed "2" - in the fixed scale order.
SCALES = [
    ("Do", 46, 23, 23), ("Cs", 32, 11, 21), ("Sy", 36, 22, 14),
    ("Sp", 56, 23, 33), ("Sa", 33, 16, 17), ("Wb", 44, 6, 38),
    ("Re", 41, 16, 25), ("So", 55, 22, 33), ("Sc", 50, 6, 44),
    ("To", 32, 3, 29), ("Gi", 40, 9, 31), ("Cm", 27, 14, 13),
    ("Ac", 38, 12, 26), ("Ai", 32, 3, 29), ("Ie", 51, 18, 33),
    ("Py", 22, 6, 16), ("Fx", 21, 1, 20), ("Fe", 38, 17, 21),
]
ITEMS = 480
ENTRIES = 694
# How many items count for exactly 1, 2, ... 6 scales.
SCALES_PER_ITEM = {1: 289, 2: 108, 3: 46, 4: 7, 5: 1, 6: 3}
MIXED_ITEMS = 36  # keyed "1" in one scale and "2" in another
# Distinct items per answer table: 1-160, 161-320, 321-480.
ITEMS_PER_TABLE = (159, 159, 136)


def choose_items(rng):
    used = []
    for table, count in enumerate(ITEMS_PER_TABLE):
        first = table * 160 + 1
        used += rng.sample(range(first, first + 160), count)
    return sorted(used)


def assign_scales(rng, items):
    """Items to scales with the given scale sizes and items' scale counts.

    Greedy on the largest remaining scale size, items with the most scales first;
    for bipartite degree sequences this succeeds whenever any assignment exists.
    """
    counts = [k for k, n in sorted(SCALES_PER_ITEM.items()) for _ in range(n)]
    rng.shuffle(counts)
    order = sorted(zip(items, counts), key=lambda p: (-p[1], rng.random()))
    room = [s[1] for s in SCALES]
    members = defaultdict(list)  # scale index -> items
    for item, k in order:
        ranked = sorted(range(len(SCALES)), key=lambda s: (-room[s], rng.random()))
        chosen = ranked[:k]
        if any(room[s] == 0 for s in chosen):
            return None
        for s in chosen:
            room[s] -= 1
            members[s].append(item)
    return members if not any(room) else None


def mixed_count(keyed_by_item):
    return sum(1 for answers in keyed_by_item.values() if len(set(answers.values())) == 2)


def assign_keyed(rng, members):
    """Keyed answers with each scale's yes/no counts and exactly MIXED_ITEMS mixed items.

    Starts from a random split per scale and swaps a "1" and a "2" within one scale
    (which keeps that scale's counts) whenever that does not move the number of mixed
    items away from the target.
    """
    keyed = {}  # (scale, item) -> 1 or 2
    for s, (_, _, yes, _) in enumerate(SCALES):
        items = sorted(members[s])
        rng.shuffle(items)
        for i, item in enumerate(items):
            keyed[(s, item)] = 1 if i < yes else 2
    by_item = defaultdict(dict)
    for (s, item), k in keyed.items():
        by_item[item][s] = k

    def is_mixed(item):
        return len(set(by_item[item].values())) == 2

    mixed = mixed_count(by_item)
    for _ in range(200000):
        if mixed == MIXED_ITEMS:
            return keyed
        s = rng.randrange(len(SCALES))
        yes_items = [i for i in members[s] if by_item[i][s] == 1]
        no_items = [i for i in members[s] if by_item[i][s] == 2]
        if not yes_items or not no_items:
            continue
        a, b = rng.choice(yes_items), rng.choice(no_items)
        before = is_mixed(a) + is_mixed(b)
        by_item[a][s], by_item[b][s] = 2, 1
        after = is_mixed(a) + is_mixed(b)
        if abs(mixed - before + after - MIXED_ITEMS) <= abs(mixed - MIXED_ITEMS):
            mixed += after - before
            keyed[(s, a)], keyed[(s, b)] = 2, 1
        else:
            by_item[a][s], by_item[b][s] = 1, 2
    return None


def require(condition, what):
    if not condition:
        raise SystemExit("stand-in key fails the check: " + what)


def check(entries):
    """Every layout check a supplied key must pass; stops on the first failure."""
    require(len(entries) == ENTRIES, "entries")
    for s, (code, total, yes, no) in enumerate(SCALES):
        mine = [k for sc, _, k in entries if sc == s]
        require((len(mine), mine.count(1), mine.count(2)) == (total, yes, no), "counts of " + code)
    require(all(1 <= item <= ITEMS and k in (1, 2) for _, item, k in entries), "ranges")
    require(len({(s, item) for s, item, _ in entries}) == ENTRIES, "duplicate pair")
    scales_of = Counter(item for _, item, _ in entries)
    require(len(scales_of) == sum(SCALES_PER_ITEM.values()), "distinct items")
    require(Counter(scales_of.values()) == Counter(SCALES_PER_ITEM), "scales per item")
    answers = defaultdict(set)
    for _, item, k in entries:
        answers[item].add(k)
    require(sum(1 for a in answers.values() if len(a) == 2) == MIXED_ITEMS, "mixed items")
    tables = Counter((item - 1) // 160 for item in scales_of)
    require(tuple(tables[t] for t in range(3)) == ITEMS_PER_TABLE, "answer tables")
    require([s for s, _, _ in entries] == sorted(s for s, _, _ in entries), "scale order")


def make_key():
    rng = random.Random(SEED)
    for _ in range(100):
        members = assign_scales(rng, choose_items(rng))
        if members is None:
            continue
        keyed = assign_keyed(rng, members)
        if keyed is None:
            continue
        entries = sorted((s, item, k) for (s, item), k in keyed.items())
        check(entries)
        return entries
    raise SystemExit("no stand-in key found; change SEED")


def main():
    root = Path(__file__).resolve().parents[2]
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else root / "assets" / "scoring-key.csv"
    lines = ["scale,item,keyed"]
    lines += ["%s,%d,%d" % (SCALES[s][0], item, k) for s, item, k in make_key()]
    out.write_text("\n".join(lines) + "\n", encoding="utf-8", newline="\n")
    print("wrote %s (%d entries, stand-in)" % (out, len(lines) - 1))


if __name__ == "__main__":
    main()
