#!/usr/bin/env python3
"""Prints the message on standard input as JSON, as Python's own MIME parser reads it."""
import base64
import email
import email.policy
import json
import sys

message = email.message_from_bytes(sys.stdin.buffer.read(), policy=email.policy.default)
body = message.get_body(preferencelist=("plain",))
# str() of a header is its decoded form; address headers come as "Name <address>, ...".
result = {name.lower(): str(message.get(name, ""))
          for name in ("From", "To", "Cc", "Bcc", "Subject", "Date", "Message-ID", "MIME-Version")}
result.update(
    defects=len(message.defects),
    body=body.get_content() if body else None,
    charset=body.get_content_charset() if body else None,
    attachments=[{"name": part.get_filename(), "type": part.get_content_type(),
                  "encoding": part.get("Content-Transfer-Encoding"),
                  "data": base64.b64encode(part.get_payload(decode=True) or b"").decode("ascii")}
                 for part in message.iter_attachments()])
json.dump(result, sys.stdout)
