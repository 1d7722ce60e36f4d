"""The page in one file in headless Firefox, opened from the disk (run by tools/web-check).

  /usr/bin/python3 tools/web_check_firefox.py ONE_FILE REFERENCE

Debian has no geckodriver, so this speaks WebDriver BiDi, which Firefox serves itself, over a
WebSocket (python3-websocket). It checks that the page starts from file://, that the calculator
shows tunecalc's start-up report, that K1ABC FN42 37 gives tonepak's files byte for byte, and
that the include file reads back. Exits 0 when every check passed, 1 otherwise.
"""
import base64
import json
import pathlib
import shutil
import socket
import subprocess
import sys
import tempfile
import time

import websocket

one_file, reference = (pathlib.Path(a).resolve() for a in sys.argv[1:3])
failures = []


def check(ok, what):
    print(f"== web-check: {'ok' if ok else 'FAILED'}: Firefox: {what}", file=sys.stderr)
    if not ok:
        failures.append(what)


class Bidi:
    def __init__(self, port):
        deadline = time.monotonic() + 60
        while True:
            try:
                self.ws = websocket.create_connection(f"ws://127.0.0.1:{port}/session", timeout=60,
                                                     suppress_origin=True)
                break
            except OSError:
                if time.monotonic() > deadline:
                    raise
                time.sleep(0.5)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            answer = json.loads(self.ws.recv())
            if answer.get("id") == self.next_id:
                if answer.get("type") == "error":
                    raise RuntimeError(f"{method}: {answer.get('message')}")
                return answer["result"]

    def run(self, context, script):
        """The value of an async function body `script`, passed through JSON."""
        result = self.call("script.evaluate", expression=f"(async () => JSON.stringify(await "
                           f"(async () => {{ {script} }})()))()", awaitPromise=True,
                           target={"context": context})
        if result.get("type") == "exception":
            raise RuntimeError(result["exceptionDetails"]["text"])
        return json.loads(result["result"]["value"])


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def checks(bidi, context):
    bidi.call("browsingContext.navigate", context=context, url=one_file.as_uri(), wait="complete")
    started = bidi.run(context, """
        for (let i = 0; i < 200; ++i) {
          if (performance.getEntriesByName('first-calculation').length > 0) {
            return document.getElementById('PageProblem').hidden;
          }
          if (!document.getElementById('PageProblem').hidden) return false;
          await new Promise((r) => setTimeout(r, 100));
        }
        return false;""")
    check(started, "the page in one file starts from file://")
    if not started:
        return
    start = subprocess.run([str(reference / "tunecalc"), "--json", "20", "1", "1", "1", "2", "2",
                            "1"], check=True, capture_output=True)
    shown = bidi.run(context, "return document.getElementById('Results').value;")
    check(shown.replace("\n", "\r\n") == json.loads(start.stdout)["results"],
          "the start-up Results equal tunecalc's")
    files = bidi.run(context, """
        for (const [id, text] of [['Callsign', 'K1ABC'], ['Locator', 'FN42'], ['Power', '37']]) {
          document.getElementById(id).value = text;
        }
        document.getElementById('Encode').click();
        const got = {};
        for (const link of document.querySelectorAll('#Downloads a')) {
          const bytes = new Uint8Array(await (await fetch(link.href)).arrayBuffer());
          let text = '';
          for (let i = 0; i < bytes.length; i += 0x8000) {
            text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
          }
          got[link.download] = btoa(text);
        }
        return got;""")
    names = ["wsptones.inc", "a.au", "wsptones.h"]
    check(sorted(files) == sorted(names), f"K1ABC FN42 37 offers {names} ({sorted(files)})")
    for name in names:
        same = name in files and base64.b64decode(files[name]) == (
            reference / "single" / name).read_bytes()
        check(same, f"K1ABC FN42 37: {name} byte-identical to the Linux tonepak's")
    include = base64.b64encode((reference / "single" / "wsptones.inc").read_bytes()).decode()
    read = bidi.run(context, f"""
        const bytes = Uint8Array.from(atob('{include}'), (c) => c.charCodeAt(0));
        const chosen = new DataTransfer();
        chosen.items.add(new File([bytes], 'wsptones.inc'));
        const input = document.getElementById('ReadFile');
        input.files = chosen.files;
        input.dispatchEvent(new Event('change'));
        const shown = document.getElementById('ReadMessage');
        for (let i = 0; i < 100 && shown.textContent === ''; ++i) {{
          await new Promise((r) => setTimeout(r, 100));
        }}
        return shown.textContent;""")
    check(read == "K1ABC FN42 37", f"wsptones.inc read back ({read})")


def main():
    port = free_port()
    with tempfile.TemporaryDirectory() as profile:
        firefox = subprocess.Popen(
            [shutil.which("firefox-esr") or "firefox", "--headless", "--no-remote",
             "--profile", profile, f"--remote-debugging-port={port}", "about:blank"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            bidi = Bidi(port)
            bidi.call("session.new", capabilities={})
            context = bidi.call("browsingContext.getTree")["contexts"][0]["context"]
            checks(bidi, context)
            bidi.call("session.end")
        except (OSError, RuntimeError, websocket.WebSocketException) as error:
            check(False, f"driving Firefox: {error}")
        finally:
            firefox.terminate()
            firefox.wait(30)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
