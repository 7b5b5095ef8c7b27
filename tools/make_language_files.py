#!/usr/bin/env python3
"""Copies the English table to the languages that ship with English texts and
checks the format of all ten built-in tables under lang/.

Run from anywhere; exits non-zero and names the fault when a table is malformed.
English_v167.txt, Deutsch_v167.txt, Español_v167.txt and Français_v167.txt are
edited by hand; the other six are generated copies of English.
"""
import pathlib
import re
import sys

LANG = pathlib.Path(__file__).resolve().parent.parent / "lang"
HEADER = "Text File for Horavel (Do not Translate This Line)"
BOM = b"\xef\xbb\xbf"
ENGLISH_COPIES = ["Chinese Simplified", "Czech", "Japanese", "Italiano", "Português", "PortuguêsBR"]
TRANSLATED = ["Deutsch", "Español", "Français"]
# The translations leave empty exactly the lines English leaves empty, except these.
EMPTY_IN_TRANSLATION = {"Deutsch": {198}}
# Texts that the program fills in at run time; a translation must keep them.
PLACEHOLDERS = ["[ERROR_CODE]"]


def table_file(name):
    return LANG / f"{name}_v167.txt"


def read_table(name):
    """The texts of messages 1 to 199, after checking the file's format."""
    data = table_file(name).read_bytes()

    def fail(why):
        sys.exit(f"{table_file(name).name}: {why}")

    if not data.startswith(BOM):
        fail("does not start with the byte-order mark")
    try:
        text = data[len(BOM):].decode("utf-8")
    except UnicodeDecodeError as error:
        fail(f"not UTF-8 ({error})")
    if "\f" in text:
        fail("holds a form feed, which the loader takes for a line end")
    if name == "Français":
        if text.endswith("\r\n"):
            fail("the French table has no line end after its last line")
    elif not text.endswith("\r\n"):
        fail("does not end with CR LF")
    lines = text.removesuffix("\r\n").split("\r\n")
    if any("\r" in line or "\n" in line for line in lines):
        fail("has a line end other than CR LF")
    if lines[0] != HEADER:
        fail("the header line is wrong")
    if len(lines) != 200:
        fail(f"has {len(lines) - 1} message lines instead of 199")
    texts = {}
    for number, line in enumerate(lines[1:], start=1):
        if not re.fullmatch(rf"{number:03d}-.*", line):
            fail(f"line {number + 1} is not numbered {number:03d}-")
        texts[number] = line[4:]
    return texts


def main():
    english = table_file("English").read_bytes()
    for name in ENGLISH_COPIES:
        table_file(name).write_bytes(english)

    english_texts = read_table("English")
    for name in ENGLISH_COPIES:
        read_table(name)
    for name in TRANSLATED:
        texts = read_table(name)
        for number, english_text in english_texts.items():
            should_be_empty = not english_text or number in EMPTY_IN_TRANSLATION.get(name, set())
            if should_be_empty != (not texts[number]):
                sys.exit(f"{name}: message {number:03d} should {'' if should_be_empty else 'not '}be empty")
            for placeholder in PLACEHOLDERS:
                if (placeholder in english_text) != (placeholder in texts[number]):
                    sys.exit(f"{name}: message {number:03d} must keep {placeholder} as English does")
    print(f"ten language tables in {LANG} are well-formed")


if __name__ == "__main__":
    main()
