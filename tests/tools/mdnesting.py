#!/usr/bin/env python3
"""Checks that two Markdown readers, cmark and Python-Markdown, read a file to
the same outline: the same headings and list items, at the same list depth,
with the same text.

    mdnesting.py FILE.md

Prints the outline both read and exits 0 when they agree, 1 when they differ,
2 when a reader is missing.
"""
import html.parser
import subprocess
import sys


class Outline(html.parser.HTMLParser):
    """Headings and list items with their list depth and their own text (the
    text of nested lists left out); inline markup is dropped, entities
    decoded."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.items = []  # [depth, tag, text]
        self.depth = 0
        self.open = []  # the items whose own text is still being read

    def handle_starttag(self, tag, attrs):
        if tag in ("ul", "ol"):
            self.depth += 1
            self.open.append(None)
        elif tag == "li" or (len(tag) == 2 and tag[0] == "h" and tag[1].isdigit()):
            self.items.append([self.depth, tag, ""])
            self.open.append(self.items[-1])

    def handle_endtag(self, tag):
        if tag in ("ul", "ol"):
            self.depth -= 1
        if tag in ("ul", "ol", "li") or (len(tag) == 2 and tag[0] == "h" and tag[1].isdigit()):
            if self.open:
                self.open.pop()

    def handle_data(self, data):
        if self.open and self.open[-1] is not None:
            self.open[-1][2] += data

    def handle_comment(self, data):
        pass

    def result(self):
        return [(d, t, " ".join(x.split())) for d, t, x in self.items]


def read(html_text):
    p = Outline()
    p.feed(html_text)
    p.close()
    return p.result()


def main():
    path = sys.argv[1]
    source = open(path, encoding="utf-8").read()
    try:
        import markdown
    except ImportError:
        print("Python-Markdown is not installed")
        return 2
    try:
        common = subprocess.run(["cmark", path], check=True, capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        print(f"cmark failed: {e}")
        return 2
    a, b = read(common), read(markdown.markdown(source))
    for x in a:
        print(*x, sep="\t")
    if a != b:
        print("Python-Markdown reads it otherwise:")
        for x in b:
            print(*x, sep="\t")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
