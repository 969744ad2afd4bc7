"""An SMTP server on 127.0.0.1 for the mail tests.

Prints the port it listens on as its first line, then one JSON line for every message it
accepts. It ends when its standard input closes, so it never outlives the test that started it.

Options:
  --reject ADDRESS   answer 550 to RCPT TO of this address
  --tls DIR          offer STARTTLS with a certificate for 127.0.0.1 signed by a certificate
                     authority of its own, written to DIR/ca.pem
  --login USER:PASS  require a login (after STARTTLS) with this user name and password
"""

import argparse
import asyncio
import email
import email.policy
import json
import os
import ssl
import subprocess
import sys
import threading

from aiosmtpd.smtp import SMTP, AuthResult


def make_certificates(folder):
    def openssl(*args):
        subprocess.run(["openssl", *args], check=True, capture_output=True)

    path = lambda name: os.path.join(folder, name)
    key = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    openssl("req", "-x509", *key, "-days", "1", "-subj", "/CN=Test mail CA",
            "-keyout", path("ca.key"), "-out", path("ca.pem"))
    openssl("req", *key, "-subj", "/CN=127.0.0.1",
            "-keyout", path("server.key"), "-out", path("server.csr"))
    with open(path("san.ext"), "w") as ext:
        ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n")
    openssl("x509", "-req", "-in", path("server.csr"), "-CA", path("ca.pem"),
            "-CAkey", path("ca.key"), "-CAcreateserial", "-days", "1",
            "-extfile", path("san.ext"), "-out", path("server.pem"))
    context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
    context.load_cert_chain(path("server.pem"), path("server.key"))
    return context


class Handler:
    def __init__(self, reject):
        self.reject = reject

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address == self.reject:
            return "550 5.1.1 No such mailbox here"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        message = email.message_from_bytes(envelope.content, policy=email.policy.default)
        parts = {part.get_content_type(): part.get_content()
                 for part in message.walk() if not part.is_multipart()}
        print(json.dumps({
            "mailFrom": envelope.mail_from,
            "rcptTo": envelope.rcpt_tos,
            "tls": session.ssl is not None,
            "login": session.authenticated,
            "headers": {name: str(value) for name, value in message.items()},
            "type": message.get_content_type(),
            "text": parts.get("text/plain"),
            "html": parts.get("text/html"),
            "longestLine": max(len(line) for line in envelope.content.splitlines()),
        }), flush=True)
        return "250 Message accepted"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reject")
    parser.add_argument("--tls")
    parser.add_argument("--login")
    options = parser.parse_args()

    context = make_certificates(options.tls) if options.tls else None
    authenticator = None
    if options.login:
        user, password = options.login.encode().split(b":", 1)

        def authenticator(server, session, envelope, mechanism, data):
            return AuthResult(success=(data.login, data.password) == (user, password),
                              handled=False)

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    factory = lambda: SMTP(Handler(options.reject), hostname="test.invalid",
                           tls_context=context, authenticator=authenticator,
                           auth_required=authenticator is not None, loop=loop)
    server = loop.run_until_complete(loop.create_server(factory, "127.0.0.1", 0))
    print(server.sockets[0].getsockname()[1], flush=True)

    def stop_when_stdin_closes():
        sys.stdin.read()
        loop.call_soon_threadsafe(loop.stop)

    threading.Thread(target=stop_when_stdin_closes, daemon=True).start()
    loop.run_forever()


if __name__ == "__main__":
    main()
