#!/usr/bin/env python3
"""An RFC 3161 timestamp authority on 127.0.0.1 for the signing test: each POSTed request is answered by openssl ts.

Usage: tsa_responder.py <tsa.pem> <tsa.key> <ca.pem> <port file>
Listens on a free port, writes it to <port file> once it accepts, and serves until it is killed."""
import http.server, os, subprocess, sys, tempfile

certificate, key, chain, port_file = sys.argv[1:5]
work = tempfile.mkdtemp(prefix="tsa-")
config = os.path.join(work, "tsa.cnf")
with open(config, "w", encoding="ascii") as f:
    f.write(f"""[tsa]
default_tsa = tsa_config
[tsa_config]
serial = {work}/serial
signer_digest = sha256
digests = sha1, sha256, sha384, sha512
default_policy = 1.2.3.4.1
accuracy = secs:1
ess_cert_id_chain = no
ess_cert_id_alg = sha256
""")
with open(os.path.join(work, "serial"), "w", encoding="ascii") as f:
    f.write("01\n")


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query, reply = os.path.join(work, "query.tsq"), os.path.join(work, "reply.tsr")
        with open(query, "wb") as f:
            f.write(self.rfile.read(int(self.headers.get("Content-Length", 0))))
        made = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", query, "-inkey", key,
                               "-signer", certificate, "-chain", chain, "-out", reply], capture_output=True)
        if made.returncode != 0:
            self.send_error(500, made.stderr.decode(errors="replace"))
            return
        with open(reply, "rb") as f:
            body = f.read()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".new", "w", encoding="ascii") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".new", port_file)
server.serve_forever()
