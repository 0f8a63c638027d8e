#!/usr/bin/env python3
"""Checks the user guide page: UTF-8, HTML5 with every element closed in order, no scripts and
nothing loaded from outside, every in-page link and every picture found, no picture left unused,
and the pictures together no bigger than a download of a guide should be.

Usage: check_guide.py PAGE   (prints every fault; exit status 1 when there is any)
"""
import os
import sys
from html.parser import HTMLParser

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}
MAX_IMAGE_BYTES = 1_500_000


class GuideParser(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.faults = []
        self.open = []
        self.ids = set()
        self.anchors = []
        self.images = []
        self.doctype = None
        self.charset = None
        self.lang = None

    def fault(self, text):
        line, column = self.getpos()
        self.faults.append(f"line {line}:{column + 1}: {text}")

    def handle_decl(self, decl):
        self.doctype = decl

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "script":
            self.fault("a script")
        if tag == "html":
            self.lang = a.get("lang")
        if tag == "meta" and "charset" in a:
            self.charset = a["charset"].lower()
        if "id" in a:
            if a["id"] in self.ids:
                self.fault(f'id "{a["id"]}" twice')
            self.ids.add(a["id"])
        for name, value in attrs:
            if name.startswith("on"):
                self.fault(f"an event handler {name}")
            if name in ("src", "href") and value is not None:
                self.check_address(tag, name, value)
        if tag == "img":
            if not a.get("alt"):
                self.fault(f'picture {a.get("src")} without alt text')
            self.images.append((self.getpos(), a.get("src", "")))
        if tag == "a" and a.get("href", "").startswith("#"):
            self.anchors.append((self.getpos(), a["href"][1:]))
        if tag not in VOID:
            self.open.append((tag, self.getpos()))

    def handle_startendtag(self, tag, attrs):
        self.handle_starttag(tag, attrs)
        if tag not in VOID:
            self.fault(f"<{tag}/> is not an HTML element that closes itself")
            self.open.pop()

    def handle_endtag(self, tag):
        if tag in VOID:
            self.fault(f"</{tag}> closes an element that has no end")
            return
        if not self.open or self.open[-1][0] != tag:
            expected = self.open[-1][0] if self.open else "nothing"
            self.fault(f"</{tag}> where </{expected}> belongs")
            # Resynchronise on the element it closes, so one fault is reported once.
            for i in range(len(self.open) - 1, -1, -1):
                if self.open[i][0] == tag:
                    del self.open[i:]
                    break
            return
        self.open.pop()

    def check_address(self, tag, name, value):
        lowered = value.strip().lower()
        if lowered.startswith("#"):
            return
        if "://" in lowered or lowered.startswith("//") or ":" in lowered.split("/")[0]:
            self.fault(f"<{tag} {name}> names an outside address: {value}")


def check(page):
    faults = []
    try:
        with open(page, "rb") as f:
            text = f.read().decode("utf-8")
    except (OSError, UnicodeDecodeError) as error:
        return [f"cannot read as UTF-8: {error}"]
    parser = GuideParser()
    parser.feed(text)
    parser.close()
    faults += parser.faults
    if (parser.doctype or "").lower() != "doctype html":
        faults.append("the page does not begin with <!DOCTYPE html>")
    if parser.charset != "utf-8":
        faults.append('no <meta charset="utf-8">')
    if parser.lang != "ja":
        faults.append('no <html lang="ja">')
    for tag, (line, column) in parser.open:
        faults.append(f"line {line}:{column + 1}: <{tag}> is never closed")
    for (line, column), target in parser.anchors:
        if target not in parser.ids:
            faults.append(f"line {line}:{column + 1}: link to #{target}, which no element has")

    folder = os.path.dirname(os.path.abspath(page))
    used = set()
    for (line, column), src in parser.images:
        path = os.path.normpath(os.path.join(folder, src))
        used.add(path)
        if not os.path.isfile(path):
            faults.append(f"line {line}:{column + 1}: picture {src} does not exist")
    images = os.path.join(folder, "images")
    total = 0
    if os.path.isdir(images):
        for name in sorted(os.listdir(images)):
            path = os.path.join(images, name)
            total += os.path.getsize(path)
            if path not in used:
                faults.append(f"images/{name} is installed but the page never shows it")
    if total > MAX_IMAGE_BYTES:
        faults.append(f"the pictures take {total} bytes, more than {MAX_IMAGE_BYTES}")
    return faults


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = check(sys.argv[1])
    for fault in faults:
        print(f"{sys.argv[1]}: {fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
