#!/usr/bin/env node
// Prints as JSON what the npm reader @kenjiuno/msgreader shows of a .msg file, in the view of read_msg.py.
"use strict";
const fs = require("fs");
const MsgReader = require("@kenjiuno/msgreader").default;

function raw(fields, tag) {
  const p = (fields.rawProps || []).find((r) => r.propertyTag === tag);
  return p ? p.value : undefined;
}

function stamp(text) {
  return text === undefined ? undefined : new Date(text).toISOString().replace(".000Z", "Z");
}

function view(reader, f, inner) {
  const m = {
    subject: f.subject, prefix: raw(f, "003d001f"), topic: f.normalizedSubject, message_id: f.messageId,
    recipients: f.recipients.map((r) => ({ name: r.name || "", address: r.smtpAddress, type: r.recipType })),
    attachments: f.attachments.map((a) => {
      const attachment = { name: a.fileNameShort, long_name: a.fileName, mime: a.attachMimeTag, cid: a.pidContentId || "",
        position: raw(a, "370b0003") | 0, hidden: Boolean(a.attachmentHidden) };
      if (a.innerMsgContent) attachment.mail = view(reader, a.innerMsgContentFields, true);
      else attachment.data = Buffer.from(reader.getAttachment(a).content).toString("hex");
      return attachment;
    }),
    body: f.body, html: f.html && new TextDecoder(f.internetCodepage === 65001 ? "utf-8" : "latin1").decode(f.html),
    flags: f.messageFlags, submitted: stamp(f.clientSubmitTime), delivered: stamp(f.messageDeliveryTime),
    created: stamp(f.creationTime), modified: stamp(f.lastModificationTime),
  };
  // An attached mail was written anew by the stand-in's MIME library: its bytes are not the source's.
  if (!inner) Object.assign(m, { size: raw(f, "0e080003"), headers: f.headers });
  if (f.senderSmtpAddress !== undefined) {
    m.from = { name: raw(f, "0042001f") || "", address: f.sentRepresentingSmtpAddress };
    m.sender = { name: f.senderName || "", address: f.senderSmtpAddress };
  }
  return m;
}

const reader = new MsgReader(fs.readFileSync(process.argv[2]));
reader.parserConfig = { includeRawProps: true };
const fields = reader.getFileData();
if (fields.error) throw new Error(fields.error);
process.stdout.write(JSON.stringify(view(reader, fields, false)));
