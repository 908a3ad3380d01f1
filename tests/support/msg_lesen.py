#!/usr/bin/env python3
"""`msg_lesen.py EML MSG` prints as JSON what the source mail EML holds, also cut down to what msgconvert shows, and
what msgconvert makes of the .msg file MSG. msg_lesen.js gives the full view of a second reader."""
import datetime, email.policy, email.utils, json, re, subprocess, sys

STEUER = re.compile("[\x00-\x1f\x7f-\x9f]")
TEXT = {"text/plain": "body", "text/html": "html"}
MSGCONVERT = {"subject", "from", "recipients", "submitted", "message_id", "body", "html", "attachments", "name",
              "address", "type", "mime", "data", "mail"}


def zeit(text):
    return email.utils.parsedate_to_datetime(text).astimezone(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")


def adresse(a):  # a mailbox without a name shows its address, as mail clients show it
    return {"name": STEUER.sub(" ", a.display_name or a.addr_spec), "address": a.addr_spec}


def sammle(teil, m):
    """Body, HTML and attachments as an Outlook item shows them; an attached mail is not entered."""
    name, cid, typ = teil.get_filename(), (teil["Content-ID"] or "").strip().strip("<>"), teil.get_content_type()
    if typ == "message/rfc822" or not teil.is_multipart() and (name is not None or cid and not typ.startswith("text/")):
        name = re.split(r"[/\\]", STEUER.sub(" ", name or ""))[-1]
        name = name if name not in ("", ".", "..") else "Anlage%d" % (len(m["attachments"]) + 1)
        a = {"name": name, "long_name": name, "mime": typ, "cid": cid, "position": -1}
        if typ == "message/rfc822":
            a["mail"] = ansicht(teil.get_payload()[0])
        else:
            a["data"] = (teil.get_payload(decode=True) or b"").hex()
        m["attachments"].append(a)
    elif teil.is_multipart():
        for t in teil.get_payload():
            sammle(t, m)
    elif typ in TEXT and not teil.is_attachment() and TEXT[typ] not in m:
        m[TEXT[typ]] = (teil.get_payload(decode=True) or b"").decode(teil.get_content_charset() or "utf-8")


def ansicht(mail, roh=None):
    betreff = STEUER.sub(" ", str(mail["Subject"] or ""))
    praefix = re.match(r"([^: 0-9]{1,3}):( *)", betreff)
    m = {"subject": betreff, "prefix": praefix.group(1) + ": " if praefix else "",
         "topic": betreff[praefix.end() if praefix else 0:], "message_id": mail["Message-ID"], "attachments": [],
         "recipients": [dict(adresse(a), type=t) for t in ("to", "cc", "bcc") for a in (mail[t] or ()) and mail[t].addresses]}
    sammle(mail, m)
    if "html" in m and "body" not in m and roh is not None:  # shown as text, as written by hand in the .txt beside it
        m["body"] = open(eml[:-len(".eml")] + ".txt", encoding="utf-8", newline="").read()
    for a in m["attachments"]:
        a["hidden"] = bool(a["cid"]) and "cid:" + a["cid"] in m.get("html", "")
    m["flags"] = 0x11 if m["attachments"] else 0x01
    if mail["From"]:
        m["from"] = adresse(mail["From"].addresses[0])
        m["sender"] = adresse((mail["Sender"] or mail["From"]).addresses[0])
    if mail["Date"]:
        m["submitted"] = zeit(str(mail["Date"]))
        empfangen = mail["Received"]  # the newest stamp: the delivery
        m["delivered"] = m["created"] = m["modified"] = zeit(str(empfangen).rsplit(";", 1)[1]) if empfangen else m["submitted"]
    if roh is not None:  # an attached mail is written anew by the reader: its bytes are not the source's
        kopf = roh[:re.search(rb"\n\r?\n|$", roh).start() + 1]
        try:
            m["size"], m["headers"] = len(roh), kopf.decode("utf-8")
        except UnicodeDecodeError:
            m["size"], m["headers"] = len(roh), kopf.decode("latin-1")
    return {k: v for k, v in m.items() if v is not None}


eml, msg = sys.argv[1:3]
konvertiert = subprocess.run(["msgconvert", "--outfile", "-", msg], check=True, capture_output=True)
if b"uninitialized" in konvertiert.stderr:  # msgconvert read a property that the file lacks and readers expect
    sys.exit("msgconvert: " + konvertiert.stderr.decode())
# msgconvert folds a long Subject right after its colon; the fold is no part of the text.
roh = {"quelle": open(eml, "rb").read(), "msgconvert": re.sub(rb"^Subject:\r?\n\s+", b"Subject: ", konvertiert.stdout, flags=re.M)}
m = {k: ansicht(email.message_from_bytes(r, policy=email.policy.default), r) for k, r in roh.items()}
for k in ("quelle", "msgconvert"):  # every object, at every depth, cut down to what msgconvert shows
    m[k + "_knapp"] = json.loads(json.dumps(m[k]), object_hook=lambda o: {f: w for f, w in o.items() if f in MSGCONVERT})
json.dump(m, sys.stdout)
