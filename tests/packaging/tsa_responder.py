#!/usr/bin/env python3
"""An RFC 3161 timestamp authority on 127.0.0.1 for the signing test: each POSTed request is answered by openssl ts.
Usage: tsa_responder.py <tsa.pem> <tsa.key> <ca.pem> <port file>
Listens on a free port, writes it to <port file> once it accepts, and serves until it is killed."""
import http.server, os, pathlib, subprocess, sys, tempfile
certificate, key, chain, port_file = sys.argv[1:5]
work = tempfile.mkdtemp(prefix="tsa-")
config = os.path.join(work, "tsa.cnf")
pathlib.Path(config).write_text(f"""[tsa]
default_tsa = tsa_config
[tsa_config]
serial = {work}/serial
signer_digest = sha256
digests = sha1, sha256, sha384, sha512
default_policy = 1.2.3.4.1
accuracy = secs:1
ess_cert_id_chain = no
ess_cert_id_alg = sha256
""", encoding="ascii")
pathlib.Path(work, "serial").write_text("01\n", encoding="ascii")

class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query, reply = os.path.join(work, "query.tsq"), os.path.join(work, "reply.tsr")
        pathlib.Path(query).write_bytes(self.rfile.read(int(self.headers.get("Content-Length", 0))))
        made = subprocess.run(["openssl", "ts", "-reply", "-config", config, "-queryfile", query, "-inkey", key,
                               "-signer", certificate, "-chain", chain, "-out", reply], capture_output=True)
        if made.returncode != 0:
            self.send_error(500, made.stderr.decode(errors="replace"))
            return
        body = pathlib.Path(reply).read_bytes()
        self.send_response(200)
        self.send_header("Content-Type", "application/timestamp-reply")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass

server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
pathlib.Path(port_file + ".new").write_text(str(server.server_address[1]), encoding="ascii")
os.replace(port_file + ".new", port_file)
server.serve_forever()
