"""The tests' SMTP server (tests/mapi_provider/smtp_server.py, same arguments and files) as an MTA would take in
DATA: in large blocks, straight to its spool file, on a loop written in C. The library reads DATA a line at a time
into one buffer, some 30 times slower than an MTA; with it, the delivery benchmark would time the server instead of
the provider. Assumes, as libcurl does, that the client waits for the answer to DATA before it sends more."""
import asyncio, itertools, os, runpy, sys

# Python hands each freed block back to the kernel and faults the next one in anew, which costs more here than
# the whole transfer; an MTA keeps its buffers.
if "GLIBC_TUNABLES" not in os.environ:
    os.environ["GLIBC_TUNABLES"] = "glibc.malloc.mmap_threshold=33554432:glibc.malloc.trim_threshold=1073741824"
    os.execv(sys.executable, [sys.executable] + sys.orig_argv[1:])

import uvloop
from aiosmtpd.smtp import SMTP

folder, received = sys.argv[1], itertools.count(1)


async def smtp_DATA(self, arg):
    if await self.check_helo_needed() or await self.check_auth_needed("DATA"):
        return
    if not self.envelope.rcpt_tos or arg:
        await self.push("503 Error: need RCPT command" if not self.envelope.rcpt_tos else "501 Syntax: DATA")
        return
    await self.push("354 End data with <CR><LF>.<CR><LF>")
    with open(os.path.join(folder, f"received-{next(received)}"), "wb") as out:
        out.write("".join([f"MAIL FROM:<{self.envelope.mail_from}>\n"]
                          + [f"RCPT TO:<{a}>\n" for a in self.envelope.rcpt_tos]).encode() + b"\n")
        # Whole lines only, each with the line end before it, so that a dot at a line start is always seen.
        pending, skip, finished = b"\r\n", 2, False
        while not finished:
            block = await self._reader.read(1 << 20)
            if not block:
                return
            pending += block
            cut = pending.rfind(b"\r\n")
            lines, pending = pending[:cut], pending[cut:]
            finished = pending == b"\r\n" and lines.endswith(b"\r\n.")
            lines = lines.replace(b"\r\n..", b"\r\n.")
            out.write(memoryview(lines)[skip:len(lines) - finished])
            skip = 0
    self._set_post_data_state()
    await self.push("250 2.0.0 Ok: queued")


SMTP.smtp_DATA = smtp_DATA
asyncio.set_event_loop_policy(uvloop.EventLoopPolicy())
sys.argv[0] = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "mapi_provider", "smtp_server.py")
runpy.run_path(sys.argv[0], run_name="__main__")
