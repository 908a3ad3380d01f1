#!/usr/bin/env python3
"""Reads a delivered message with Python's own MIME parser and prints it as JSON.

The tests compare what the provider wrote against this independent reading:
headers decoded, the text body, and every attachment's name, type and bytes.
"""
import base64
import email
import email.policy
import json
import sys


def main():
    raw = open(sys.argv[1], "rb").read() if len(sys.argv) > 1 else sys.stdin.buffer.read()
    message = email.message_from_bytes(raw, policy=email.policy.default)
    result = {"defects": [type(d).__name__ for d in message.defects]}
    for name in ("From", "To", "Cc", "Bcc", "Subject", "Date", "Message-ID", "MIME-Version"):
        value = message.get(name)
        result[name.lower()] = None if value is None else str(value)
    addresses = {}
    for name in ("To", "Cc", "Bcc", "From"):
        header = message.get(name)
        addresses[name.lower()] = [] if header is None else [
            {"name": a.display_name, "address": a.addr_spec} for a in header.addresses]
    result["addresses"] = addresses
    body = message.get_body(preferencelist=("plain",))
    result["body"] = None if body is None else body.get_content()
    result["body_charset"] = None if body is None else body.get_content_charset()
    result["attachments"] = [
        {
            "name": part.get_filename(),
            "type": part.get_content_type(),
            "encoding": part.get("Content-Transfer-Encoding"),
            "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii"),
        }
        for part in message.iter_attachments()
    ]
    json.dump(result, sys.stdout)


if __name__ == "__main__":
    main()
