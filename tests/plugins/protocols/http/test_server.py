"""An HTTP(S) server for the tests, on 127.0.0.1, that can also misbehave on purpose.

  GET  /files/NAME      the file NAME of --root
  GET  /status/CODE     an empty answer with that status
  GET  /redirect/NAME   302 to /files/NAME
  GET  /loop            302 to itself
  GET  /silent          accepts, then says nothing for a while
  GET  /short           announces 1000 bytes, sends 10, closes
  PUT  /upload/NAME     stores the body as NAME in --uploads, 201
  PUT  /forbidden/NAME  403, nothing stored

Prints "PORT <n>" once it listens, then serves until terminated.
"""
import argparse
import http.server
import os
import ssl
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def answer(self, status, body=b"", headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        parts = self.path.split("/", 2)
        kind = parts[1] if len(parts) > 1 else ""
        rest = parts[2] if len(parts) > 2 else ""
        if kind == "files":
            path = os.path.join(self.server.root, os.path.basename(rest))
            if not os.path.isfile(path):
                return self.answer(404)
            with open(path, "rb") as f:
                return self.answer(200, f.read())
        if kind == "status":
            return self.answer(int(rest))
        if kind == "redirect":
            return self.answer(302, headers=[("Location", "/files/" + rest)])
        if kind == "loop":
            return self.answer(302, headers=[("Location", "/loop")])
        if kind == "silent":
            time.sleep(30)
            return
        if kind == "short":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            self.wfile.write(b"0123456789")
            self.wfile.flush()
            self.close_connection = True
            return
        self.answer(404)

    def do_PUT(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        parts = self.path.split("/", 2)
        if len(parts) == 3 and parts[1] == "upload":
            with open(os.path.join(self.server.uploads, os.path.basename(parts[2])), "wb") as f:
                f.write(body)
            return self.answer(201)
        if len(parts) == 3 and parts[1] == "forbidden":
            return self.answer(403)
        self.answer(404)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--uploads", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.root = args.root
    server.uploads = args.uploads
    if args.cert:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(args.cert, args.key)
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print("PORT", server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
