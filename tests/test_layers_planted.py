#!/usr/bin/env python3
"""test_layers.py run on a small tree with planted faults: it must report each of them, at its line, and nothing
that is allowed."""
import os, pathlib, re, subprocess, sys, tempfile

CHECK = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'test_layers.py')

# (file, content, the lines the check must report); a line of its own comes first, so content[i] is line i + 2.
TREE = [
    ('app/programm.h', [], []),
    ('platform/x_p.h', [], []),
    ('mail/nach_oben.cpp', ['#include "app/programm.h"'], [2]),
    ('mail/kein_pfad.cpp', ['#include "programm.h"'], [2]),
    ('outlook/privat.cpp', ['#include "platform/x_p.h"'], [2]),
    ('platform/eigen.cpp', ['#include "platform/x_p.h"'], []),
    ('mapi_provider/fd.cpp', ['void f(int fd) { ::close(fd); }', 'void g(int fd) { close (fd); }'], [2, 3]),
    ('standin_outlook/temp.cpp', ['int f(char* p) { return mkostemp(p, 0); }'], [2]),
    ('app/kind.cpp', ['int f() { return fork(); }', 'int g() { return ::posix_spawn(0, 0, 0, 0, 0, 0); }',
                      'int h() { return posix_spawnp(0, 0, 0, 0, 0, 0); }'], [2, 3, 4]),
    ('ausgabe/umbenennen.cpp', ['int f() { return ::renameat2(0, "a", 0, "b", 1); }'], [2]),
    ('framework/fehler.cpp', ['void f() { std::fprintf(stderr, "x"); }', 'void g() { std::cerr << 1; }',
                              'void h() { std::clog << 1; }', 'void i() { ::write(2, "x", 1); }',
                              'int j() { return STDERR_FILENO; }'], [2, 3, 4, 5, 6]),
    ('platform/posix/dynamic_library_posix.cpp', ['void* f() { return ::dlopen("x", 0); }'], []),
    ('platform/posix/automation_object_posix.cpp', ['void* f() { return ::dlopen("x", 0); }',
                                                    'void g() { std::fputs("x", stderr); }'], [2]),
    ('mail/laden.cpp', ['void* f() { return dlopen("x", 0); }'], [2]),
    ('boundary/posix/alles_posix.cpp', ['void f() { ::close(::mkostemp(0, 0)); fork(); dlopen(0, 0); }',
                                        'void g() { std::fputs("x", stderr); }'], []),
    ('mail/erlaubt.cpp', ['void f(QFile& d, QFile* p) { d.close(); p->close(); d.QFile::close(); std::fclose(0); }',
                          '// fork() and ::close(fd) in a comment, stderr too',
                          '/* dlopen(x)', '   std::cerr */', 'const char* t = "fork() to stderr";',
                          'void g(bool auf_stderr, int forks) { closedir_all(0); }',
                          '// files named .telvorin-XXXXXX beside applicationDirPath() or /proc/self/exe'], []),
    # Rules that live in one file each, and a copy of each outside it.
    ('mapi_provider/provider/sweep.cpp', ['void f() { closedir(::opendir(".")); }',
                                          'QByteArray t(QByteArray d) { return d + "/.telvorin-XXXXXX"; }'], [2, 3]),
    ('mail/eigener_ordner.cpp', ['QString f() { return QCoreApplication::applicationDirPath(); }',
                                 'QString g() { return QFileInfo("/proc/self/exe").path(); }'], [2, 3]),
    ('mapi_provider/provider/modul.cpp', ['int f(Dl_info* i) { return dladdr((void*)&f, i); }',
                                          'DWORD g(wchar_t* p) { return GetModuleFileNameW(0, p, 9); }'], [2, 3]),
    ('platform/posix/own_binary_posix.cpp', ['int f(Dl_info* i) { return dladdr1(0, i, 0, 0); }',
                                             'const char* e = "/proc/self/exe";'], []),
    ('boundary/posix/new_file_posix.cpp', ['const char p[] = ".telvorin-"; void f() { closedir(opendir(p)); }'], []),
    # Outside the layers' folders nothing is checked.
    ('tests/test_x.cpp', ['int f() { return fork(); }', '#include "app/programm.h"'], []),
]


def mismatches(root, what, wanted, *checks):
    """What the check of `root` reports beyond or short of `wanted`, and an exit code that does not fit `wanted`."""
    result = subprocess.run([sys.executable, CHECK, root, *checks], capture_output=True, text=True)
    # The last line is the count; a fault without a line number is an include's, on line 2.
    matches = (re.match(r'([^:]+):(\d+)?', line) for line in result.stdout.splitlines()[:-1])
    found = {(m.group(1), int(m.group(2) or 2)) for m in matches}
    code = [f'{what}: exit code {result.returncode}'] if result.returncode != (1 if wanted else 0) else []
    return (code + [f'{what}: not reported: {name}:{line}' for name, line in sorted(wanted - found)]
            + [f'{what}: reported though allowed: {name}:{line}' for name, line in sorted(found - wanted)])


with tempfile.TemporaryDirectory() as root:
    for name, content, _ in TREE:
        os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
        pathlib.Path(root, name).write_text('\n'.join(['// planted'] + content) + '\n')
    expected = {(name, line) for name, _, lines in TREE for line in lines}
    failures = mismatches(root, 'all checks', expected)
    # Each check alone reports only its own kind, and exits as the faults found say.
    includes = {f for f in expected if f[0].endswith(('nach_oben.cpp', 'kein_pfad.cpp', 'privat.cpp'))}
    for check, wanted in (('includes', includes), ('edge-calls', expected - includes)):
        failures += mismatches(root, f'{check} alone', wanted, check)
    for name in {name for name, _ in expected}:
        os.remove(os.path.join(root, name))
    failures += mismatches(root, 'a tree without faults', set())
for failure in failures:
    print(failure)
sys.exit(1 if failures else 0)

