#!/usr/bin/env python3
"""Includes of our own headers name their path from the repository root and point down the layers
that CONTRIBUTING.md draws; a seam's private header (_p.h) is included only inside its own folder."""
import os
import re
import sys

# What each folder may include of ours besides itself, as CONTRIBUTING.md draws the layers.
MAY = {
    'boundary': set(),
    'simple_mapi': set(),
    'platform': {'boundary'},
    'framework': {'platform', 'boundary'},
    'ausgabe': {'framework', 'platform', 'boundary'},
    'mail': {'ausgabe', 'framework', 'platform', 'boundary', 'simple_mapi'},
    'outlook': {'ausgabe', 'framework', 'platform', 'boundary'},
    'app': {'mail', 'outlook', 'ausgabe', 'framework', 'platform', 'boundary'},
    # One folder per binary: the provider and its two modules stand on what they share, never on each other;
    # nothing of ours lies in mapi_provider/ itself.
    'mapi_provider': set(),
    'mapi_provider/shared': {'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/provider': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/smtp': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/dialog': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'standin_outlook': {'platform', 'boundary'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def folder_of(path):
    """The deepest folder of MAY that holds `path`, else its top folder."""
    parts = path.split('/')
    for depth in range(len(parts) - 1, 0, -1):
        if '/'.join(parts[:depth]) in MAY:
            return '/'.join(parts[:depth])
    return parts[0]


root = sys.argv[1]
faults = []
checked = 0
for folder, allowed in sorted(MAY.items()):
    for directory, _, names in os.walk(os.path.join(root, folder)):
        for name in sorted(n for n in names if n.endswith(('.cpp', '.h', '.c'))):
            path = os.path.join(directory, name)
            here = os.path.relpath(path, root)
            if folder_of(here) != folder:
                continue  # checked under its own, deeper folder
            for target in INCLUDE.findall(open(path, encoding='utf-8', errors='replace').read()):
                checked += 1
                top = folder_of(target)
                if not os.path.isfile(os.path.join(root, target)):
                    faults.append(f'{here}: "{target}" is no path from the repository root')
                elif top != folder and top not in allowed:
                    faults.append(f'{here}: "{target}" points up or aside, from {folder}/ to {top}/')
                elif target.endswith('_p.h') and top != folder:
                    faults.append(f'{here}: "{target}" is private to {top}/')
for fault in faults:
    print(fault)
print(f'{checked - len(faults)} passed, {len(faults)} failed')
sys.exit(1 if faults else 0)
