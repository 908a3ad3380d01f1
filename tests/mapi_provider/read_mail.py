"""Prints the mail on stdin as Python's MIME parser reads it, with "Fehler: " where mshow or an mbox disagree."""
import base64, email, email.policy, mailbox, os, pathlib, re, subprocess, sys, tempfile

raw = sys.stdin.buffer.read()
message = email.message_from_bytes(raw, policy=email.policy.default)
lines = [f"{name}: {message[name]}" for name in ("From", "To", "Cc", "Bcc", "Subject") if name in message]
message_id = message["Message-ID"] or ""
sender_domain = re.escape(message["From"].addresses[0].domain) if message["From"] else ""
if message.defects or message["MIME-Version"] != "1.0" or not re.fullmatch(rf"<[^<>@ ]+@{sender_domain}>", message_id):
    lines.append(f"Fehler: {message.defects} {message['MIME-Version']} {message_id}")
if message["Date"] is None or message["Date"].datetime is None:
    lines.append("Fehler: kein Datum")
body = message.get_body(preferencelist=("plain",))
text = body.get_content().replace("\r\n", "\n")
with tempfile.TemporaryDirectory() as folder:
    box = mailbox.mbox(folder + "/mbox", factory=lambda f: email.message_from_binary_file(f, policy=message.policy))
    box.add(raw)
    box.flush()
    if box[0].get_body(("plain",)).get_content().replace("\r\n", "\n").rstrip("\n") != text.rstrip("\n"):
        lines.append("Fehler: Text nach mbox-Zustellung veraendert")
    pathlib.Path(folder, "mail").write_bytes(raw)
    def mshow(*args, part=()):
        return subprocess.run(["mshow", "-n", *args, folder + "/mail", *part], capture_output=True, check=True,
                              env=dict(os.environ, MBLAZE=folder)).stdout.decode("utf-8")
    # -B: names written as encoded words, as many mailers do, are read too.
    parts = re.findall(r"^ *(\d+): (\S+) size=\d+(?: name=\"(.*)\")?$", mshow("-B", "-t"), re.M)
    client = (mshow("-q", "-h", "subject").removeprefix("Subject: ").rstrip("\n"),
              mshow("-O", part=[next(n for n, t, _ in parts if t == "text/plain")]).replace("\r\n", "\n"),
              [name for _, _, name in parts if name])
if client != (str(message["Subject"] or ""), text, [part.get_filename() for part in message.iter_attachments()]):
    lines.append(f"Fehler: mshow liest {client}")
lines.append(f"Text ({body.get_content_charset()}):\n" + text)
for part in message.iter_attachments():
    charset = f"; charset={part.get_param('charset')}" if part.get_param("charset") else ""
    lines.append(f"Anlage: {part.get_filename()}; {part.get_content_type()}{charset}; "
                 f"{part['Content-Transfer-Encoding']}; {base64.b64encode(part.get_payload(decode=True)).decode()}")
sys.stdout.buffer.write("\n".join(lines).encode("utf-8"))
