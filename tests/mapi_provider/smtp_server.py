"""smtp_server.py DIR [MODE] [LIMIT]: SMTP on 127.0.0.1, STARTTLS, AUTH max/geheim (or Latin-1 geh\\xe9im), 550 for
"abgelehnt", 421 for "spaeter"; MODE plain: no STARTTLS, tls: smtps, drop: gone at DATA, utf8: SMTPUTF8, late: final
reply split, 2 and 4 s late, silent: RCPT waits 8 s. Prints its port, writes DIR/received-N; ends when stdin closes."""
import asyncio, itertools, os, ssl, subprocess, sys, threading
from aiosmtpd.smtp import SMTP, AuthResult
folder, mode, limit = sys.argv[1], (sys.argv[2:3] or ["ok"])[0], (sys.argv[3:4] or [""])[0]  # "": no limit
cert, key = os.path.join(folder, "cert.pem"), os.path.join(folder, "key.pem")
if not os.path.exists(cert):
    subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj", "/CN=localhost",
                    "-addext", "subjectAltName=IP:127.0.0.1,DNS:localhost", "-keyout", key, "-out", cert],
                   check=True, capture_output=True)
context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
context.load_cert_chain(cert, key)
starttls = mode not in ("plain", "tls")

class Handler:
    received = itertools.count(1)  # over all connections
    async def handle_RCPT(self, server, session, envelope, address, options):
        if "abgelehnt" in address:
            return f"550 5.1.1 <{address}>: Recipient address rejected"
        if "spaeter" in address:
            return "421 4.3.2 Service shutting down"
        await asyncio.sleep(8 if mode == "silent" else 0)
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if mode == "drop":
            server.transport.abort()
            return "421 gone"
        if mode == "late":
            await asyncio.sleep(2)
            await server.push("250-Angenommen")
            await asyncio.sleep(2)
        with open(os.path.join(folder, f"received-{next(Handler.received)}"), "wb") as out:
            out.write("".join([f"MAIL FROM:<{envelope.mail_from}>\n"] + [f"RCPT TO:<{a}>\n" for a in envelope.rcpt_tos])
                      .encode() + b"\n" + envelope.original_content)
        return "250 2.0.0 Ok: queued"

loop = asyncio.new_event_loop()
server = loop.run_until_complete(loop.create_server(
    lambda: SMTP(Handler(), data_size_limit=int(limit) if limit else None, hostname="localhost", auth_required=True,
                 authenticator=lambda server, session, envelope, mechanism, data: AuthResult(
                     success=data.login == b"max" and data.password in (b"geheim", b"geh\xe9im"), handled=False),
                 auth_require_tls=starttls, require_starttls=starttls, tls_context=context if starttls else None,
                 enable_SMTPUTF8=mode == "utf8"),
    "127.0.0.1", 0, ssl=context if mode == "tls" else None))
print(server.sockets[0].getsockname()[1], flush=True)
threading.Thread(target=lambda: (sys.stdin.read(), loop.call_soon_threadsafe(loop.stop)), daemon=True).start()
loop.run_forever()
