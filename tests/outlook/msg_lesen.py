#!/usr/bin/env python3
"""Reads a message that msgconvert wrote and prints what the tests compare, as JSON.

Headers come back as raw 8-bit text (UTF-8 where it decodes, else Latin-1);
attachment data is printed in hex so that the bytes compare exactly.
"""
import email
import email.header
import email.policy
import json
import sys


def raw_headers(data):
    """The header block's fields, unfolded, as text: UTF-8 where it decodes, else Latin-1."""
    block = data.replace(b"\r\n", b"\n").split(b"\n\n", 1)[0]
    fields = {}
    name = None
    for line in block.split(b"\n"):
        if line[:1] in (b" ", b"\t") and name is not None:
            fields[name] += b" " + line.strip()
        elif b":" in line:
            name, value = line.split(b":", 1)
            name = name.strip().lower().decode("ascii", "replace")
            fields[name] = value.strip()
    result = {}
    for key, value in fields.items():
        try:
            text = value.decode("utf-8")
        except UnicodeDecodeError:
            text = value.decode("latin-1")
        result[key] = str(email.header.make_header(email.header.decode_header(text)))
    return result


def main():
    with open(sys.argv[1], "rb") as f:
        data = f.read()
    headers = raw_headers(data)
    message = email.message_from_bytes(data, policy=email.policy.default)
    result = {
        "subject": headers.get("subject"),
        "from": headers.get("from"),
        "to": headers.get("to"),
        "cc": headers.get("cc"),
        "body": None,
        "attachments": [],
    }
    for part in message.walk():
        if part.is_multipart():
            continue
        name = part.get_filename()
        if name is not None:
            result["attachments"].append(
                {"name": name,
                 "data": (part.get_payload(decode=True) or b"").hex()})
        elif result["body"] is None and part.get_content_type() == "text/plain":
            charset = part.get_content_charset() or "utf-8"
            result["body"] = (part.get_payload(decode=True) or b"").decode(charset)
    json.dump(result, sys.stdout, ensure_ascii=True)


if __name__ == "__main__":
    main()
