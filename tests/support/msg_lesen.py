#!/usr/bin/env python3
"""Turns a .msg file back into a mail with msgconvert and prints what the tests compare, as JSON."""
import email
import email.header
import email.policy
import json
import os
import re
import subprocess
import sys
import tempfile


def text(raw):
    # msgconvert writes UTF-8 bodies but some header fields in Latin-1.
    try:
        return raw.decode("utf-8")
    except UnicodeDecodeError:
        return raw.decode("latin-1")


def main():
    with tempfile.TemporaryDirectory() as verzeichnis:
        eml = os.path.join(verzeichnis, "zurueck.eml")
        subprocess.run(["msgconvert", "--outfile", eml, sys.argv[1]], check=True, stdout=sys.stderr)
        with open(eml, "rb") as f:
            data = f.read()
    block = data.replace(b"\r\n", b"\n").split(b"\n\n", 1)[0]
    kopf = email.message_from_string("\n".join(text(z) for z in block.split(b"\n")) + "\n\n")
    result = {k: re.sub(r"\s*\n\s+", " ", str(email.header.make_header(email.header.decode_header(kopf[k]))))
              for k in ("subject", "from", "to", "cc")}
    result["attachments"] = []
    for part in email.message_from_bytes(data, policy=email.policy.default).walk():
        if part.is_multipart():
            continue
        if part.get_filename() is not None:
            result["attachments"].append({"name": part.get_filename(), "data": (part.get_payload(decode=True) or b"").hex()})
        elif "body" not in result and part.get_content_type() == "text/plain":
            result["body"] = (part.get_payload(decode=True) or b"").decode(part.get_content_charset() or "utf-8")
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()
