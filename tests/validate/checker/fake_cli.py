#!/usr/bin/env python3
"""Stands in for porukano-cli in the page checker's own test: writes the page that
--set fake.page=NAME names to the -o path, whatever the text. Each page is valid or holds known
faults; checker_test.py knows which."""

import sys

HTML401 = (b'<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN" '
           b'"http://www.w3.org/TR/html4/loose.dtd">\n<html>\n<head>\n')


def Html401(body, charset=b"UTF-8", head=None):
    meta = (b'<meta http-equiv="Content-Type" content="text/html; charset=' + charset + b'">\n'
            if head is None else head)
    return HTML401 + meta + b"<title>t</title>\n</head>\n<body>\n" + body + b"\n</body>\n</html>\n"


def Html5(body):
    return (b'<!DOCTYPE html>\n<html lang="ja">\n<head>\n<meta charset="UTF-8">\n'
            b"<title>t</title>\n</head>\n<body>\n" + body + b"\n</body>\n</html>\n")


TEXT = "<p>髙橋さんの①番窓口、ｶﾅ。<a href=\"http://example.com/a?b=c&amp;d\">link</a>" \
       "<img src=\"a.png\" alt=\"\"><br>\n</p>"

PAGES = {
    "valid401-utf-8": Html401(TEXT.encode("utf-8")),
    "valid401-shift_jis": Html401(TEXT.encode("cp932"), b"Shift_JIS"),
    # 0xADA1 (row 13) and 0xF9A1 (row 89) are NEC and IBM characters browsers read in EUC-JP;
    # 0x8FB0A1 is JIS X 0212.
    "valid401-euc-jp": Html401(b"<p>\xad\xa1 \xf9\xa1 \x8f\xb0\xa1 \x8e\xb6</p>", b"EUC-JP"),
    "valid5": Html5("<p>本文 <a href=\"https://例え.jp/パス\">x</a></p>".encode("utf-8")),
    "fragment": b"<p>x<br>\n",
    "nesting": Html401(b'<p><span><a href="http://x.jp/">a</span></a><img src="i.png">'
                       b"<ruby>k<rt>r</rt></ruby></p>\n<p>x\n<div>y</div>\n</p>"),
    "bytes-euc-jp": Html401(b"<p>\x8f\xf4\xfb \xa1</p>", b"EUC-JP"),
    "bytes-shift_jis": Html401(b"<p>\xa0 \x85\x40</p>", b"Shift_JIS"),
    "bytes-utf-8": Html401(b"<p>\xe3\x81</p>"),
    "controls": Html401(b"<p>a\x0bb\x1bc\x7f</p>"),
    "not-a-uri": Html401("<p><a href=\"http://例え.jp/a|b\">x</a></p>".encode("utf-8")),
    "no-charset": Html401(b"<p>x</p>", head=b""),
    "faults5": Html5(b'<p><div>x</div></p><img src="i.png">'),
    "xhtml": b'<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Strict//EN" '
             b'"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd">\n<html></html>\n',
}


def main(args):
    page = output = None
    for i, a in enumerate(args):
        if a == "--set" and args[i + 1].startswith("fake.page="):
            page = args[i + 1].split("=", 1)[1]
        elif a == "-o":
            output = args[i + 1]
    if page not in PAGES:
        print(f"porukano-cli: --set: fake.page={page} is no settings-file key", file=sys.stderr)
        return 2
    with open(output, "wb") as f:
        f.write(PAGES[page])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
