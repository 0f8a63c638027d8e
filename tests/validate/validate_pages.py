#!/usr/bin/env python3
"""Converts every text of texts/ with every setting set of settings.txt through porukano-cli and
validates each full page in the doctype it declares: HTML 4.01 Transitional with OpenSP's
onsgmls and the W3C DTDs, HTML5 with the Nu Html Checker (one run over all HTML5 pages). A
page the converter writes without a doctype (add-tag mode 0) is no full page and is left out.

Exit status: 0 when every page is valid, 1 when any page is invalid or a conversion failed, else
77 when a validator some pages need is not installed (scripts/install-deps installs them), 2 for
bad usage or a broken setting list.
"""

import argparse
import codecs
import concurrent.futures
import json
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
from collections import Counter
from dataclasses import dataclass, field
from html.parser import HTMLParser
from pathlib import Path

HERE = Path(__file__).resolve().parent
SGML_CATALOG = Path("/usr/share/xml/w3c-sgml-lib/schema/dtd/sgml.soc")
# Where scripts/install-deps puts the Nu Html Checker; then a global npm install.
VNU_JAR_PLACES = [
    Path("/usr/local/lib/porukano-validate/node_modules/vnu-jar/build/dist/vnu.jar"),
    Path("/usr/local/lib/node_modules/vnu-jar/build/dist/vnu.jar"),
    Path("/usr/lib/node_modules/vnu-jar/build/dist/vnu.jar"),
]
# Each text is converted once in each of these encodings (name for --input-encoding, codec).
TEXT_ENCODINGS = [("shift_jis", "cp932"), ("utf-8", "utf-8")]
HTML401_DOCTYPE = b'<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN"'
SETTING_WORD = re.compile(r"^[A-Za-z]+[0-9]?\.[A-Za-z0-9]+=")
PENDING_PREFIX = "#! "
MESSAGES_SHOWN_PER_PAGE = 12
SKIP = 77


class MatrixError(Exception):
    pass


@dataclass
class SettingSet:
    name: str
    args: list
    pending: bool


@dataclass
class Message:
    line: int
    column: int
    text: str
    validator: str


@dataclass
class Page:
    text: str
    encoding: str
    settings: SettingSet
    source: Path
    path: Path
    command: list = field(default_factory=list)
    kind: str = ""  # "html401", "html5", "fragment" or "" before the conversion
    failure: str = ""  # a conversion that failed, or a page of no known doctype
    messages: list = field(default_factory=list)

    def label(self):
        return f"text {self.text} ({self.encoding}), settings {self.settings.name}"


def ReadSettingSets(path, include_pending):
    sets, names = [], set()
    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.strip()
        pending = line.startswith(PENDING_PREFIX)
        if pending:
            line = line[len(PENDING_PREFIX):]
        elif not line or line.startswith("#"):
            continue
        if pending and not include_pending:
            continue
        try:
            words = shlex.split(line)
        except ValueError as e:
            raise MatrixError(f"{path}:{number}: {e}")
        name, rest = words[0], words[1:]
        if name in names:
            raise MatrixError(f"{path}:{number}: set {name} is named twice")
        names.add(name)
        args = []
        for word in rest:
            args += ["--set", word] if SETTING_WORD.match(word) else [word]
        sets.append(SettingSet(name, args, pending))
    return sets


def Convert(cli, page, home):
    page.path.parent.mkdir(parents=True)
    page.command = [cli, "-q", "--input-encoding", page.encoding, *page.settings.args,
                    "-o", str(page.path), str(page.source)]
    env = dict(os.environ, PORUKANO_HOME=str(home))
    run = subprocess.run(page.command, capture_output=True, env=env, timeout=60)
    if run.returncode != 0:
        page.failure = (f"porukano-cli exited with {run.returncode}: "
                        + run.stderr.decode("utf-8", "replace").strip())
        return
    head = page.path.read_bytes()[:200]
    if head.startswith(HTML401_DOCTYPE):
        page.kind = "html401"
    elif head[:15].lower() == b"<!doctype html>":
        page.kind = "html5"
    elif b"<!doctype" not in head.lower():
        page.kind = "fragment"
    else:
        page.kind = "unknown doctype"
        page.failure = ("the page declares a doctype no validator here knows: "
                        + head.splitlines()[0].decode("ascii", "replace"))


# --- Decoding as browsers do (WHATWG Encoding), byte faults reported -------------------------

def LineOf(data, offset):
    return data.count(b"\n", 0, offset) + 1


def ColumnOf(data, offset):
    return offset - (data.rfind(b"\n", 0, offset) + 1) + 1


def DecodeShiftJis(data, fault):
    out, i, n = [], 0, len(data)
    while i < n:
        b = data[i]
        if b <= 0x80:
            out.append(chr(b))
            i += 1
        elif 0xA1 <= b <= 0xDF:
            out.append(chr(0xFF61 + b - 0xA1))
            i += 1
        elif 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC:
            t = data[i + 1] if i + 1 < n else -1
            if 0x40 <= t <= 0x7E or 0x80 <= t <= 0xFC:
                pointer = (b - (0x81 if b < 0xA0 else 0xC1)) * 188 + t - (0x40 if t < 0x7F else 0x41)
                if 8836 <= pointer <= 10715:
                    out.append(chr(0xE000 + pointer - 8836))
                    i += 2
                    continue
                try:
                    out.append(bytes((b, t)).decode("cp932"))
                    i += 2
                    continue
                except UnicodeDecodeError:
                    pass
            fault(i, data[i:i + 2] if 0x80 <= t else data[i:i + 1])
            out.append("\ufffd")
            i += 2 if 0x80 <= t else 1
        else:
            fault(i, data[i:i + 1])
            out.append("\ufffd")
            i += 1
    return "".join(out)


def JisToShiftJis(lead, trail):
    j1, j2 = lead - 0x80, trail - 0x80
    s1 = ((j1 + 1) >> 1) + (0x70 if j1 <= 0x5E else 0xB0)
    s2 = j2 + (0x1F + (j2 >= 0x60) if j1 & 1 else 0x7E)
    return bytes((s1, s2))


def DecodeEucJp(data, fault):
    out, i, n = [], 0, len(data)
    while i < n:
        b = data[i]
        t = data[i + 1] if i + 1 < n else -1
        if b < 0x80:
            out.append(chr(b))
            i += 1
            continue
        if b == 0x8E and 0xA1 <= t <= 0xDF:
            out.append(chr(0xFF61 + t - 0xA1))
            i += 2
            continue
        if b == 0x8F and 0xA1 <= t <= 0xFE and i + 2 < n and 0xA1 <= data[i + 2] <= 0xFE:
            try:
                out.append(data[i:i + 3].decode("euc_jp"))
            except UnicodeDecodeError:
                fault(i, data[i:i + 3])
                out.append("\ufffd")
            i += 3
            continue
        if 0xA1 <= b <= 0xFE and 0xA1 <= t <= 0xFE:
            try:
                out.append(JisToShiftJis(b, t).decode("cp932"))
                i += 2
                continue
            except UnicodeDecodeError:
                pass
        size = 2 if 0x80 <= t and (b == 0x8E or 0xA1 <= b <= 0xFE) else 1
        fault(i, data[i:i + size])
        out.append("\ufffd")
        i += size
    return "".join(out)


def DecodeUtf8(data, fault):
    out, i = [], 0
    while True:
        try:
            out.append(data[i:].decode("utf-8"))
            return "".join(out)
        except UnicodeDecodeError as e:
            out.append(data[i:i + e.start].decode("utf-8") + "\ufffd")
            fault(i + e.start, data[i + e.start:i + e.end])
            i += e.end


DECODERS = {"shift_jis": DecodeShiftJis, "euc-jp": DecodeEucJp, "utf-8": DecodeUtf8}
CHARSET_ALIASES = {"shift_jis": "shift_jis", "sjis": "shift_jis", "x-sjis": "shift_jis",
                   "windows-31j": "shift_jis", "euc-jp": "euc-jp", "x-euc-jp": "euc-jp",
                   "utf-8": "utf-8"}


def DeclaredCharset(data):
    match = re.search(rb"<meta[^>]*charset=\"?([A-Za-z0-9_.:-]+)", data[:2048], re.IGNORECASE)
    return match.group(1).decode("ascii").lower() if match else None


# --- HTML 4.01 --------------------------------------------------------------------------------

# The characters of RFC 3986, and beyond ASCII the URL code points of the WHATWG URL standard
# (a browser sends them percent-encoded in UTF-8, as HTML 4.01's own notes on non-ASCII
# characters in URI attribute values advise).
URI_CHARACTERS = re.compile(
    r"^(?:[A-Za-z0-9\-._~:/?#\[\]@!$&'()*+,;=\u00A0-\uD7FF\uE000-\uFDCF\uFDF0-\uFFFD"
    r"\U00010000-\U0010FFFD]|%[0-9A-Fa-f]{2})*$")


class LinkCollector(HTMLParser):
    """The href and src values of a page, with their lines (entities already decoded)."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []

    def handle_starttag(self, tag, attrs):
        for name, value in attrs:
            if name in ("href", "src") and value is not None:
                self.links.append((self.getpos(), tag, name, value))


BLOCK_START = re.compile(r"<(p|div|hr|h[1-6]|ul|ol|dl|pre|blockquote|table|center|address|form)"
                         r"[\s>]", re.IGNORECASE)


def ClosedParagraph(text, end_line):
    """Where the paragraph that a stray </p> on end_line was meant to end was closed: HTML 4.01
    ends a P at the next block's start tag or at the end of the element around it, which
    onsgmls does not name."""
    lines = text.split("\n")
    before = "\n".join(lines[:end_line - 1])
    opened = [m for m in BLOCK_START.finditer(before) if m.group(1).lower() == "p"]
    if not opened:
        return ""
    start = opened[-1]
    block = next(BLOCK_START.finditer(before, start.end()), None)
    where = f"the <p> of line {before.count(chr(10), 0, start.start()) + 1}"
    if block is None:
        return f" ({where} ended with the element around it)"
    return (f" ({where} was closed by the <{block.group(1)}> of line "
            f"{before.count(chr(10), 0, block.start()) + 1})")


def CheckHtml401(page, onsgmls, temp):
    data = page.path.read_bytes()
    charset = DeclaredCharset(data)
    encoding = CHARSET_ALIASES.get(charset or "")
    faults = []

    def Fault(offset, raw):
        faults.append(Message(LineOf(data, offset), ColumnOf(data, offset),
                              f"bytes {raw.hex(' ').upper()} are no {charset} character "
                              "(a browser shows U+FFFD)", "decoding"))

    if encoding is None:
        page.messages.append(Message(1, 1, f"the page declares no charset a browser reads "
                                     f"({charset or 'none'})", "decoding"))
        encoding = "utf-8"
    text = DECODERS[encoding](data, Fault)
    page.messages += faults

    # onsgmls reads the UTF-8 copy whatever the page's meta says, so its lines and columns
    # are those of the page.
    copy = temp / "utf8" / page.path.relative_to(temp / "pages")
    copy.parent.mkdir(parents=True, exist_ok=True)
    copy.write_bytes(text.encode("utf-8"))
    env = dict(os.environ, SP_CHARSET_FIXED="YES", SP_ENCODING="UTF-8",
               SGML_CATALOG_FILES=str(SGML_CATALOG))
    run = subprocess.run([onsgmls, "-s", str(copy)], capture_output=True, env=env, timeout=60)
    for line in run.stderr.decode("utf-8", "replace").splitlines():
        parts = line.split(":", 5)
        # onsgmls:FILE:LINE:COLUMN:TYPE: message; lines without a type add to the one before.
        if len(parts) == 6 and parts[2].isdigit() and parts[4] in ("E", "X", "Q"):
            page.messages.append(Message(int(parts[2]), int(parts[3]),
                                         parts[5].strip(), "onsgmls"))
        elif len(parts) == 6 and parts[2].isdigit() and parts[4] in ("W", "I"):
            continue
        elif page.messages and line.strip():
            page.messages[-1].text += " (" + line.split(":", 4)[-1].strip() + ")"
    for m in page.messages:
        if m.validator == "onsgmls" and m.text == 'end tag for element "P" which is not open':
            m.text += ClosedParagraph(text, m.line)
    if run.returncode != 0 and not any(m.validator == "onsgmls" for m in page.messages):
        page.messages.append(Message(1, 1, f"onsgmls exited with {run.returncode}: "
                                     + run.stderr.decode("utf-8", "replace").strip(),
                                     "onsgmls"))

    # The DTD takes any text as a URI; a browser sends what is there, so it must be one.
    links = LinkCollector()
    links.feed(text)
    for (line, column), tag, name, value in links.links:
        if not URI_CHARACTERS.match(value):
            page.messages.append(Message(line, column + 1, f"{tag} {name}=\"{value}\" is no "
                                         "URI (ASCII characters outside RFC 3986 unescaped)", "uri"))


# --- HTML5 ------------------------------------------------------------------------------------

def FindVnuJar():
    override = os.environ.get("PORUKANO_VNU_JAR")
    if override:
        return Path(override) if Path(override).is_file() else None
    for place in VNU_JAR_PLACES:
        if place.is_file():
            return place
    return None


def CheckHtml5(pages, java, jar):
    by_path = {str(p.path.resolve()): p for p in pages}
    run = subprocess.run([java, "-jar", str(jar), "--errors-only", "--format", "json", "--stdout",
                          *by_path], capture_output=True, timeout=300)
    try:
        report = json.loads(run.stdout.decode("utf-8"))
    except ValueError:
        raise RuntimeError("the Nu Html Checker gave no report: "
                           + run.stderr.decode("utf-8", "replace").strip())
    for m in report.get("messages", []):
        path = urllib.parse.unquote(urllib.parse.urlparse(m.get("url", "")).path)
        page = by_path.get(path)
        if page is None:
            raise RuntimeError(f"the Nu Html Checker reported on an unknown file: {m}")
        if m.get("type") in ("error", "non-document-error"):
            page.messages.append(Message(m.get("lastLine", 1), m.get("firstColumn",
                                                                     m.get("lastColumn", 1)),
                                         m.get("message", ""), "vnu"))


# --- Report -----------------------------------------------------------------------------------

def SourceLine(page, line):
    try:
        data = page.path.read_bytes().split(b"\n")[line - 1]
    except IndexError:
        return ""
    encoding = CHARSET_ALIASES.get(DeclaredCharset(page.path.read_bytes()) or "", "utf-8")
    text = DECODERS[encoding](data, lambda offset, raw: None)
    text = "".join(f"\\x{ord(c):02X}" if ord(c) < 0x20 or 0x7F <= ord(c) < 0xA0 else c
                   for c in text.rstrip("\r"))
    return text if len(text) <= 160 else text[:157] + "..."


def MessageKind(message):
    """The message with what varies from page to page (numbers, bytes, values) taken out."""
    text = re.sub(r"(bytes)( [0-9A-F]{2})+", r"\1 ..", message.text)
    text = re.sub(r"=\".*\" is no URI", "=\"...\" is no URI", text)
    text = re.sub(r"number \d+", "number N", text)
    text = re.sub(r"\(the <p> of line \d+ was closed by the <(\w+)> of line \d+\)",
                  r"(the <p> closed by a <\1>)", text)
    text = re.sub(r"\(the <p> of line \d+ ended", "(the <p> ended", text)
    return f"{message.validator}: {text}"


def Report(pages, root, keep):
    failed = [p for p in pages if p.failure or p.messages]
    if failed:
        print(f"Pages in {keep}" if keep else "(--keep DIR keeps the pages to look at)")
    for page in failed:
        page.messages.sort(key=lambda m: (m.line, m.column))
        print(f"\nINVALID: {page.label()}")
        print("  command: " + " ".join(shlex.quote(str(w)) for w in page.command))
        if page.failure:
            print(f"  {page.failure}")
        where = page.path.relative_to(root)
        for m in page.messages[:MESSAGES_SHOWN_PER_PAGE]:
            print(f"  {where}:{m.line}:{m.column}: {m.validator}: {m.text}")
            line = SourceLine(page, m.line)
            if line:
                print(f"      | {line}")
        if len(page.messages) > MESSAGES_SHOWN_PER_PAGE:
            print(f"  ... and {len(page.messages) - MESSAGES_SHOWN_PER_PAGE} more messages")

    counts = Counter(p.kind or "failed conversion" for p in pages)
    print(f"\n{len(pages)} conversions: " + ", ".join(f"{n} {k}" for k, n in sorted(counts.items()))
          + f"; {len(failed)} failed")
    if not failed:
        return 0
    kinds, kind_pages = Counter(), {}
    for page in failed:
        for m in page.messages:
            kind = MessageKind(m)
            kinds[kind] += 1
            kind_pages.setdefault(kind, set()).add(page.settings.name)
        if page.failure:
            kinds[page.failure.splitlines()[0]] += 1
    print("\nMessages by kind (count, then the setting sets that show it):")
    for kind, n in kinds.most_common():
        sets = sorted(kind_pages.get(kind, ()))
        shown = ", ".join(sets[:8]) + (f", ... ({len(sets)} sets)" if len(sets) > 8 else "")
        print(f"  {n:5d}  {kind}" + (f"\n         [{shown}]" if shown else ""))
    print("\nFailing rows (text, encoding, settings, messages):")
    for page in failed:
        print(f"  {page.text}\t{page.encoding}\t{page.settings.name}"
              f"\t{len(page.messages) + bool(page.failure)}")
    return 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("cli", help="the porukano-cli to convert with")
    parser.add_argument("--settings", type=Path, default=HERE / "settings.txt")
    parser.add_argument("--texts", type=Path, default=HERE / "texts")
    parser.add_argument("--pending", action="store_true",
                        help='also the rows marked "#! " (settings porukano-cli may not know)')
    parser.add_argument("--only", metavar="SET", action="append",
                        help="only these setting sets (repeatable)")
    parser.add_argument("--keep", type=Path, metavar="DIR",
                        help="write the pages into DIR (new or empty) and keep them")
    options = parser.parse_args()

    try:
        sets = ReadSettingSets(options.settings, options.pending)
    except MatrixError as e:
        print(f"validate_pages: {e}", file=sys.stderr)
        return 2
    if options.only:
        unknown = set(options.only) - {s.name for s in sets}
        if unknown:
            print(f"validate_pages: no setting set {', '.join(sorted(unknown))}", file=sys.stderr)
            return 2
        sets = [s for s in sets if s.name in options.only]
    texts = sorted(options.texts.glob("*.txt"))
    if not sets or not texts:
        print("validate_pages: no setting sets or no texts", file=sys.stderr)
        return 2

    with tempfile.TemporaryDirectory(prefix="porukano-validate-") as scratch:
        temp = Path(scratch)
        if options.keep:
            if options.keep.exists() and any(options.keep.iterdir()):
                print(f"validate_pages: {options.keep} is not empty", file=sys.stderr)
                return 2
            options.keep.mkdir(parents=True, exist_ok=True)
            (temp / "pages").symlink_to(options.keep.resolve(), target_is_directory=True)
        home = temp / "home"
        home.mkdir()
        pages = []
        for text in texts:
            content = text.read_text(encoding="utf-8")
            for name, codec in TEXT_ENCODINGS:
                source = temp / "texts" / f"{text.stem}-{name}.txt"
                source.parent.mkdir(exist_ok=True)
                source.write_bytes(content.encode(codec))
                for s in sets:
                    # One folder a page: a separate stylesheet is written beside its page.
                    path = temp / "pages" / s.name / f"{text.stem}-{name}" / "page.htm"
                    pages.append(Page(text.stem, name, s, source, path))

        workers = max(2, os.cpu_count() or 2)
        with concurrent.futures.ThreadPoolExecutor(workers) as pool:
            list(pool.map(lambda p: Convert(options.cli, p, home), pages))

            html401 = [p for p in pages if p.kind == "html401"]
            html5 = [p for p in pages if p.kind == "html5"]
            onsgmls = shutil.which("onsgmls")
            java = shutil.which("java")
            jar = FindVnuJar()
            missing = []
            if html401 and (not onsgmls or not SGML_CATALOG.is_file()):
                missing.append(f"onsgmls and {SGML_CATALOG} (Debian: opensp, w3c-sgml-lib)")
                html401 = []
            if html5 and (not java or not jar):
                missing.append("java and vnu.jar (Debian: default-jre-headless; npm: vnu-jar; "
                               "or set PORUKANO_VNU_JAR)")
                html5 = []

            # The one JVM run overlaps the onsgmls runs.
            vnu = pool.submit(CheckHtml5, html5, java, jar) if html5 else None
            list(pool.map(lambda p: CheckHtml401(p, onsgmls, temp), html401))
            if vnu:
                vnu.result()
        status = Report(pages, temp / "pages", options.keep)
    if missing:
        # Pages of a doctype whose validator is missing went unchecked: never a pass.
        print("validate_pages: not installed: " + "; ".join(missing)
              + "\nRun scripts/install-deps.", file=sys.stderr)
        return status or SKIP
    return status


if __name__ == "__main__":
    sys.exit(main())
