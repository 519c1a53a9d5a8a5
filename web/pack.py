#!/usr/bin/python3
"""Puts the page together from the compiled program and web/page/:

    site/               for a web server: index.html and its files, a web app
                        manifest and a service worker for use without a network
    monte-carlo.html    one self-contained file that opens from disk

    web/pack.py BUILD_DIR     (BUILD_DIR/web holds the compiled program)

The font is the system's DejaVu Sans cut to the characters the program shows.
"""

import base64
import hashlib
import json
import pathlib
import shutil
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
PAGE = ROOT / "web" / "page"
ICONS = ROOT / "resources" / "icons"
FONT = pathlib.Path("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")
# Printable ASCII, Latin-1 (German letters, the degree sign), and the few other
# characters the program's texts use.
CHARACTERS = "".join(map(chr, range(0x20, 0x7F))) + "".join(map(chr, range(0xA0, 0x100))) + "…–—„“”‚‘’πΠ×\uFFFD"

# Nothing from another origin, no plug-ins, no form sending anywhere.
SITE_POLICY = ("default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; img-src 'self' data: blob:; "
               "font-src 'self'; connect-src 'self'; worker-src 'self'; manifest-src 'self'; object-src 'none'; "
               "base-uri 'none'; form-action 'none'")
SINGLE_POLICY = ("default-src 'none'; script-src 'unsafe-inline' 'wasm-unsafe-eval'; style-src 'unsafe-inline'; "
                 "img-src data: blob:; font-src data:; connect-src data:; object-src 'none'; base-uri 'none'; form-action 'none'")


def data_uri(kind, content):
    return f"data:{kind};base64,{base64.b64encode(content).decode()}"


def font(build):
    target = build / "mcsans.woff2"
    subprocess.run(["pyftsubset", str(FONT), f"--text={CHARACTERS}", "--flavor=woff2", "--layout-features=kern",
                    "--no-hinting", "--desubroutinize", f"--output-file={target}"], check=True)
    return target.read_bytes()


def filled(template, **values):
    for key, value in values.items():
        template = template.replace(f"@{key}@", value)
    return template


def main():
    build = pathlib.Path(sys.argv[1]).resolve()
    compiled = build / "web"
    woff2 = font(build)
    html = (PAGE / "index.html").read_text()
    css = (PAGE / "page.css").read_text()
    script = (PAGE / "page.js").read_text()
    svg = (ICONS / "monte-carlo.svg").read_bytes()

    site = build / "site"
    shutil.rmtree(site, ignore_errors=True)
    site.mkdir()
    (site / "mcsans.woff2").write_bytes(woff2)
    (site / "page.css").write_text(filled(css, FONT="mcsans.woff2"))
    (site / "page.js").write_text(script)
    shutil.copy(compiled / "monte-carlo.js", site)
    shutil.copy(compiled / "monte-carlo.wasm", site)
    shutil.copy(PAGE / "manifest.webmanifest", site)
    shutil.copy(ICONS / "monte-carlo.svg", site / "icon.svg")
    shutil.copy(ICONS / "monte-carlo-96.png", site / "icon-96.png")
    head = ('<link rel="manifest" href="manifest.webmanifest">\n<link id="icon" rel="icon" href="icon.svg">\n'
            '<link rel="stylesheet" href="page.css">')
    body = '<script src="monte-carlo.js"></script>\n<script src="page.js"></script>'
    (site / "index.html").write_text(filled(html, CSP=SITE_POLICY, HEAD=head, BODY=body))
    files = sorted(p.name for p in site.iterdir())
    version = hashlib.sha256(b"".join((site / name).read_bytes() for name in files)).hexdigest()[:16]
    worker = filled((PAGE / "sw.js").read_text(), VERSION=version,
                    FILES=", ".join(json.dumps(name) for name in ["./"] + files))
    (site / "sw.js").write_text(worker)

    single_script = (compiled / "monte-carlo-single.js").read_text() + "\n" + script
    if "</script" in single_script or "</style" in css:
        sys.exit("pack.py: a script holds '</script', which would end it early in the single file")
    head = (f'<link id="icon" rel="icon" href="{data_uri("image/svg+xml", svg)}">\n'
            f'<style>{filled(css, FONT=data_uri("font/woff2", woff2))}</style>')
    body = f"<script>{single_script}</script>"
    (build / "monte-carlo.html").write_text(filled(html, CSP=SINGLE_POLICY, HEAD=head, BODY=body))


if __name__ == "__main__":
    main()
