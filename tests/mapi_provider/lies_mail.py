#!/usr/bin/env python3
"""Prints the message on standard input the way Python's own MIME parser reads it:
decoded headers, what is wrong with it, the text body, then one line per attachment."""
import base64
import email
import email.policy
import re
import sys

message = email.message_from_bytes(sys.stdin.buffer.read(), policy=email.policy.default)
lines = [f"{name}: {message[name]}" for name in ("From", "To", "Cc", "Bcc", "Subject") if name in message]
message_id = message["Message-ID"] or ""
sender_domain = re.escape(message["From"].addresses[0].domain) if message["From"] else ""
if message.defects or message["MIME-Version"] != "1.0" or not re.fullmatch(rf"<[^<>@ ]+@{sender_domain}>", message_id):
    lines.append(f"Fehler: {message.defects} {message['MIME-Version']} {message_id}")
if message["Date"] is None or message["Date"].datetime is None:
    lines.append("Fehler: kein Datum")
body = message.get_body(preferencelist=("plain",))
lines.append(f"Text ({body.get_content_charset()}):\n" + body.get_content().replace("\r\n", "\n"))
lines += [f"Anlage: {part.get_filename()}; {part.get_content_type()}; {part['Content-Transfer-Encoding']}; "
          + base64.b64encode(part.get_payload(decode=True)).decode("ascii") for part in message.iter_attachments()]
sys.stdout.buffer.write("\n".join(lines).encode("utf-8"))
