"""The web page in headless Chromium, driven through chromedriver (run by tools/web-check).

  /usr/bin/python3 tools/web_check.py SITE ONE_FILE REFERENCE PICTURES

SITE is the built site, ONE_FILE the page in one file, REFERENCE a folder holding the native
programs' answers (see tools/web-check), PICTURES where the screenshots go. Serves SITE on
127.0.0.1 itself and runs every check on it, then on ONE_FILE opened from the disk (file://);
prints what it measured, and exits 0 when every check passed, 1 otherwise.
"""
import base64
import functools
import http.server
import json
import pathlib
import subprocess
import sys
import tempfile
import threading

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

site, one_file, reference, pictures = (pathlib.Path(a).resolve() for a in sys.argv[1:5])
tunecalc = reference / "tunecalc"
failures = []


def check(ok, what):
    print(f"== web-check: {'ok' if ok else 'FAILED'}: {what}", file=sys.stderr)
    if not ok:
        failures.append(what)


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    requested = []
    # Open, the WebAssembly is served at once; closed, its request waits, as on a slow link.
    wasm_gate = threading.Event()

    def log_message(self, *args):
        QuietHandler.requested.append(self.path)

    def do_GET(self):
        if self.path.startswith("/wspr.wasm"):
            QuietHandler.wasm_gate.wait(60)
        super().do_GET()


def serve():
    handler = functools.partial(QuietHandler, directory=str(site))
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    # driver.get returns once the document is parsed, so that the page can be seen loading.
    options.page_load_strategy = "eager"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--window-size=1400,1000",
                 "--lang=en-US", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def calc(*args):
    """tunecalc --json for the same inputs: what the window would show."""
    out = subprocess.run([str(tunecalc), "--json", *args], check=True, capture_output=True)
    return json.loads(out.stdout)


def value(driver, element_id):
    return driver.find_element(By.ID, element_id).get_property("value")


def results(driver):
    return value(driver, "Results").replace("\n", "\r\n")


def type_into(driver, element_id, text):
    box = driver.find_element(By.ID, element_id)
    box.click()
    box.send_keys(Keys.CONTROL, "a")
    box.send_keys(Keys.DELETE)
    box.send_keys(text)


def colour(driver, element_id):
    return driver.find_element(By.ID, element_id).value_of_css_property("color")


def blob_bytes(driver, link):
    text = driver.execute_async_script(
        """const [link, done] = arguments;
        fetch(link.href).then((r) => r.arrayBuffer()).then((buffer) => {
          const bytes = new Uint8Array(buffer);
          let text = '';
          for (let i = 0; i < bytes.length; i += 0x8000) {
            text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
          }
          done(btoa(text));
        });""", link)
    return base64.b64decode(text)


def encode(driver, words, reference, names):
    """Encodes the words on the page; its links and trace must be tonepak's in `reference`."""
    message = " ".join(words)
    for field, text in zip(("Callsign", "Locator", "Power"), words):
        type_into(driver, field, text)
    driver.find_element(By.ID, "Power").send_keys(Keys.ENTER)
    links = WebDriverWait(driver, 20).until(
        lambda d: (found := d.find_elements(By.CSS_SELECTOR, "#Downloads a"))
        and [a.get_attribute("download") for a in found] == names and found)
    for link in links:
        name = link.get_attribute("download")
        same = blob_bytes(driver, link) == (reference / name).read_bytes()
        check(same, f"{message}: {name} byte-identical to the Linux tonepak's")
    trace = driver.find_element(By.ID, "Trace").get_property("textContent")
    check(trace == (reference / "trace.txt").read_text(), f"{message}: the trace is tonepak's")


def fst4w(driver, reference):
    """FST4W-300 chosen, a compound call with its power (the locator left empty): tonepak's
    files and trace; its wsptones.inc read back with its checks; then WSPR again."""
    Select(driver.find_element(By.ID, "EncodeMode")).select_by_value("fst4w-300")
    for field, text in (("Callsign", "PJ4/K1ABC"), ("Locator", ""), ("Power", "37")):
        type_into(driver, field, text)
    driver.find_element(By.ID, "Power").send_keys(Keys.ENTER)
    expected = (reference / "trace.txt").read_text()
    try:
        WebDriverWait(driver, 20).until(
            lambda d: d.find_element(By.ID, "Trace").get_property("textContent") == expected)
    except TimeoutException:
        pass
    trace = driver.find_element(By.ID, "Trace").get_property("textContent")
    check(trace == expected, "FST4W-300 PJ4/K1ABC 37: the trace is tonepak --mode's")
    links = driver.find_elements(By.CSS_SELECTOR, "#Downloads a")
    names = [a.get_attribute("download") for a in links]
    check(names == ["wsptones.inc", "a.au", "wsptones.h"], f"FST4W-300: the files ({names})")
    for link in links:
        name = link.get_attribute("download")
        check(blob_bytes(driver, link) == (reference / name).read_bytes(),
              f"FST4W-300: {name} byte-identical to the Linux tonepak's")
    driver.find_element(By.ID, "ReadFile").send_keys(str(reference / "wsptones.inc"))
    want = ("PJ4/K1ABC 37\nFST4W-300: sync 40 of 40, LDPC parity checks 166 of 166, "
            "CRC-24 matches")
    try:
        WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "ReadMessage").text == want)
    except TimeoutException:
        pass
    read = driver.find_element(By.ID, "ReadMessage").text
    check(read == want, f"FST4W wsptones.inc read back ({read})")
    Select(driver.find_element(By.ID, "EncodeMode")).select_by_value("wspr")


def telemetry(driver, reference):
    """Balloon telemetry: tonepak --telemetry's files and trace, the message and its values under
    the button, its a.au read back with what it carries; then a value that is no number refused
    at its marked box, with no files."""
    boxes = ("id", "subsquare", "altitude", "temperature", "volts", "knots")
    for box, text in zip(boxes, ("06", "XS", "12360", "-28", "3.35", "72")):
        type_into(driver, f"telemetry-{box}", text)
    driver.find_element(By.ID, "telemetry-encode").click()
    names = ["wsptones.inc", "a.au", "wsptones.h"]
    links = WebDriverWait(driver, 20).until(
        lambda d: (found := d.find_elements(By.CSS_SELECTOR, "#Downloads a"))
        and [a.get_attribute("download") for a in found] == names and found)
    for link in links:
        name = link.get_attribute("download")
        check(blob_bytes(driver, link) == (reference / name).read_bytes(),
              f"telemetry: {name} byte-identical to tonepak --telemetry's")
    trace = driver.find_element(By.ID, "Trace").get_property("textContent")
    check(trace == (reference / "trace.txt").read_text(), "telemetry: the trace is tonepak's")
    sent = driver.find_element(By.ID, "telemetry-says").get_property("textContent")
    check(sent.startswith("Telemetry message: 0Y6RLQ EI27 33") and "  altitude     12360 m\n" in sent,
          f"telemetry: the message and its values under the button ({sent[:60]})")
    driver.execute_script("document.getElementById('ReadMessage').textContent = ''")
    driver.find_element(By.ID, "ReadFile").send_keys(str(reference / "a.au"))
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "ReadMessage").text != "")
    read = driver.find_element(By.ID, "ReadMessage").text
    check(read == "0Y6RLQ EI27 33\ntelemetry 06: subsquare XS, 12360 m, -28 C, 3.35 V, 72 kn, "
          "GPS valid", f"telemetry a.au read back ({read})")

    type_into(driver, "telemetry-altitude", "12k")
    driver.find_element(By.ID, "telemetry-encode").click()
    says = driver.find_element(By.ID, "telemetry-says").text
    check(says == 'ALTITUDE must be a number, not "12k"' and
          driver.find_element(By.ID, "telemetry-altitude").get_attribute("aria-invalid") == "true"
          and not driver.find_elements(By.CSS_SELECTOR, "#Downloads a"),
          f"telemetry: a value that is no number refused at its marked box, no files ({says})")
    type_into(driver, "telemetry-altitude", "12360")


def main():
    server = serve()
    base = f"http://127.0.0.1:{server.server_address[1]}/"
    with tempfile.TemporaryDirectory() as profile:
        driver = browser(profile)
        driver.set_script_timeout(60)
        try:
            before_loading(driver, base)
            QuietHandler.wasm_gate.set()
            if not failures:
                run(driver, base, True)
            # The site's own page opened from the disk: Chromium loads no module beside it,
            # and the page says where to turn.
            driver.get((site / "index.html").as_uri())
            problem = driver.find_element(By.ID, "PageProblem")
            try:
                WebDriverWait(driver, 20).until(lambda d: problem.is_displayed())
            except TimeoutException:
                pass  # the check below fails
            check("wspr-beacon-tools.html" in problem.text and
                  not driver.find_element(By.ID, "Loading").is_displayed(),
                  f"the served page from file:// points to the page in one file ({problem.text})")
            print(f"== web-check: the page in one file, {one_file.stat().st_size} bytes, "
                  "opened from the disk", file=sys.stderr)
            if not failures:
                run(driver, one_file.as_uri(), False)
            if not failures:
                narrow(driver)
        finally:
            QuietHandler.wasm_gate.set()
            driver.quit()
            server.shutdown()
    if failures:
        print(f"== web-check: FAILED: {len(failures)} checks: {'; '.join(failures)}",
              file=sys.stderr)
        return 1
    return 0


def first_calculation(driver):
    WebDriverWait(driver, 20).until(lambda d: d.execute_script(
        "return performance.getEntriesByName('first-calculation').length > 0"))


def before_loading(driver, base):
    """The page before its WebAssembly has come (its request held back): the calculator laid
    out with no two controls over each other, a loading notice, and nothing that submits the
    page."""
    QuietHandler.wasm_gate.clear()
    driver.get(base)
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "Loading").is_displayed())
    check(not driver.execute_script(
        "return performance.getEntriesByName('first-calculation').length > 0"),
        "the page waits for its WebAssembly")
    overlaps = driver.execute_script(
        """const boxes = [...document.querySelectorAll('#TuneworksForm > *')]
             .filter((e) => !e.classList.contains('unseen'))
             .map((e) => [e.id, e.getBoundingClientRect()]);
        const found = [];
        for (const [i, [a, r]] of boxes.entries()) {
          for (const [b, q] of boxes.slice(i + 1)) {
            const wide = Math.min(r.right, q.right) - Math.max(r.left, q.left);
            const high = Math.min(r.bottom, q.bottom) - Math.max(r.top, q.top);
            if (wide > 2 && high > 2) { // the window's own boxes touch by a pixel
              found.push(`${a}/${b}`);
            }
          }
        }
        return found;""")
    check(not overlaps, f"the calculator laid out before loading, no box over another ({overlaps})")
    type_into(driver, "Callsign", "K1ABC")
    driver.find_element(By.ID, "Callsign").send_keys(Keys.ENTER)
    driver.find_element(By.ID, "Encode").click()
    check(driver.current_url == base and value(driver, "Callsign") == "K1ABC",
          f"Enter and Encode before loading keep the page and the call ({driver.current_url})")
    QuietHandler.wasm_gate.set()
    first_calculation(driver)
    check(not driver.find_element(By.ID, "Loading").is_displayed() and
          value(driver, "Callsign") == "K1ABC" and value(driver, "Ref") == "20",
          "once loaded: the notice gone, the calculator started, the call still typed")


def run(driver, base, served):
    driver.execute_cdp_cmd("Network.clearBrowserCache", {})  # so that every file is measured
    driver.get(base)
    WebDriverWait(driver, 20).until(
        lambda d: d.execute_script("return performance.getEntriesByName('first-calculation')"
                                   ".length > 0 || !document.getElementById('PageProblem').hidden"))
    problem = driver.find_element(By.ID, "PageProblem")
    check(not problem.is_displayed(), f"the page starts ({problem.text})")
    if failures:
        return

    # What it took: the page's own files only, their sizes, the time to the first calculation.
    timing = driver.execute_script(
        """const nav = performance.getEntriesByType('navigation')[0];
        return {first: performance.getEntriesByName('first-calculation')[0].startTime,
                page: {name: nav.name, size: nav.transferSize},
                files: performance.getEntriesByType('resource')
                         .map((r) => ({name: r.name, size: r.transferSize, end: r.responseEnd}))};""")
    for f in timing["files"]:
        print(f"== web-check: {f['name']}: {f['size']} bytes, loaded at {f['end']:.0f} ms",
              file=sys.stderr)
    files = [timing["page"]] + timing["files"]
    foreign = [f["name"] for f in files if not f["name"].startswith((base, "data:"))]
    check(not foreign, f"no request beyond the page's own files ({foreign})")
    if not served:
        check(len(files) == 1, f"the page in one file loads nothing beside it ({files})")
    sizes = {"wasm": 0, "js": 0, "html/css": 0, "other": 0}
    for f in files:
        name = f["name"].split("?")[0]
        kind = ("wasm" if name.endswith(".wasm") else "js" if name.endswith(".js")
                else "html/css" if name.endswith((".css", ".html", "/")) else "other")
        sizes[kind] += f["size"]
    total = sum(sizes.values())
    print(f"== web-check: transferred {total} bytes: " +
          ", ".join(f"{k} {v}" for k, v in sizes.items()), file=sys.stderr)
    if served:
        check(total < 1_000_000, f"the page under 1 MB ({total} bytes)")
    # The time is measured, not judged: it depends on what else the machine is doing.
    driver.refresh()
    first_calculation(driver)
    again = driver.execute_script(
        "return performance.getEntriesByName('first-calculation')[0].startTime")
    print(f"== web-check: first calculation {timing['first']:.0f} ms after the first navigation,"
          f" {again:.0f} ms after a reload (budget 300 ms)", file=sys.stderr)

    # The calculator at start: the texts of the window after Form_Load.
    start = calc("20", "1", "1", "1", "2", "2", "1")
    expected = {"Ref": "20", "PLLMult": "1", "RFMult": "1", "Fout": "1", "ClkUnits": "MHz",
                "Funits": "MHz", "Resolution": "32 Bit AD9850/51", "Mode": "WSPR",
                "Clock": start["clock"],
                "DDSFreq": start["ddsFreq"]}
    shown = {k: value(driver, k) for k in expected}
    check(shown == expected, f"the start-up texts ({shown})")
    check(results(driver) == start["results"], "the start-up Results equal tunecalc's")
    check(colour(driver, "Results") == "rgba(0, 0, 0, 1)", "the start-up Results black")
    check(value(driver, "Clock") != "" and
          driver.find_element(By.ID, "Clock").get_attribute("title") == "20000000 Hz",
          "the Clock's tooltip gives its value")
    order = driver.execute_script(
        """return [...document.querySelectorAll('#TuneworksForm input, #TuneworksForm textarea')]
                 .filter((e) => !e.disabled && e.tabIndex >= 0).map((e) => e.id);""")
    check(order == ["Ref", "PLLMult", "RFMult", "Resolution", "Fout", "Funits", "Results",
                    "ClkUnits", "Mode", "Channel", "ChannelBand"], f"the window's tab order ({order})")
    pictures.mkdir(parents=True, exist_ok=True)
    if served:
        driver.find_element(By.ID, "TuneworksTool").screenshot(str(pictures / "tuneworks-web.png"))

    # A balloon channel moves the wanted frequency to its lane's centre; emptied, it is none.
    type_into(driver, "Channel", "123")
    strip = driver.find_element(By.ID, "StatusLine").text
    check(value(driver, "Fout") == "14.097020" and strip.startswith("Channel 123 on 20 m: ID 06"),
          f"channel 123 at its lane's centre ({value(driver, 'Fout')}, {strip})")
    type_into(driver, "Channel", "")

    # Typing, one recalculation per key, as the window does.
    type_into(driver, "Ref", "25")
    type_into(driver, "Fout", "10.1402")
    typed = calc("25", "1", "10.1402", "1", "2", "2", "1")
    check(results(driver) == typed["results"], "Results after typing into Ref and Fout")
    check(value(driver, "Clock") == typed["clock"], "the Clock after typing into Ref")
    status = driver.find_element(By.ID, "StatusLine")
    check(status.text != "" and status.get_attribute("title") != "", "the strip and its tooltip")

    type_into(driver, "Ref", "20")
    type_into(driver, "Fout", "8")
    red = calc("20", "1", "8", "1", "2", "2", "1")
    check(red["colour"] == 255 and colour(driver, "Results") == "rgba(255, 0, 0, 1)",
          "Results red at 8 MHz")
    check(results(driver) == red["results"], "Results at 8 MHz equal tunecalc's")

    # A choice from a unit list is a click; typing into the field then leaves no item chosen.
    driver.execute_script(
        """const list = document.getElementById('FunitsList');
        list.selectedIndex = 1; list.dispatchEvent(new Event('change'));""")
    khz = calc("20", "1", "8", "1", "2", "1", "1")
    check(value(driver, "Funits") == "kHz" and results(driver) == khz["results"],
          "choosing kHz from the Funits list")
    type_into(driver, "Funits", "kHz")
    unset = calc("20", "1", "8", "1", "2", "-1", "1")
    check(results(driver) == unset["results"], "typing into Funits: no unit chosen (-1)")

    type_into(driver, "Fout", "1E400")
    check(status.text.startswith("Overflow:") and "warning" in status.get_attribute("class"),
          f"the overflow shown in the strip ({status.text})")
    driver.execute_script(
        """const list = document.getElementById('FunitsList');
        list.selectedIndex = 2; list.dispatchEvent(new Event('change'));""")
    type_into(driver, "Fout", "10.1402")
    again = calc("20", "1", "10.1402", "1", "2", "2", "1")
    check(results(driver) == again["results"] and not status.text.startswith("Overflow"),
          "the page still calculates after the overflow")

    # The encoder: the same files and the same trace as the Linux tonepak, for a single message
    # and for a compound call's pair.
    encode(driver, ("K1ABC", "FN42", "37"), reference / "single",
           ["wsptones.inc", "a.au", "wsptones.h"])
    summary = driver.find_element(By.CSS_SELECTOR, "#Trace span")
    check(summary.value_of_css_property("color") == "rgba(255, 255, 0, 1)",
          "the summary box yellow, as on the console")
    encode(driver, ("PJ4/K1ABC", "FK52UD", "37"), reference / "pair",
           ["wsptones.inc", "a.au", "wsptones2.inc", "a2.au", "wsptones.h"])
    encode(driver, ("K1ABC", "FN42", "37"), reference / "single",
           ["wsptones.inc", "a.au", "wsptones.h"])
    fst4w(driver, reference / "fst4w")

    driver.find_element(By.ID, "ReadFile").send_keys(str(reference / "single" / "wsptones.inc"))
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "ReadMessage").text != "")
    read = driver.find_element(By.ID, "ReadMessage").text
    check(read == "K1ABC FN42 37", f"wsptones.inc read back ({read})")
    driver.execute_script("document.getElementById('ReadMessage').textContent = ''")
    driver.find_element(By.ID, "ReadFile").send_keys(str(reference / "single" / "a.au"))
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "ReadMessage").text != "")
    read = driver.find_element(By.ID, "ReadMessage").text
    check(read == "K1ABC FN42 37", f"a.au read back ({read})")
    check(driver.execute_script("return document.getElementById('ReadFile').files.length") == 0,
          "the file chooser emptied after reading, so that the same file reads again")
    driver.execute_script("document.getElementById('ReadMessage').textContent = ''")
    driver.find_element(By.ID, "ReadFile").send_keys(str(reference / "single" / "a.au"))
    WebDriverWait(driver, 20).until(lambda d: d.find_element(By.ID, "ReadMessage").text != "")
    check(driver.find_element(By.ID, "ReadMessage").text == "K1ABC FN42 37",
          "the same a.au chosen again is read again")
    if served:
        driver.find_element(By.ID, "TonepakTool").screenshot(str(pictures / "tonepak-web.png"))
    telemetry(driver, reference / "telemetry")  # after the picture, which shows K1ABC FN42 37
    check_recording(driver, served)
    mends(driver)


def whole_picture(driver, element_id, path):
    """A screenshot of the whole element, also where it reaches below the window (the page's
    scroll bar hidden meanwhile: Chromium would cut its width off the picture)."""
    box = driver.execute_script(
        """document.documentElement.style.overflow = 'hidden';
        const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return {x: r.left + scrollX, y: r.top + scrollY, width: r.width, height: r.height};""",
        element_id)
    shot = driver.execute_cdp_cmd("Page.captureScreenshot", {
        "format": "png", "captureBeyondViewport": True, "clip": {**box, "scale": 1}})
    driver.execute_script("document.documentElement.style.overflow = ''")
    path.write_bytes(base64.b64decode(shot["data"]))


def check_recording(driver, served):
    """Check a recording: a two-minute recording with its tones upside down, the message
    expected, gives beaconcheck's own report and draws the waterfall with the tones meant and
    the differing symbols marked; a file that is no recording, a wrong dial and a wrong message
    give the program's words at their part."""
    folder = reference / "recording"
    says = driver.find_element(By.ID, "RecordingSays")
    report = driver.find_element(By.ID, "CheckReport")

    def choose(path):
        driver.execute_script("arguments[0].textContent = ''; arguments[1].textContent = ''",
                              says, report)
        driver.find_element(By.ID, "RecordingFile").send_keys(str(path))
        # The check holds the file button until it has answered.
        WebDriverWait(driver, 120).until(
            lambda d: d.find_element(By.ID, "RecordingFile").is_enabled() and
            not says.text.startswith("Checking"))

    type_into(driver, "Dial", "")
    type_into(driver, "Expect", "K1ABC FN42 37")
    choose(folder / "inverted.wav")
    text = report.get_property("textContent")
    check(text == (folder / "inverted.txt").read_text(),
          f"a recording's report is beaconcheck's ({says.text or text.splitlines()[0]})")
    check("message     K1ABC FN42 37" in text and "expected    tones-inverted" in text,
          "the report names the message and the fault")
    took = driver.execute_script(
        "return performance.getEntriesByName('recording-check').at(-1).duration")
    print(f"== web-check: a two-minute 12000 Hz recording checked in {took:.0f} ms",
          file=sys.stderr)
    colours = driver.execute_script(
        """const canvases = [...document.querySelectorAll('#Waterfalls canvas')];
        const found = {canvases: canvases.length, grey: 0, green: 0, red: 0};
        for (const canvas of canvases) {
          const {data} = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
          for (let i = 0; i < data.length; i += 4) {
            const [r, g, b] = [data[i], data[i + 1], data[i + 2]];
            if (r === g && g === b && r > 0) found.grey += 1;
            else if (g === 200 && r === 0) found.green += 1;
            else if (r === 220 && g === 30) found.red += 1;
          }
        }
        return found;""")
    # 162 symbols of 4 rows: two green marks each, and a 6 px red strip on every differing row.
    check(colours["canvases"] == 1 and colours["grey"] > 10000 and colours["green"] == 324 and
          colours["red"] == 162 * 4 * 6, f"the waterfall drawn, its tones and faults marked ({colours})")
    check(driver.find_element(By.ID, "CheckSummary").get_property("childElementCount") == 0,
          "one transmission: no table, as the program's report has none")
    if served:
        whole_picture(driver, "RecordingTool", pictures / "beaconcheck-web.png")

    # Two beacons on one band, K1ABC's tones upside down: the program's report, and its table
    # as an HTML table, a row per transmission with the program's words, the expected first.
    type_into(driver, "Dial", "14.0956")
    choose(folder / "band.wav")
    text = report.get_property("textContent")
    check(text == (folder / "band.txt").read_text(),
          f"two beacons: the report is beaconcheck's ({says.text or text.splitlines()[0]})")
    rows = driver.execute_script(
        """return [...document.querySelectorAll('#CheckSummary tr')].map(
          (row) => [...row.children].map((cell) => cell.textContent));""")
    table = (folder / "band.txt").read_text().split("\n\n")[1].splitlines()
    program = [line.split() for line in table if not line.startswith("* expected")]
    page = [" ".join(cells).split() for cells in rows]
    check(len(rows) == 3 and page == program and rows[1][0] == "*1",
          f"two beacons: the table's rows are the program's ({rows})")
    type_into(driver, "Dial", "")

    choose(reference / "single" / "wsptones.inc")
    line = (folder / "unreadable.txt").read_text().removeprefix("beaconcheck: ").strip()
    check(says.text == line and "problem" in says.get_attribute("class") and
          report.get_property("textContent") == "",
          f"a file that is no recording: the program's line at the part ({says.text})")
    type_into(driver, "Dial", "14,0956")
    choose(folder / "inverted.wav")
    dial = driver.find_element(By.ID, "DialSays").text
    check(dial == "Type the dial frequency in MHz, such as 14.0956." and
          driver.find_element(By.ID, "Dial").get_attribute("aria-invalid") == "true",
          f"a dial that is no number: said at the box ({dial})")
    type_into(driver, "Dial", "")
    type_into(driver, "Expect", "K1ABC/P/Q FN42 37")
    choose(folder / "inverted.wav")
    expect = driver.find_element(By.ID, "ExpectSays").text
    refused = (folder / "refused.txt").read_text().strip()
    check(expect != "" and refused.endswith(": " + expect) and
          report.get_property("textContent") == "",
          f"a refused message: the program's words at the box ({expect})")


def says(driver, box):
    return driver.find_element(By.ID, f"{box}Says").text


def mends(driver):
    """What tripped users: empty boxes, a refused call, a field's warning, RF multiplication
    not above 0, and a list opened from the keyboard."""
    for box in ("Callsign", "Locator", "Power"):
        type_into(driver, box, "")
    driver.find_element(By.ID, "Encode").click()
    empty = [says(driver, box) for box in ("Callsign", "Locator", "Power")]
    links = driver.find_elements(By.CSS_SELECTOR, "#Downloads a")
    invalid = driver.find_element(By.ID, "Power").get_attribute("aria-invalid")
    check(all(text.startswith("Empty:") for text in empty) and not links and invalid == "true",
          f"empty boxes: said at each box, marked, no files ({empty}, {len(links)} files)")

    refused = (reference / "refused" / "stderr.txt").read_text().removeprefix("tonepak: ").strip()
    for box, text in zip(("Callsign", "Locator", "Power"), ("K1ABC/P/Q", "FN42", "38")):
        type_into(driver, box, text)
    driver.find_element(By.ID, "Encode").click()
    line = driver.find_element(By.CSS_SELECTOR, "#CallsignSays span")
    check(line.text == refused and line.value_of_css_property("color") == "rgba(204, 0, 0, 1)" and
          driver.find_element(By.ID, "Callsign").get_attribute("aria-invalid") == "true" and
          not driver.find_elements(By.CSS_SELECTOR, "#Downloads a"),
          f"a refused call: tonepak's words in red at the marked box, no files ({line.text})")
    type_into(driver, "Callsign", "K1ABC")
    driver.find_element(By.ID, "Encode").click()
    WebDriverWait(driver, 20).until(lambda d: d.find_elements(By.CSS_SELECTOR, "#Downloads a"))
    check(says(driver, "Power").startswith("warning: power 38 dBm") and says(driver, "Callsign")
          == "" and driver.find_element(By.ID, "Callsign").get_attribute("aria-invalid") is None,
          f"a field's warning at its box, the call's mark gone ({says(driver, 'Power')})")

    status = driver.find_element(By.ID, "StatusLine")
    for rf_mult in ("0", "", "-2"):
        type_into(driver, "RFMult", rf_mult)
        check(status.text == "No WSPR tones: the RF multiplication must be above 0" and
              "warning" in status.get_attribute("class"),
              f"RF multiplication '{rf_mult}': the strip says why there are no tones ({status.text})")
    type_into(driver, "RFMult", "1")

    # Alt+Down in a unit field opens its list: the list takes the focus and drops down (the
    # drop-down itself is the browser's, recorded here rather than shown); Escape goes back.
    driver.execute_script(
        """window.opened = [];
        HTMLSelectElement.prototype.showPicker = function () { window.opened.push(this.id); };""")
    field = driver.find_element(By.ID, "Funits")
    field.click()
    field.send_keys(Keys.ALT, Keys.ARROW_DOWN)
    opened = driver.execute_script("return [window.opened, document.activeElement.id]")
    check(opened == [["FunitsList"], "FunitsList"], f"Alt+Down opens the Funits list ({opened})")
    driver.switch_to.active_element.send_keys(Keys.ESCAPE)
    back = driver.switch_to.active_element.get_attribute("id")
    check(back == "Funits", f"Escape in the list goes back to its field ({back})")


def narrow(driver):
    """The page on a 390 px wide phone: nothing wider than the screen, the lists' arrows 24 px
    targets, a complaint wrapped inside the screen."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 390, "height": 844, "deviceScaleFactor": 1, "mobile": True})
    try:
        sizes = driver.execute_script(
            """const arrows = [...document.querySelectorAll('.combo select')]
                 .map((e) => e.getBoundingClientRect().width);
            const says = document.getElementById('CallsignSays').getBoundingClientRect();
            return {page: document.documentElement.scrollWidth, screen: window.innerWidth,
                    arrows, says: says.right};""")
        check(sizes["page"] <= 390 and sizes["screen"] == 390,
              f"at 390 px the page fits the screen ({sizes['page']} px of {sizes['screen']})")
        check(min(sizes["arrows"]) >= 24, f"the lists' arrows 24 px wide ({sizes['arrows']})")
        for box, text in zip(("Callsign", "Locator", "Power"), ("K1ABC/P/Q", "FN42", "37")):
            type_into(driver, box, text)
        driver.find_element(By.ID, "Encode").click()
        right = driver.execute_script(
            "return document.getElementById('CallsignSays').getBoundingClientRect().right")
        check(right <= 390, f"a refused call's words wrapped inside the screen (right {right})")
        driver.save_screenshot(str(pictures / "page-390px.png"))
    finally:
        driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


if __name__ == "__main__":
    sys.exit(main())
