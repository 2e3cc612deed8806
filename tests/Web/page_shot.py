#!/usr/bin/env python3
"""Opens a page in headless Chromium, waits until the page logs a given line, and takes a
screenshot of the page as shown then.

    page_shot.py URL OUT.png LOG --until TEXT [--profile FOLDER] [--size WxH] [--timeout S]
                 [--text-of ID] [--evaluate JS... --then TEXT]

Every line the page logs goes to LOG, exceptions as "exception: ...". Exits 1 with one
line saying why when the line doesn't come within the timeout (default 240 s) or the
browser fails. With --text-of, prints the text of the page's element of that id, as it
reads once the timers the page had set when the line came have run. With --evaluate,
runs each JS expression in the page, in order, once the line has come, and takes the
picture when the page then logs the --then line.

The browser is driven over its debugging protocol on a pipe, so the picture is taken when
the page is done, however long loading takes on a busy machine: a virtual clock given a
budget runs ahead while the page waits for anything but the network, and the page could
then be caught before it was done.
"""

import argparse
import base64
import fcntl
import json
import os
import select
import subprocess
import sys
import tempfile
import time

CHROMIUM_FLAGS = [
    "--headless",
    "--no-sandbox",
    "--use-angle=swiftshader",
    "--enable-unsafe-swiftshader",
    "--autoplay-policy=no-user-gesture-required",
    "--disable-background-networking",
    "--disable-component-update",
    "--disable-sync",
    "--disable-quic",
    "--no-first-run",
    "--remote-debugging-pipe",
]


class Browser:
    def __init__(self, profile, width, height):
        to_browser_read, self.to_browser = os.pipe()
        self.from_browser, from_browser_write = os.pipe()

        def hand_over_pipes():
            # The browser reads commands on descriptor 3 and answers on 4. Copies above
            # them first, in case a pipe end already sits on 3 or 4.
            read_copy = fcntl.fcntl(to_browser_read, fcntl.F_DUPFD, 10)
            write_copy = fcntl.fcntl(from_browser_write, fcntl.F_DUPFD, 10)
            os.dup2(read_copy, 3)
            os.dup2(write_copy, 4)

        self.process = subprocess.Popen(
            ["chromium", *CHROMIUM_FLAGS, f"--user-data-dir={profile}", f"--window-size={width},{height}"],
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
            pass_fds=(3, 4),
            preexec_fn=hand_over_pipes,
        )
        os.close(to_browser_read)
        os.close(from_browser_write)
        self.next_id = 0
        self.buffer = b""
        self.session = None
        self.console = []

    def send(self, method, params=None, session=True):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self.to_browser, json.dumps(message).encode() + b"\0")
        return self.next_id

    def call(self, method, params=None, session=True, deadline=None):
        """Sends a command and returns its result, noting the events that come first."""
        wanted = self.send(method, params, session)
        while True:
            message = self.receive(deadline)
            if message.get("id") == wanted:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error'].get('message')}")
                return message.get("result", {})

    def receive(self, deadline):
        while b"\0" not in self.buffer:
            left = None if deadline is None else deadline - time.monotonic()
            if left is not None and left <= 0:
                raise TimeoutError
            ready, _, _ = select.select([self.from_browser], [], [], left)
            if not ready:
                raise TimeoutError
            chunk = os.read(self.from_browser, 1 << 20)
            if not chunk:
                raise RuntimeError("the browser closed its pipe")
            self.buffer += chunk
        raw, self.buffer = self.buffer.split(b"\0", 1)
        message = json.loads(raw)
        self.note(message)
        return message

    def note(self, message):
        method = message.get("method")
        params = message.get("params", {})
        if method == "Runtime.consoleAPICalled":
            self.console.append(" ".join(str(arg.get("value", arg.get("description", ""))) for arg in params["args"]))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            self.console.append("exception: " + details.get("exception", {}).get("description", details.get("text", "")))

    def close(self):
        try:
            self.send("Browser.close", session=False)
            self.process.wait(timeout=10)
        except (OSError, subprocess.TimeoutExpired):
            self.process.kill()
            self.process.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("url")
    parser.add_argument("out")
    parser.add_argument("log")
    parser.add_argument("--until", required=True)
    parser.add_argument("--profile")
    parser.add_argument("--size", default="1024x768")
    parser.add_argument("--timeout", type=float, default=240.0)
    parser.add_argument("--text-of")
    parser.add_argument("--evaluate", action="append", default=[])
    parser.add_argument("--then")
    args = parser.parse_args()
    if bool(args.evaluate) != bool(args.then):
        parser.error("--evaluate and --then go together")
    width, height = (int(side) for side in args.size.split("x"))

    with tempfile.TemporaryDirectory() as scratch:
        browser = Browser(args.profile or scratch, width, height)
        deadline = time.monotonic() + args.timeout
        try:
            page = next((target for target in browser.call("Target.getTargets", session=False, deadline=deadline)
                         ["targetInfos"] if target["type"] == "page"), None)
            target = page["targetId"] if page else browser.call(
                "Target.createTarget", {"url": "about:blank"}, session=False, deadline=deadline)["targetId"]
            browser.session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True},
                                           session=False, deadline=deadline)["sessionId"]
            browser.call("Emulation.setDeviceMetricsOverride",
                         {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False},
                         deadline=deadline)
            browser.call("Runtime.enable", deadline=deadline)
            browser.call("Page.navigate", {"url": args.url}, deadline=deadline)
            while not any(args.until in line for line in browser.console):
                browser.receive(deadline)
            for expression in args.evaluate:
                result = browser.call("Runtime.evaluate", {"expression": expression}, deadline=deadline)
                if "exceptionDetails" in result:
                    details = result["exceptionDetails"]
                    raise RuntimeError("evaluating " + expression + ": " +
                                       details.get("exception", {}).get("description", details.get("text", "")))
            while args.then and not any(args.then in line for line in browser.console):
                browser.receive(deadline)
            # The last frame is drawn; two display frames later it is on the page.
            browser.call("Runtime.evaluate", {
                "expression": "new Promise(r => requestAnimationFrame(() => requestAnimationFrame(() => r(1))))",
                "awaitPromise": True}, deadline=deadline)
            if args.text_of:
                # A timer set now runs after every timer set before it with a shorter delay.
                browser.call("Runtime.evaluate", {
                    "expression": "new Promise(r => setTimeout(() => r(1), 100))",
                    "awaitPromise": True}, deadline=deadline)
                text = browser.call("Runtime.evaluate", {
                    "expression": f"document.getElementById({json.dumps(args.text_of)}).textContent",
                    "returnByValue": True}, deadline=deadline)
                print(text.get("result", {}).get("value", ""))
            shot = browser.call("Page.captureScreenshot", {"format": "png"}, deadline=deadline)
            with open(args.out, "wb") as out:
                out.write(base64.b64decode(shot["data"]))
            status = 0
        except TimeoutError:
            print(f"the page did not log \"{args.until}\" within {args.timeout:.0f} s", file=sys.stderr)
            status = 1
        except RuntimeError as error:
            print(f"the browser failed: {error}", file=sys.stderr)
            status = 1
        finally:
            browser.close()
            with open(args.log, "w", encoding="utf-8") as log:
                log.write("".join(line + "\n" for line in browser.console))
    sys.exit(status)


if __name__ == "__main__":
    main()
