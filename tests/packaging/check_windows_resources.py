#!/usr/bin/env python3
"""Reads the version resource and the manifest back from Windows builds of telvorin.exe with pefile.
Usage: check_windows_resources.py <Linux telvorin> <LICENSE> <telvorin.exe>...
Every version field must carry the Linux tool's banner version; the copyright is LICENSE's line."""
import os, re, subprocess, sys
import xml.etree.ElementTree as ElementTree
import pefile

RT_VERSION, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID = 16, 24, 1
# The compatibility identifiers Windows documents for the versions the tool is run on.
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  # Windows 10 and 11
}
faults = []

def check(condition, what):
    if not condition:
        faults.append(what)
    return condition

def banner_version(linux_tool):
    environment = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    out = subprocess.run([linux_tool, "-version"], capture_output=True, env=environment, check=False).stdout
    found = re.match(rb"(\S+) \d+bit Version (\d+)\.(\d+)\.(\d+)\.(\d+) ", out)
    if not found:
        sys.exit(f"no banner from {linux_tool}: {out!r}")
    return found.group(1).decode(), [int(n) for n in found.groups()[1:]]

def resource(pe, kind, ident):
    directory = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        for named in entry.directory.entries if entry.id == kind else []:
            if named.id == ident:
                data = named.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None

def check_version(pe, exe, product, version, copyright_line):
    text = ".".join(map(str, version))
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    if check(fixed is not None, f"{exe}: no VS_FIXEDFILEINFO"):
        words = [version[0] << 16 | version[1], version[2] << 16 | version[3]]
        check([fixed.FileVersionMS, fixed.FileVersionLS] == words, f"{exe}: FILEVERSION is not {text}")
        check([fixed.ProductVersionMS, fixed.ProductVersionLS] == words, f"{exe}: PRODUCTVERSION is not {text}")
    tables, translations = {}, []
    for info in getattr(pe, "FileInfo", [[]])[0]:
        for table in getattr(info, "StringTable", []):
            tables[table.LangID.decode().lower()] = {k.decode(): v.decode() for k, v in table.entries.items()}
        for var in getattr(info, "Var", []):
            translations += var.entry.get(b"Translation", "").split()
    # Explorer shows the strings of the language and code page that Translation names.
    check(len(translations) == 2, f"{exe}: Translation is {translations}")
    key = "".join(t[2:].rjust(4, "0") for t in translations).lower()
    check(key in tables, f"{exe}: no string table {key} for the Translation entry, only {list(tables)}")
    strings = tables.get(key, {})
    for name, value in {"FileVersion": text, "ProductVersion": text, "ProductName": product,
                        "OriginalFilename": "telvorin.exe", "CompanyName": "The Telvorin developers",
                        "LegalCopyright": copyright_line}.items():
        check(strings.get(name) == value, f"{exe}: {name} is {strings.get(name)!r}, not {value!r}")
    for name in ("FileDescription", "InternalName"):
        check(strings.get(name, "").strip() != "", f"{exe}: {name} is empty")

def check_manifest(pe, exe):
    data = resource(pe, RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID)
    if not check(data is not None, f"{exe}: no manifest under the identifier Windows reads for a program"):
        return
    elements = list(ElementTree.fromstring(data).iter())
    named = lambda local: [e for e in elements if e.tag.rsplit("}", 1)[-1] == local]
    levels = [e.get("level") for e in named("requestedExecutionLevel")]
    check(levels == ["asInvoker"], f"{exe}: requestedExecutionLevel is {levels}")
    ids = {e.get("Id", "").lower() for e in named("supportedOS")}
    check(ids == SUPPORTED_OS, f"{exe}: supportedOS is {sorted(ids)}")
    check(not named("activeCodePage"), f"{exe}: the manifest sets activeCodePage")

def main():
    linux_tool, licence, exes = sys.argv[1], sys.argv[2], sys.argv[3:]
    product, version = banner_version(linux_tool)
    with open(licence, encoding="utf-8") as f:
        copyright_line = next(line.strip() for line in f if line.startswith("Copyright "))
    for exe in exes:
        pe = pefile.PE(exe)
        check(resource(pe, RT_VERSION, 1) is not None, f"{exe}: no version resource")
        check_version(pe, exe, product, version, copyright_line)
        check_manifest(pe, exe)
    for fault in faults:
        print(fault)
    sys.exit(1 if faults else 0)

main()
