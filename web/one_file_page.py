"""Makes the page in one file from the built site: the stylesheets, the icon, the script, the
module and its WebAssembly all inside the HTML, so that it works opened straight from the disk
(file://), where a browser loads no module or WebAssembly from beside the page.

  python3 one_file_page.py SITE OUTPUT

The WebAssembly goes in as base64 and reaches the module as its wasmBinary; the module and the
page's script become one inline module script. Fails, naming it, when a piece it replaces is
not in the site's files as expected.
"""
import base64
import pathlib
import re
import sys

site, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])


def read(name):
    return (site / name).read_text(encoding="utf-8")


def replace_once(text, old, new, where):
    if text.count(old) != 1:
        sys.exit(f"one_file_page.py: expected one {old!r} in {where}")
    return text.replace(old, new)


def inline_script(text, where):
    # Nothing in a script may end the script element around it.
    if re.search(r"</script", text, re.IGNORECASE):
        sys.exit(f"one_file_page.py: {where} holds '</script'")
    return text


module = replace_once(read("wspr.js"), "export default createWspr;", "", "wspr.js")
script = replace_once(read("page.js"), "import createWspr from './wspr.js';\n", "", "page.js")
wasm = base64.b64encode((site / "wspr.wasm").read_bytes()).decode("ascii")
script = replace_once(script, "const inlineWasm = null;", f"const inlineWasm = '{wasm}';",
                      "page.js")

page = read("index.html")
icon = base64.b64encode((site / "tuneworks.svg").read_bytes()).decode("ascii")
page = replace_once(page, 'href="tuneworks.svg"', f'href="data:image/svg+xml;base64,{icon}"',
                    "index.html")
for sheet in ("page.css", "layout.css"):
    page = replace_once(page, f'<link rel="stylesheet" href="{sheet}">',
                        f"<style>\n{read(sheet)}</style>", "index.html")
page = replace_once(page, '<link rel="modulepreload" href="wspr.js">\n', "", "index.html")
page = replace_once(
    page, '<link rel="preload" href="wspr.wasm" as="fetch" type="application/wasm" crossorigin>\n',
    "", "index.html")
page = replace_once(
    page, '<script type="module" src="page.js" onerror="scriptFailed()"></script>',
    '<script type="module">\n' + inline_script(module, "wspr.js") +
    inline_script(script, "page.js") + "</script>", "index.html")
output.write_text(page, encoding="utf-8")
