#!/usr/bin/env python3
"""What a web page costs its player: its download, gzipped, and how long after the page
starts loading its first frame is drawn, in headless Chromium.

    web-page-cost.py PAGE_FOLDER PAGE.html [--runs N] [--query Q] [--line TEXT]...

Prints each file's size as served and gzipped (level 6, as web servers compress), the
total, then the median, lowest and highest of N runs (default 5) of: the first draw call
of the first frame, and the end of that frame's task, in milliseconds from the start of
navigation. With --line, also when the page first logged a line holding TEXT (e.g.
"Python initialized."), for each --line given. The page is served by tools/serve-page.py from this machine, so
the network costs nothing here: add the download time of the gzipped total at the
player's own speed.
"""

import argparse
import gzip
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "tests", "Web"))
from page_shot import Browser  # noqa: E402

# Notes the first WebGL draw of the page, and the end of the task that drew it (the frame
# is shown once that task is done).
FIRST_FRAME_HOOK = """
(() => {
  const getContext = HTMLCanvasElement.prototype.getContext;
  let drawn = false;
  HTMLCanvasElement.prototype.getContext = function (...args) {
    const context = getContext.apply(this, args);
    if (context && String(args[0]).startsWith('webgl') && !context.firstFrameTimed) {
      context.firstFrameTimed = true;
      for (const name of ['drawArrays', 'drawElements']) {
        const draw = context[name];
        context[name] = function (...drawArgs) {
          if (!drawn) {
            drawn = true;
            const start = performance.now();
            setTimeout(() => console.log('first frame: ' + start + ' ' + performance.now()), 0);
          }
          return draw.apply(this, drawArgs);
        };
      }
    }
    return context;
  };
})();
"""


def sizes(folder):
    rows = []
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if os.path.isfile(path):
            with open(path, "rb") as page_file:
                data = page_file.read()
            rows.append((name, len(data), len(gzip.compress(data, compresslevel=6))))
    return rows


def one_run(url, lines, timeout):
    with tempfile.TemporaryDirectory() as profile:
        browser = Browser(profile, 1024, 768)
        deadline = time.monotonic() + timeout
        try:
            target = next(t for t in browser.call("Target.getTargets", session=False, deadline=deadline)["targetInfos"]
                          if t["type"] == "page")["targetId"]
            browser.session = browser.call("Target.attachToTarget", {"targetId": target, "flatten": True},
                                           session=False, deadline=deadline)["sessionId"]
            browser.call("Page.enable", deadline=deadline)
            browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_HOOK}, deadline=deadline)
            # Console events carry the wall clock; the page's own clock starts at navigation.
            stamps = []
            original_note = browser.note

            def note(message):
                original_note(message)
                if message.get("method") == "Runtime.consoleAPICalled":
                    stamps.append((browser.console[-1], message["params"]["timestamp"]))

            browser.note = note
            browser.call("Runtime.enable", deadline=deadline)
            browser.call("Page.navigate", {"url": url}, deadline=deadline)
            while not any(text.startswith("first frame: ") for text in browser.console) or not all(
                    any(line in text for text in browser.console) for line in lines):
                browser.receive(deadline)
            origin = browser.call("Runtime.evaluate", {"expression": "performance.timeOrigin", "returnByValue": True},
                                  deadline=deadline)["result"]["value"]
            drawn, done = (float(v) for v in next(
                t for t in browser.console if t.startswith("first frame: ")).split()[2:4])
            return [drawn, done] + [next(stamp for text, stamp in stamps if line in text) - origin for line in lines]
        finally:
            browser.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("folder")
    parser.add_argument("page")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--query", default="")
    parser.add_argument("--line", action="append", default=[])
    parser.add_argument("--timeout", type=float, default=120.0)
    args = parser.parse_args()

    rows = sizes(args.folder)
    for name, raw, packed in rows:
        print(f"{name:24} {raw / 1e6:8.3f} MB  {packed / 1e6:8.3f} MB gzipped")
    print(f"{'total':24} {sum(r[1] for r in rows) / 1e6:8.3f} MB  {sum(r[2] for r in rows) / 1e6:8.3f} MB gzipped")

    server = subprocess.Popen([sys.executable, os.path.join(here, "serve-page.py"), args.folder],
                              stdout=subprocess.PIPE, text=True)
    try:
        address = server.stdout.readline().strip()
        url = f"{address}{args.page}{'?' + args.query if args.query else ''}"
        results = [one_run(url, args.line, args.timeout) for _ in range(args.runs)]
    finally:
        server.terminate()
        server.wait()
    columns = [("first draw", 0), ("first frame done", 1)] + [(f"'{line}'", 2 + i) for i, line in enumerate(args.line)]
    for label, index in columns:
        values = [r[index] for r in results]
        print(f"{label:24} median {statistics.median(values):7.0f} ms  (min {min(values):.0f}, max {max(values):.0f},"
              f" {len(values)} runs)")
    print(json.dumps({"runs": results}))


if __name__ == "__main__":
    main()
