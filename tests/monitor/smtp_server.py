#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""A local SMTP server for the mail tests: aiosmtpd on 127.0.0.1, on a free port that it
prints as the first line of its output, delivering every mail into a Maildir. With --user
it demands a login (AUTH PLAIN or LOGIN, without TLS) and accepts only that user and
password. It stops when its standard input closes or on SIGTERM."""

import argparse
import asyncio
import signal
import sys
import warnings

from aiosmtpd.handlers import Mailbox
from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def main():
    warnings.simplefilter("ignore")  # aiosmtpd's own deprecation notes
    parser = argparse.ArgumentParser()
    parser.add_argument("--maildir", required=True)
    parser.add_argument("--user")
    parser.add_argument("--password", default="")
    args = parser.parse_args()

    handler = Mailbox(args.maildir)

    def authenticate(server, session, envelope, mechanism, data):
        ok = (isinstance(data, LoginPassword) and data.login == args.user.encode()
              and data.password == args.password.encode())
        return AuthResult(success=ok, handled=False)

    options = {"auth_require_tls": False}
    if args.user:
        options["authenticator"] = authenticate
        options["auth_required"] = True

    loop = asyncio.new_event_loop()
    asyncio.set_event_loop(loop)
    server = loop.run_until_complete(
        loop.create_server(lambda: SMTP(handler, loop=loop, **options), host="127.0.0.1", port=0))
    print(server.sockets[0].getsockname()[1], flush=True)

    loop.add_signal_handler(signal.SIGTERM, loop.stop)
    loop.add_reader(sys.stdin.fileno(), lambda: loop.stop() if not sys.stdin.buffer.read1(4096) else None)
    loop.run_forever()
    server.close()


if __name__ == "__main__":
    main()
