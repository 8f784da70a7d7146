#!/usr/bin/python3
"""A real SMTP server for the tests, on 127.0.0.1: aiosmtpd from Debian's package.

Every accepted message is written as NNNN.eml into the given folder, with a NNNN.rcpt beside
it naming the envelope's recipients. Options reject chosen recipients with 550, offer STARTTLS
or speak SSL/TLS from the start, and demand a login. Prints "READY <port>" when it listens and
stops when its standard input closes.
"""
import argparse
import os
import socket
import ssl
import sys
import threading

from aiosmtpd.controller import Controller
from aiosmtpd.smtp import AuthResult


class Handler:
    def __init__(self, folder, reject):
        self.folder = folder
        self.reject = set(reject)
        self.lock = threading.Lock()

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.reject:
            return "550 5.1.1 Onbekende ontvanger " + address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        with self.lock:
            number = len([n for n in os.listdir(self.folder) if n.endswith(".eml")])
            base = os.path.join(self.folder, "%04d" % number)
            with open(base + ".rcpt", "w") as f:
                f.write("\n".join(envelope.rcpt_tos) + "\n")
            with open(base + ".eml", "wb") as f:
                f.write(envelope.original_content)
        return "250 2.0.0 Bericht %04d aangenomen" % number


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def main():
    p = argparse.ArgumentParser()
    p.add_argument("folder")
    p.add_argument("--reject", action="append", default=[])
    p.add_argument("--cert")
    p.add_argument("--key")
    p.add_argument("--mode", choices=["plain", "starttls", "ssl"], default="plain")
    p.add_argument("--login", help="user:password that must log in")
    a = p.parse_args()

    kwargs = {}
    context = None
    if a.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(a.cert, a.key)
    if a.mode == "starttls":
        kwargs.update(tls_context=context, require_starttls=True)
    if a.login:
        user, password = a.login.split(":", 1)

        def authenticator(server, session, envelope, mechanism, auth_data):
            ok = auth_data.login.decode() == user and auth_data.password.decode() == password
            return AuthResult(success=ok, handled=False)

        # With SSL/TLS from the start aiosmtpd does not count the session as encrypted, so
        # only STARTTLS asks for it before a login.
        kwargs.update(authenticator=authenticator, auth_required=True, auth_require_tls=a.mode == "starttls")

    port = free_port()
    controller = Controller(Handler(a.folder, a.reject), hostname="127.0.0.1", port=port,
                            ssl_context=context if a.mode == "ssl" else None,
                            server_hostname="127.0.0.1", **kwargs)
    controller.start()
    print("READY %d" % port, flush=True)
    sys.stdin.read()
    controller.stop()


if __name__ == "__main__":
    main()
