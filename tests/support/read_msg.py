#!/usr/bin/env python3
"""`read_msg.py EML MSG` prints as JSON what the source mail EML holds, also cut down to what msgconvert shows, and
what msgconvert makes of the .msg file MSG. read_msg.js gives the full view of a second reader."""
import datetime, email.policy, email.utils, json, re, subprocess, sys

CONTROL = re.compile("[\x00-\x1f\x7f-\x9f]")
TEXT = {"text/plain": "body", "text/html": "html"}
MSGCONVERT = {"subject", "from", "recipients", "submitted", "message_id", "body", "html", "attachments", "name",
              "address", "type", "mime", "data", "mail"}


def stamp(text):
    return email.utils.parsedate_to_datetime(text).astimezone(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")


def address_of(a):  # a mailbox without a name shows its address, as mail clients show it
    return {"name": CONTROL.sub(" ", a.display_name or a.addr_spec), "address": a.addr_spec}


def collect(part, m):
    """Body, HTML and attachments as an Outlook item shows them; an attached mail is not entered."""
    name, cid, typ = part.get_filename(), (part["Content-ID"] or "").strip().strip("<>"), part.get_content_type()
    if typ == "message/rfc822" or not part.is_multipart() and (name is not None or cid and not typ.startswith("text/")):
        name = re.split(r"[/\\]", CONTROL.sub(" ", name or ""))[-1]
        name = name if name not in ("", ".", "..") else "Anlage%d" % (len(m["attachments"]) + 1)
        a = {"name": name, "long_name": name, "mime": typ, "cid": cid, "position": -1}
        if typ == "message/rfc822":
            a["mail"] = view(part.get_payload()[0])
        else:
            a["data"] = (part.get_payload(decode=True) or b"").hex()
        m["attachments"].append(a)
    elif part.is_multipart():
        for t in part.get_payload():
            collect(t, m)
    elif typ in TEXT and not part.is_attachment() and TEXT[typ] not in m:
        m[TEXT[typ]] = (part.get_payload(decode=True) or b"").decode(part.get_content_charset() or "utf-8")


def view(mail, raw=None):
    subject = CONTROL.sub(" ", str(mail["Subject"] or ""))
    prefix = re.match(r"([^: 0-9]{1,3}):( *)", subject)
    m = {"subject": subject, "prefix": prefix.group(1) + ": " if prefix else "",
         "topic": subject[prefix.end() if prefix else 0:], "message_id": mail["Message-ID"], "attachments": [],
         "recipients": [dict(address_of(a), type=t) for t in ("to", "cc", "bcc") for a in (mail[t] or ()) and mail[t].addresses]}
    collect(mail, m)
    if "html" in m and "body" not in m and raw is not None:  # shown as text, as written by hand in the .txt beside it
        m["body"] = open(eml[:-len(".eml")] + ".txt", encoding="utf-8", newline="").read()
    for a in m["attachments"]:
        a["hidden"] = bool(a["cid"]) and "cid:" + a["cid"] in m.get("html", "")
    m["flags"] = 0x11 if m["attachments"] else 0x01
    if mail["From"]:
        m["from"] = address_of(mail["From"].addresses[0])
        m["sender"] = address_of((mail["Sender"] or mail["From"]).addresses[0])
    if mail["Date"]:
        m["submitted"] = stamp(str(mail["Date"]))
        received = mail["Received"]  # the newest stamp: the delivery
        m["delivered"] = m["created"] = m["modified"] = stamp(str(received).rsplit(";", 1)[1]) if received else m["submitted"]
    if raw is not None:  # an attached mail is written anew by the reader: its bytes are not the source's
        header = raw[:re.search(rb"\n\r?\n|$", raw).start() + 1]
        try:
            m["size"], m["headers"] = len(raw), header.decode("utf-8")
        except UnicodeDecodeError:
            m["size"], m["headers"] = len(raw), header.decode("latin-1")
    return {k: v for k, v in m.items() if v is not None}


eml, msg = sys.argv[1:3]
converted = subprocess.run(["msgconvert", "--outfile", "-", msg], check=True, capture_output=True)
if b"uninitialized" in converted.stderr:  # msgconvert read a property that the file lacks and readers expect
    sys.exit("msgconvert: " + converted.stderr.decode())
# msgconvert folds a long Subject right after its colon; the fold is no part of the text.
raw = {"source": open(eml, "rb").read(), "msgconvert": re.sub(rb"^Subject:\r?\n\s+", b"Subject: ", converted.stdout, flags=re.M)}
m = {k: view(email.message_from_bytes(r, policy=email.policy.default), r) for k, r in raw.items()}
for k in ("source", "msgconvert"):  # every object, at every depth, cut down to what msgconvert shows
    m[k + "_brief"] = json.loads(json.dumps(m[k]), object_hook=lambda o: {f: w for f, w in o.items() if f in MSGCONVERT})
json.dump(m, sys.stdout)
