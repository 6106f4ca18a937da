#!/usr/bin/env python3
"""The picture of the includes: for every folder of src/, the folders it
includes and how often, on the floors of the layers (platform and core;
shell; archive, astro, kb and text; chart; main; app). An include of a
higher floor, or a cycle on one floor, is listed and makes the exit status 1.

Usage: scripts/include-floors.py [ROOT]   (ROOT: the repository, default .)
"""
import collections
import os
import re
import sys

FLOORS = {'platform': 0, 'core': 0, 'shell': 1, 'archive': 2, 'astro': 2, 'kb': 2, 'text': 2,
          'chart': 3, 'main': 4, 'app': 5}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"/]+)/[^"]+"')


def main():
    src = os.path.join(sys.argv[1] if len(sys.argv) > 1 else '.', 'src')
    edges = collections.Counter()
    upward = []
    for folder, _, files in os.walk(src):
        for name in files:
            if not name.endswith(('.h', '.cpp')):
                continue
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, src)
            source = rel.split(os.sep)[0]
            with open(path, encoding='utf-8', errors='replace') as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if not m or m.group(1) == source:
                        continue
                    target = m.group(1)
                    edges[(source, target)] += 1
                    if FLOORS.get(target, 99) > FLOORS.get(source, 99):
                        upward.append(f'{rel} -> {line.strip()[10:-1]}')
    order = sorted(FLOORS, key=lambda k: (FLOORS[k], k))
    for a in order:
        outs = [f'{b}({edges[(a, b)]})' for b in order if edges[(a, b)]]
        if outs or any(edges[(x, a)] for x in order):
            print(f'{a:9s} floor {FLOORS[a]}  -> ' + ', '.join(outs))
    cycles = sorted({tuple(sorted((a, b))) for (a, b) in edges
                     if FLOORS.get(a) == FLOORS.get(b) and (b, a) in edges})
    for line in upward:
        print('upward: ' + line)
    for a, b in cycles:
        print(f'cycle on floor {FLOORS[a]}: {a} <-> {b}')
    return 1 if upward or cycles else 0


if __name__ == '__main__':
    sys.exit(main())
