#!/usr/bin/python3
"""Checks the README and the documents under docs/ as a reader meets them:

- every relative link and picture points at a file in the tree, and a link to
  a heading of a Markdown page (page.md#heading) at a heading it has;
- every picture under docs/screenshots is one that scripts/screenshots makes
  from the end-to-end cases' screenshots;
- every web address is one of those the program lists in one place
  (settings/about_panel.h: the home page and the pages under it);
- the guide's table of the built-in sounds matches the sound files.

    check_docs.py SOURCE_DIR      exits 1 and names each fault"""
import pathlib
import re
import subprocess
import sys

LINK = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)\)")
ADDRESS = re.compile(r"https?://[^\s)<>\"'`]+")
HEADING = re.compile(r"^#+\s+(.*?)\s*$", re.M)


def slug(heading):
    """The anchor a heading gets, as the guide's HTML and the hosting site make it."""
    text = re.sub(r"[^\w\s-]", "", heading.lower())
    return re.sub(r"[\s]+", "-", text.strip())


def documents(root):
    return [root / "README.md"] + sorted((root / "docs").rglob("*.md"))


def listed_addresses(root):
    header = (root / "settings" / "about_panel.h").read_text(encoding="utf-8")
    return set(re.findall(r'constexpr std::string_view \w+ = "(https?://[^"]+)"', header))


def made_screenshots(root):
    script = (root / "scripts" / "screenshots").read_text(encoding="utf-8")
    return {f"{name}.png" for name in re.findall(r"^shot (\S+)", script, re.M)}


def link_faults(root, page):
    faults = []
    text = page.read_text(encoding="utf-8")
    for target in LINK.findall(text):
        if ADDRESS.match(target) or target.startswith("mailto:"):
            continue
        path, _, anchor = target.partition("#")
        file = (page.parent / path).resolve() if path else page
        where = f"{page.relative_to(root)}: {target}"
        if not file.is_file():
            faults.append(f"{where}: no such file")
        elif root not in file.parents:
            faults.append(f"{where}: outside the tree")
        elif anchor and file.suffix == ".md":
            headings = {slug(h) for h in HEADING.findall(file.read_text(encoding="utf-8"))}
            if anchor not in headings:
                faults.append(f"{where}: no heading #{anchor} there")
        if file.parent == root / "docs" / "screenshots" and file.name not in made_screenshots(root):
            faults.append(f"{where}: not a picture that scripts/screenshots makes")
    return faults


def address_faults(root, page):
    allowed = listed_addresses(root)
    return [f"{page.relative_to(root)}: {address.rstrip('.,;:')} is not one of the addresses in settings/about_panel.h"
            for address in ADDRESS.findall(page.read_text(encoding="utf-8"))
            if address.rstrip(".,;:") not in allowed]


def main(argv):
    root = pathlib.Path(argv[0]).resolve()
    faults = []
    if not listed_addresses(root):
        faults.append("settings/about_panel.h lists no web address")
    for page in documents(root):
        faults += link_faults(root, page)
        faults += address_faults(root, page)
    sounds = subprocess.run([sys.executable, str(root / "tools" / "sound_table.py"), "--check"],
                            capture_output=True, text=True)
    if sounds.returncode != 0:
        faults.append(sounds.stdout.strip() or sounds.stderr.strip())
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
