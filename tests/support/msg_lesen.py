#!/usr/bin/env python3
"""Prints as JSON what a mail holds: `eml FILE` reads the source mail itself, `msg FILE` what msgconvert
makes of a .msg file. msg_lesen.js gives the same view through a second reader."""
import datetime
import email
import email.policy
import email.utils
import json
import re
import subprocess
import sys
import tempfile

STEUER = re.compile("[\x00-\x1f\x7f-\x9f]")


def zeit(text):
    return email.utils.parsedate_to_datetime(text).astimezone(datetime.timezone.utc).strftime("%Y-%m-%dT%H:%M:%SZ")


def adresse(a):
    return {"name": STEUER.sub(" ", a.display_name), "address": a.addr_spec}


def text(teil):
    return (teil.get_payload(decode=True) or b"").decode(teil.get_content_charset() or "utf-8")


def sammle(teil, ansicht):
    """Body, HTML and attachments in the order an Outlook item shows them; an attached mail is not entered."""
    name, cid = teil.get_filename(), (teil["Content-ID"] or "").strip().strip("<>")
    if teil.get_content_type() == "message/rfc822" or not teil.is_multipart() and (
            name is not None or cid and teil.get_content_maintype() != "text"):
        anlagen = ansicht["attachments"]
        name = re.split(r"[/\\]", STEUER.sub(" ", name or ""))[-1]
        anlage = {"name": name if name not in ("", ".", "..") else "Anlage%d" % (len(anlagen) + 1),
                  "mime": teil.get_content_type(), "cid": cid, "position": -1}
        anlage["long_name"] = anlage["name"]
        if teil.get_content_type() == "message/rfc822":
            anlage["mail"] = mail_ansicht(teil.get_payload()[0])
        else:
            anlage["data"] = (teil.get_payload(decode=True) or b"").hex()
        anlagen.append(anlage)
    elif teil.is_multipart():
        for t in teil.get_payload():
            sammle(t, ansicht)
    elif teil.get_content_maintype() == "text" and not teil.is_attachment():
        schluessel = {"plain": "body", "html": "html"}.get(teil.get_content_subtype())
        if schluessel and schluessel not in ansicht:
            ansicht[schluessel] = text(teil)


def mail_ansicht(m, roh=None):
    betreff = STEUER.sub(" ", str(m["Subject"] or ""))
    praefix = re.match(r"([^: 0-9]{1,3}):( *)", betreff)
    ansicht = {"subject": betreff, "prefix": praefix.group(1) + ": " if praefix else "",
               "topic": betreff[praefix.end():] if praefix else betreff, "message_id": m["Message-ID"],
               "recipients": [dict(adresse(a), type=art) for art in ("to", "cc", "bcc")
                              for a in (m[art].addresses if m[art] else ())], "attachments": []}
    sammle(m, ansicht)
    for anlage in ansicht["attachments"]:
        anlage["hidden"] = bool(anlage["cid"]) and "cid:" + anlage["cid"] in ansicht.get("html", "")
    ansicht["flags"] = 0x11 if ansicht["attachments"] else 0x01
    if m["From"]:
        ansicht["from"] = adresse(m["From"].addresses[0])
        ansicht["sender"] = adresse((m["Sender"] or m["From"]).addresses[0])
    if m["Date"]:
        ansicht["submitted"] = zeit(str(m["Date"]))
        empfangen = m["Received"]
        ansicht["delivered"] = ansicht["created"] = ansicht["modified"] = \
            zeit(str(empfangen).rsplit(";", 1)[1]) if empfangen else ansicht["submitted"]
    if roh is not None:  # an attached mail was written anew by the reader, its bytes are not the source's
        ansicht["size"] = len(roh)
        ende = re.search(rb"\n\r?\n", roh)
        kopf = roh[:ende.start() + 1] if ende else roh
        try:
            ansicht["headers"] = kopf.decode("utf-8")
        except UnicodeDecodeError:
            ansicht["headers"] = kopf.decode("latin-1")
    return {k: v for k, v in ansicht.items() if v is not None}


def main():
    art, pfad = sys.argv[1:3]
    if art == "msg":
        with tempfile.NamedTemporaryFile(suffix=".eml") as eml:
            subprocess.run(["msgconvert", "--outfile", eml.name, pfad], check=True, stdout=sys.stderr)
            roh = eml.read()
        # msgconvert folds a long Subject right after its colon; the fold is no part of the text.
        roh = re.sub(rb"^Subject:\r?\n\s+", b"Subject: ", roh, flags=re.M)
    else:
        with open(pfad, "rb") as f:
            roh = f.read()
    json.dump(mail_ansicht(email.message_from_bytes(roh, policy=email.policy.default), roh), sys.stdout)


if __name__ == "__main__":
    main()
