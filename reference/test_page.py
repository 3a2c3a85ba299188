#!/usr/bin/python3
"""Opens the reference page in headless Chromium and checks it as a reader sees it.

    test_page.py PAGE.html TABLES.json SCREENSHOT.png

Drives Chromium over its DevTools protocol (python3-websocket) and fails when
an image does not load, an action of the catalogue lacks its section and
anchor, a table-of-contents link points nowhere, the page loads anything from
outside its folder, or the console shows an error. Saves a screenshot of the
top of the page, and one of an action with a large dialog beside it.
"""
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request
from pathlib import Path

import websocket

DEADLINE = 60  # seconds for Chromium to start and the page to load


class Browser:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="hq-chromium-")
        exe = shutil.which("chromium") or shutil.which("chromium-browser")
        if not exe:
            raise SystemExit("test_page: chromium is not installed (scripts/setup.sh installs it)")
        self.proc = subprocess.Popen(
            [exe, "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run", "--hide-scrollbars",
             "--remote-debugging-port=0", "--user-data-dir=" + self.profile, "--window-size=1280,1600",
             "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = Path(self.profile, "DevToolsActivePort")
        port = self._until(lambda: port_file.is_file() and port_file.read_text().split("\n")[0].strip(),
                           "Chromium did not open its DevTools port")
        pages = self._until(lambda: [t for t in self._json("http://127.0.0.1:%s/json/list" % port)
                                     if t.get("type") == "page"], "Chromium shows no page")
        self.ws = websocket.create_connection(pages[0]["webSocketDebuggerUrl"], timeout=DEADLINE)
        self.next_id = 0
        self.events = []

    @staticmethod
    def _json(url):
        try:
            with urllib.request.urlopen(url, timeout=5) as r:
                return json.loads(r.read().decode())
        except OSError:
            return None

    def _until(self, probe, message):
        end = time.monotonic() + DEADLINE
        while time.monotonic() < end:
            value = probe()
            if value:
                return value
            if self.proc.poll() is not None:
                raise SystemExit("test_page: Chromium exited (%d)" % self.proc.returncode)
            time.sleep(0.05)  # polling step while waiting for the condition, not a fixed wait
        raise SystemExit("test_page: " + message)

    def call(self, method, **params):
        self.next_id += 1
        my_id = self.next_id
        self.ws.send(json.dumps({"id": my_id, "method": method, "params": params}))
        while True:
            msg = json.loads(self.ws.recv())
            if msg.get("id") == my_id:
                if "error" in msg:
                    raise SystemExit("test_page: %s failed: %s" % (method, msg["error"]))
                return msg.get("result", {})
            if "method" in msg:
                self.events.append(msg)

    def wait_event(self, method):
        end = time.monotonic() + DEADLINE
        while not any(e["method"] == method for e in self.events):
            if time.monotonic() > end:
                raise SystemExit("test_page: no %s within %d s" % (method, DEADLINE))
            msg = json.loads(self.ws.recv())
            if "method" in msg:
                self.events.append(msg)

    def evaluate(self, expression):
        r = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in r:
            raise SystemExit("test_page: page script failed: %s" % r["exceptionDetails"])
        return r["result"]["value"]

    def screenshot(self, path, clip):
        r = self.call("Page.captureScreenshot", format="png", captureBeyondViewport=True,
                      clip=dict(clip, scale=1))
        Path(path).write_bytes(base64.b64decode(r["data"]))

    def close(self):
        try:
            self.ws.close()
        finally:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.proc.kill()
            shutil.rmtree(self.profile, ignore_errors=True)


# Runs inside the page once it has loaded: everything the checks need, as data.
PROBE = """(async () => {
  const imgs = [...document.images];
  await Promise.all(imgs.map(i => i.decode().catch(() => null)));
  return {
    images: imgs.map(i => ({src: i.getAttribute('src'), ok: i.complete && i.naturalWidth > 0})),
    sections: [...document.querySelectorAll('section.action')].map(s => s.id),
    toc: [...document.querySelectorAll('nav a')].map(a => a.getAttribute('href')),
    anchors: [...document.querySelectorAll('[id]')].map(e => e.id),
    resources: performance.getEntriesByType('resource').map(r => r.name),
    links: [...document.querySelectorAll('link[href], script[src]')].map(e => e.href || e.src),
    charset: document.characterSet,
    height: document.documentElement.scrollHeight,
  };
})()"""


def check(page, tables):
    catalogue = json.loads(Path(tables).read_text(encoding="utf-8"))["catalogue"]
    actions = [r["name"] for r in catalogue if r["id"] != 0]
    browser = Browser()
    problems = []
    try:
        for domain in ("Page", "Runtime", "Log", "Network"):
            browser.call(domain + ".enable")
        browser.call("Page.navigate", url=Path(page).resolve().as_uri())
        browser.wait_event("Page.loadEventFired")
        got = browser.evaluate(PROBE)

        bad = [i["src"] for i in got["images"] if not i["ok"]]
        if bad:
            problems.append("images that do not load: %s" % ", ".join(bad))
        if len(got["images"]) < 26:
            problems.append("only %d dialog pictures on the page" % len(got["images"]))
        missing = [a for a in actions if a not in got["sections"]]
        if missing:
            problems.append("actions without a section: %s" % ", ".join(missing))
        if got["sections"] != [s for s in got["sections"] if s in actions] or len(got["sections"]) != len(actions):
            problems.append("the sections are not the catalogue's actions: %s" % got["sections"])
        elif got["sections"] != actions:
            problems.append("the sections are not in catalogue order")
        untoc = [a for a in actions if "#" + a not in got["toc"]]
        if untoc:
            problems.append("actions missing from the contents: %s" % ", ".join(untoc))
        dangling = [h for h in got["toc"] if not h.startswith("#") or h[1:] not in got["anchors"]]
        if dangling:
            problems.append("contents links that point nowhere: %s" % ", ".join(dangling))
        outside = [r for r in got["resources"] + got["links"] if not r.startswith(Path(page).resolve().parent.as_uri())]
        if outside:
            problems.append("resources from outside the page's folder: %s" % ", ".join(outside))
        if got["charset"] != "UTF-8":
            problems.append("page read as %s" % got["charset"])

        for e in browser.events:
            m, p = e["method"], e["params"]
            if m == "Runtime.exceptionThrown":
                problems.append("console: exception %s" % p["exceptionDetails"].get("text"))
            elif m == "Runtime.consoleAPICalled" and p["type"] in ("error", "assert"):
                problems.append("console: %s" % " ".join(str(a.get("value")) for a in p["args"]))
            elif m == "Log.entryAdded" and p["entry"]["level"] == "error":
                problems.append("console: %s %s" % (p["entry"]["text"], p["entry"].get("url", "")))
            elif m == "Network.loadingFailed":
                problems.append("load failed: %s" % p.get("errorText"))
        return browser, problems
    except BaseException:
        browser.close()
        raise


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    page, tables, shot = argv[1:]
    browser, problems = check(page, tables)
    try:
        browser.screenshot(shot, {"x": 0, "y": 0, "width": 1280, "height": 1600})
        box = browser.evaluate("(() => { const e = document.getElementById('fzSetWatermark'); if (!e) return null;"
                               " const r = e.getBoundingClientRect(); return {x: 0, y: r.top + scrollY - 8, "
                               "width: 1280, height: r.height + 16}; })()")
        if box:
            browser.screenshot(os.path.splitext(shot)[0] + "-watermark.png", box)
    finally:
        browser.close()
    for p in problems:
        print("test_page: FAIL: %s" % p)
    if problems:
        return 1
    print("test_page: PASS: %s — images load, %s sections and contents links resolve, no console errors; "
          "screenshot %s" % (page, "all catalogue", shot))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
