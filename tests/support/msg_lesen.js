#!/usr/bin/env node
// Prints as JSON what the npm reader @kenjiuno/msgreader shows of a .msg file, in the view of msg_lesen.py.
"use strict";
const fs = require("fs");
const MsgReader = require("@kenjiuno/msgreader").default;

const STEUER = /[\x00-\x1f\x7f-\x9f]/g;

function roh(felder, tag) {
  const p = (felder.rawProps || []).find((r) => r.propertyTag === tag);
  return p ? p.value : undefined;
}

function zeit(text) {
  return text === undefined ? undefined : new Date(text).toISOString().replace(".000Z", "Z");
}

function ansicht(leser, f, innen) {
  const m = {
    subject: f.subject, prefix: roh(f, "003d001f"), topic: f.normalizedSubject, message_id: f.messageId,
    recipients: f.recipients.map((r) => ({ name: r.name || "", address: r.smtpAddress, type: r.recipType })),
    attachments: f.attachments.map((a) => {
      const anlage = { name: a.fileNameShort, long_name: a.fileName, mime: a.attachMimeTag, cid: a.pidContentId || "",
        position: roh(a, "370b0003") | 0, hidden: Boolean(a.attachmentHidden) };
      if (a.innerMsgContent) anlage.mail = ansicht(leser, a.innerMsgContentFields, true);
      else anlage.data = Buffer.from(leser.getAttachment(a).content).toString("hex");
      return anlage;
    }),
    body: f.body, html: f.html && new TextDecoder(f.internetCodepage === 65001 ? "utf-8" : "latin1").decode(f.html),
    flags: f.messageFlags, submitted: zeit(f.clientSubmitTime), delivered: zeit(f.messageDeliveryTime),
    created: zeit(f.creationTime), modified: zeit(f.lastModificationTime),
  };
  // An attached mail was written anew by the stand-in's MIME library: its bytes are not the source's.
  if (!innen) Object.assign(m, { size: roh(f, "0e080003"), headers: f.headers });
  if (f.senderSmtpAddress !== undefined) {
    m.from = { name: roh(f, "0042001f") || "", address: f.sentRepresentingSmtpAddress };
    m.sender = { name: f.senderName || "", address: f.senderSmtpAddress };
  }
  return m;
}

const leser = new MsgReader(fs.readFileSync(process.argv[2]));
leser.parserConfig = { includeRawProps: true };
const felder = leser.getFileData();
if (felder.error) {
  process.stderr.write(felder.error + "\n");
  process.exit(1);
}
process.stdout.write(JSON.stringify(ansicht(leser, felder, false)));
