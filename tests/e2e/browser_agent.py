#!/usr/bin/python3
"""A headless Chromium for the end-to-end cases, reached over plain HTTP.

The driver runs under Wine and speaks plain HTTP; Chromium is driven over its
DevTools protocol (a WebSocket, through Debian's python3-websocket). This
starts Chromium once for the whole run and answers the driver:

  GET /open?url=U      opens U in a fresh tab (800 x 450), closing the last one
  GET /eval?expr=E     evaluates E in the tab (promises awaited), answers its
                       value as JSON
  GET /shot?name=N     saves the tab's picture as N.png in the screenshot folder

Usage: browser_agent.py PROFILE_DIR SCREENSHOT_DIR PORT_FILE
It writes the port it listens on into PORT_FILE once it is ready, and ends
Chromium when it is ended itself (SIGTERM).
"""
import base64
import json
import os
import signal
import subprocess
import sys
import time
import urllib.request
from http.server import BaseHTTPRequestHandler, HTTPServer
from urllib.parse import parse_qs, urlparse

import websocket

profile, shots, port_file = sys.argv[1:4]
os.makedirs(profile, exist_ok=True)
active_port = os.path.join(profile, "DevToolsActivePort")
if os.path.exists(active_port):
    os.remove(active_port)
chromium = subprocess.Popen(
    ["chromium", "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
     "--remote-debugging-port=0", "--user-data-dir=" + profile, "about:blank"],
    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def end(*_):
    chromium.terminate()
    try:
        chromium.wait(10)
    except subprocess.TimeoutExpired:
        chromium.kill()
    sys.exit(0)


signal.signal(signal.SIGTERM, end)

deadline = time.monotonic() + 60
while not os.path.exists(active_port) or not open(active_port).read().strip():
    if time.monotonic() > deadline or chromium.poll() is not None:
        print("browser_agent: Chromium did not start", file=sys.stderr)
        end()
    time.sleep(0.1)
devtools_port = int(open(active_port).read().split()[0])
devtools = "http://127.0.0.1:%d" % devtools_port


class Tab:
    def __init__(self, url):
        request = urllib.request.Request(devtools + "/json/new?about:blank", method="PUT")
        target = json.load(urllib.request.urlopen(request, timeout=20))
        self.id = target["id"]
        self.ws = websocket.create_connection(target["webSocketDebuggerUrl"], timeout=30,
                                              suppress_origin=True)
        self.next = 0
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": 800, "height": 450, "deviceScaleFactor": 1, "mobile": False})
        self.call("Page.enable")
        self.call("Page.navigate", {"url": url})

    def call(self, method, params=None):
        self.next += 1
        self.ws.send(json.dumps({"id": self.next, "method": method, "params": params or {}}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next:
                if "error" in message:
                    raise RuntimeError(message["error"].get("message", "DevTools error"))
                return message["result"]

    def close(self):
        self.ws.close()
        urllib.request.urlopen(devtools + "/json/close/" + self.id, timeout=20).read()


tab = None


class Handler(BaseHTTPRequestHandler):
    def answer(self, status, body):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(data)

    def do_GET(self):
        global tab
        url = urlparse(self.path)
        query = {k: v[0] for k, v in parse_qs(url.query).items()}
        try:
            if url.path == "/open":
                if tab:
                    tab.close()
                tab = Tab(query["url"])
                self.answer(200, "ok")
            elif url.path == "/eval":
                result = tab.call("Runtime.evaluate", {"expression": query["expr"], "returnByValue": True,
                                                       "awaitPromise": True})
                self.answer(200, json.dumps(result["result"].get("value")))
            elif url.path == "/shot":
                picture = tab.call("Page.captureScreenshot", {"format": "png"})
                with open(os.path.join(shots, query["name"] + ".png"), "wb") as f:
                    f.write(base64.b64decode(picture["data"]))
                self.answer(200, "ok")
            else:
                self.answer(404, "unknown")
        except Exception as e:  # the driver reports what went wrong
            self.answer(500, "%s: %s" % (type(e).__name__, e))

    def log_message(self, *_):
        pass


server = HTTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".part", "w") as f:
    f.write(str(server.server_address[1]))
os.replace(port_file + ".part", port_file)
server.serve_forever()
