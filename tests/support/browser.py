"""Headless Chromium driven over its DevTools protocol on a pipe (--remote-debugging-pipe):
JSON messages, each ended by a zero byte, on file descriptors 3 (to the browser) and 4
(from it). Only the few commands the site's tests need."""

import base64
import json
import os
import select
import shutil
import subprocess
import tempfile
import time


class BrowserError(Exception):
    pass


class Browser:
    """One headless browser with one page (tab); close() ends it."""

    def __init__(self, program="/usr/bin/chromium", timeout=60):
        self.timeout = timeout
        self.profile = tempfile.mkdtemp(prefix="kzo-browser-")
        to_browser, self._out = os.pipe()
        self._in, from_browser = os.pipe()

        def connect():
            os.dup2(to_browser, 3)
            os.dup2(from_browser, 4)

        self.process = subprocess.Popen(
            [program, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-extensions", "--hide-scrollbars",
             "--remote-debugging-pipe", "--user-data-dir=" + self.profile, "about:blank"],
            pass_fds=(3, 4), preexec_fn=connect, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        self._buffer = b""
        self._id = 0
        self._events = []
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]
        self.call("Page.enable", session=True)

    def _receive(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._in], [], [], left)[0]:
                raise BrowserError("no answer from the browser in time")
            chunk = os.read(self._in, 1 << 16)
            if not chunk:
                raise BrowserError("the browser closed its pipe")
            self._buffer += chunk
        message, _, self._buffer = self._buffer.partition(b"\0")
        return json.loads(message)

    def call(self, method, params=None, session=False):
        """Sends a command and returns its result; events that come first are kept."""
        self._id += 1
        message = {"id": self._id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = self.session
        os.write(self._out, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + self.timeout
        while True:
            answer = self._receive(deadline)
            if answer.get("id") == self._id:
                if "error" in answer:
                    raise BrowserError("%s: %s" % (method, answer["error"]))
                return answer.get("result", {})
            self._events.append(answer)

    def _wait_for_event(self, method):
        deadline = time.monotonic() + self.timeout
        while True:
            for event in self._events:
                if event.get("method") == method:
                    self._events.remove(event)
                    return event
            self._events.append(self._receive(deadline))

    def resize(self, width, height, mobile=False):
        self.call("Emulation.setDeviceMetricsOverride",
                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile},
                  session=True)

    def open(self, url):
        """Opens the page and waits until it has loaded, its scripts run."""
        self._events.clear()
        self.call("Page.navigate", {"url": url}, session=True)
        self._wait_for_event("Page.loadEventFired")

    def evaluate(self, expression):
        """The value of a JavaScript expression in the page (JSON-like values only)."""
        result = self.call("Runtime.evaluate",
                           {"expression": expression, "returnByValue": True,
                            "awaitPromise": True}, session=True)
        if "exceptionDetails" in result:
            raise BrowserError("script failed: %s" % result["exceptionDetails"])
        return result["result"].get("value")

    def screenshot(self, path, most_height=4000):
        """A picture of the page as wide as the window, as long as the page (at most
        most_height pixels)."""
        size = self.call("Page.getLayoutMetrics", session=True)["cssContentSize"]
        clip = {"x": 0, "y": 0, "width": size["width"],
                "height": min(size["height"], most_height), "scale": 1}
        shot = self.call("Page.captureScreenshot",
                         {"format": "png", "captureBeyondViewport": True, "clip": clip},
                         session=True)
        with open(path, "wb") as out:
            out.write(base64.b64decode(shot["data"]))

    def close(self):
        try:
            self.call("Browser.close")
        except BrowserError:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._in)
        os.close(self._out)
        shutil.rmtree(self.profile, ignore_errors=True)
