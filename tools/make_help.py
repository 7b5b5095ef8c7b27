#!/usr/bin/python3
"""Makes the help file the program carries: the user's guide (docs/guide/*.md)
as one small HTML page that needs no network.

    tools/make_help.py GUIDE_FOLDER OUTPUT.html

The pages come in the order in which the guide's index.md links to them, each
in a section whose id is "page-" and the page's file name without ".md", so
that a link to another page ("timers.md") becomes a link within the file
("#page-timers"), and one to a heading of it ("timers.md#until") one to that
heading ("#until").
Pictures are left out (their text stays): the file is meant to be small."""
import pathlib
import re
import sys

import markdown

STYLE = """
body { font-family: "Segoe UI", Arial, sans-serif; max-width: 50em; margin: 1em auto; padding: 0 1em;
       line-height: 1.45; color: #222; }
h1 { border-bottom: 2px solid #3a7d3a; padding-bottom: .2em; margin-top: 2em; }
section:first-of-type h1 { margin-top: .5em; }
table { border-collapse: collapse; margin: .5em 0; }
th, td { border: 1px solid #bbb; padding: .2em .5em; text-align: left; vertical-align: top; }
th { background: #eee; }
code { background: #f3f3f3; padding: 0 .2em; }
.picture { color: #666; font-style: italic; }
"""

PAGE_LINK = re.compile(r"\]\(([a-z0-9-]+)\.md(#[a-z0-9-]+)?\)")
PICTURE = re.compile(r"!\[([^\]]*)\]\([^)]*\)")


def page_order(guide):
    """index.md, then the pages it links to, in the order of their first link."""
    order = ["index"]
    for match in PAGE_LINK.finditer((guide / "index.md").read_text(encoding="utf-8")):
        if match.group(1) not in order:
            order.append(match.group(1))
    return order


def page_html(text):
    text = PICTURE.sub(lambda m: f'<span class="picture">(Picture: {m.group(1)})</span>', text)
    text = PAGE_LINK.sub(lambda m: f"]({m.group(2) or '#page-' + m.group(1)})", text)
    return markdown.markdown(text, extensions=["tables", "toc"], output_format="html")


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    guide, output = pathlib.Path(argv[0]), pathlib.Path(argv[1])
    sections = []
    for name in page_order(guide):
        text = (guide / f"{name}.md").read_text(encoding="utf-8")
        sections.append(f'<section id="page-{name}">\n{page_html(text)}\n</section>')
    html = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>Horavel Help</title>\n<style>" + STYLE + "</style>\n</head>\n<body>\n"
            + "\n".join(sections) + "\n</body>\n</html>\n")
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_text(html, encoding="utf-8", newline="\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
