#!/usr/bin/env python3
"""A listener on 127.0.0.1 for the faults a real server does not show on demand.

Usage: fault_listener.py MODE PORT_FILE

Binds a free port, writes it to PORT_FILE, then serves connections until
it is killed:
  error500  reads the request (headers and Content-Length body) and answers
            HTTP 500, then closes;
  silent    reads the request and never answers (the connection stays open).
Each request it read is appended to PORT_FILE.requests, one line per request
("POST /path HTTP/1.0 <body bytes>"), for the test to see what came.
"""

import os
import socket
import sys
import threading


def read_request(connection):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = connection.recv(65536)
        if not chunk:
            return None
        data += chunk
    head, body = data.split(b"\r\n\r\n", 1)
    lines = head.decode("latin-1").split("\r\n")
    length = 0
    for line in lines[1:]:
        name, _, value = line.partition(":")
        if name.strip().lower() == "content-length":
            length = int(value.strip())
    while len(body) < length:
        chunk = connection.recv(65536)
        if not chunk:
            break
        body += chunk
    return "%s %d" % (lines[0], len(body))


def serve(connection, mode, log):
    request = read_request(connection)
    if request is not None:
        with open(log, "a") as out:
            out.write(request + "\n")
    if mode == "error500":
        body = b"<html><body>Internal Server Error</body></html>"
        connection.sendall(b"HTTP/1.1 500 Internal Server Error\r\nContent-Type: text/html\r\n"
                           b"Content-Length: %d\r\nConnection: close\r\n\r\n%s" % (len(body), body))
        connection.close()
    else:
        threading.Event().wait()  # silent: hold the connection until killed


def main():
    mode, port_file = sys.argv[1:3]
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(8)
    with open(port_file + ".tmp", "w") as out:
        out.write("%d\n" % listener.getsockname()[1])
    os.replace(port_file + ".tmp", port_file)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=serve, args=(connection, mode, port_file + ".requests"), daemon=True).start()


if __name__ == "__main__":
    main()
