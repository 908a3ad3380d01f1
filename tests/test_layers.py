#!/usr/bin/env python3
"""The layers that CONTRIBUTING.md draws, checked in the sources of every layer.

includes: our includes name their path from the repository root and point down the layers; a seam's private header
(_p.h) is included only inside its own folder.
edge-calls: the edge library's calls are made in boundary/ alone, but for platform/'s seam of library loading, which
every loader goes through; standard error is written in boundary/ and platform/ alone; some rules live in one file.

Usage: test_layers.py ROOT [includes|edge-calls ...] (default: both)."""
import os, re, sys

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
    # One folder per binary: the provider and its modules stand on what they share, never on each other.
    'mapi_provider': set(),
    'mapi_provider/shared': {'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/provider': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/smtp': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'mapi_provider/dialog': {'mapi_provider/shared', 'simple_mapi', 'platform', 'boundary'},
    'standin_outlook': {'platform', 'boundary'},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)

# A call by its bare or global name; a member function of that name (file.close(), QFile::close()) is no such call.
EDGE_CALL = re.compile(
    r'(?<![\w.>:])(?:::)?\b(close|opendir|closedir|mkostemp|dlopen|renameat2|posix_spawnp?|fork)\s*\(')
# Where each call may be made besides boundary/.
EDGE_CALL_ALSO = {'dlopen': re.compile(r'^platform/[^/]+/dynamic_library_[^/]+\.cpp$')}
STANDARD_ERROR = re.compile(r'\b(stderr|STDERR_FILENO)\b|\bstd::(cerr|clog)\b|\bwrite\s*\(\s*2\s*,')
STANDARD_ERROR_WRITERS = ('boundary', 'platform')
# What lives in one place only, in code or literals: (what, pattern, the files that may hold it).
ONE_PLACE = [
    ('the temporary files\' name', re.compile(r'\.telvorin-'), re.compile(r'^boundary/([^/]+/)?new_file[^/]*\.cpp$')),
    ('our own binary\'s folder', re.compile(r'\b(dladdr1?|applicationDirPath|applicationFilePath|GetModuleFileName'
                                            r'[AW]?|GetModuleHandleEx[AW]?)\b|/proc/self/exe'),
     re.compile(r'^platform/[^/]+/own_binary_[^/]+\.cpp$')),
]
# Comments and literals, so that a comment on fork() or a message naming stderr is no call.
NOT_CODE = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'', re.S)


def folder_of(path):
    """The deepest folder of MAY that holds `path`, else its top folder."""
    parts = path.split('/')
    folders = ('/'.join(parts[:depth]) for depth in range(len(parts) - 1, 0, -1))
    return next((folder for folder in folders if folder in MAY), parts[0])


def sources(root):
    for folder in sorted(MAY):
        for directory, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(n for n in names if n.endswith(('.cpp', '.h', '.c'))):
                path = os.path.join(directory, name)
                here = os.path.relpath(path, root).replace(os.sep, '/')
                if folder_of(here) == folder:  # else checked under its own, deeper folder
                    yield folder, here, open(path, encoding='utf-8', errors='replace').read()


def include_faults(root):
    faults = []
    includes = [(folder, here, target) for folder, here, text in sources(root) for target in INCLUDE.findall(text)]
    for folder, here, target in includes:
        top = folder_of(target)
        if not os.path.isfile(os.path.join(root, target)):
            faults.append(f'{here}: "{target}" is no path from the repository root')
        elif top != folder and top not in MAY[folder]:
            faults.append(f'{here}: "{target}" points up or aside, from {folder}/ to {top}/')
        elif target.endswith('_p.h') and top != folder:
            faults.append(f'{here}: "{target}" is private to {top}/')
    return len(includes), faults


def edge_call_faults(root):
    checked, faults = 0, []
    for checked, (folder, here, text) in enumerate(sources(root), 1):
        code = NOT_CODE.sub(lambda m: '\n' * m.group(0).count('\n'), text)
        uncommented = NOT_CODE.sub(lambda m: '\n' * m.group(0).count('\n') if m.group(0)[0] == '/' else m.group(0), text)
        for number, line in enumerate(uncommented.split('\n'), 1):
            for what, pattern, place in ONE_PLACE:
                if pattern.search(line) and not place.match(here):
                    faults.append(f'{here}:{number}: {what} is found in one place only')
        for number, line in enumerate(code.split('\n'), 1):
            for call in EDGE_CALL.findall(line):
                if folder != 'boundary' and not (call in EDGE_CALL_ALSO and EDGE_CALL_ALSO[call].match(here)):
                    faults.append(f'{here}:{number}: {call}() belongs to boundary/')
            if folder not in STANDARD_ERROR_WRITERS and STANDARD_ERROR.search(line):
                faults.append(f'{here}:{number}: standard error is written in boundary/ and platform/ only')
    return checked, faults


CHECKS = {'includes': include_faults, 'edge-calls': edge_call_faults}

if __name__ == '__main__':
    results = [CHECKS[check](sys.argv[1]) for check in sys.argv[2:] or list(CHECKS)]
    checked, faults = sum(n for n, _ in results), [fault for _, found in results for fault in found]
    for fault in faults:
        print(fault)
    print(f'{checked - len(faults)} passed, {len(faults)} failed')
    sys.exit(1 if faults else 0)
