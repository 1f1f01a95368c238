#!/usr/bin/env python3
"""An anonymous, read-only FTP server on 127.0.0.1 for the transfer tests.

Usage: ftp_server.py ROOT [NAME=SIZE ...]
Prints the port it listens on as its first line, then serves until killed.
Each NAME=SIZE makes the size query (SIZE) of that file answer SIZE instead of
the truth, so a test can meet a server that lies about a file's size.
"""
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root = sys.argv[1]
    lies = dict(arg.split("=", 1) for arg in sys.argv[2:])
    logging.basicConfig(level=logging.ERROR)

    class Handler(FTPHandler):
        def ftp_SIZE(self, path):
            name = os.path.basename(path)
            if name in lies:
                self.respond("213 %s" % lies[name])
                return
            return super().ftp_SIZE(path)

    authorizer = DummyAuthorizer()
    authorizer.add_anonymous(root)
    Handler.authorizer = authorizer
    Handler.banner = "test server ready"
    server = FTPServer(("127.0.0.1", 0), Handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
