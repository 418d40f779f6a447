#!/usr/bin/env python3
"""Checks the interface string tables against each other.

Every table must parse, hold the same keys as the English one, hold no key twice
and no empty value, and keep in each value the placeholders of its key (the same
%@ and %lld arguments, plain or positional such as %1$@), and show no macOS key glyph
(⌘ ⌥ ⌃ ⇧) in a value: a value names the keys pressed here (Ctrl, Super, Alt,
Shift). Exit status 1 on any problem, with one line per problem.

Usage: scripts/check-strings.py [resources-folder]
"""

import re
import sys
from pathlib import Path

LANGUAGES = ["en", "zh-Hans", "zh-Hant", "ja", "ko", "de", "fr", "es", "it", "pt-BR", "ru"]
REFERENCE = "en"
ESCAPES = {'"': '"', "\\": "\\", "n": "\n", "t": "\t", "r": "\r", "0": "\0"}
PLACEHOLDER = re.compile(r"%(?:(\d+)\$)?(@|lld|ld|d|%)")
MAC_KEY_GLYPHS = re.compile("[⌘⌥⌃⇧]")


class ParseError(Exception):
    pass


def line_of(text, pos):
    return text.count("\n", 0, pos) + 1


def read_literal(text, pos):
    """Reads a quoted literal starting at text[pos] == '"'; returns (value, next pos)."""
    out = []
    pos += 1
    while pos < len(text):
        ch = text[pos]
        if ch == '"':
            return "".join(out), pos + 1
        if ch == "\\":
            pos += 1
            if pos >= len(text):
                break
            esc = text[pos]
            if esc == "U" or esc == "u":
                digits = text[pos + 1 : pos + 5]
                if not re.fullmatch(r"[0-9A-Fa-f]{4}", digits):
                    raise ParseError(f"line {line_of(text, pos)}: bad \\u escape")
                out.append(chr(int(digits, 16)))
                pos += 5
                continue
            if esc not in ESCAPES:
                raise ParseError(f"line {line_of(text, pos)}: unknown escape \\{esc}")
            out.append(ESCAPES[esc])
        elif ch == "\n":
            raise ParseError(f"line {line_of(text, pos)}: line break inside a literal")
        else:
            out.append(ch)
        pos += 1
    raise ParseError("unterminated literal")


def skip_space(text, pos):
    while pos < len(text):
        if text[pos].isspace():
            pos += 1
        elif text.startswith("/*", pos):
            end = text.find("*/", pos + 2)
            if end < 0:
                raise ParseError("unterminated comment")
            pos = end + 2
        elif text.startswith("//", pos):
            end = text.find("\n", pos)
            pos = len(text) if end < 0 else end + 1
        else:
            break
    return pos


def parse(text):
    """Returns the list of (key, value, line) entries in file order."""
    entries = []
    pos = skip_space(text, 0)
    while pos < len(text):
        line = line_of(text, pos)
        if text[pos] != '"':
            raise ParseError(f"line {line}: expected a quoted key")
        key, pos = read_literal(text, pos)
        pos = skip_space(text, pos)
        if not text.startswith("=", pos):
            raise ParseError(f"line {line}: expected '='")
        pos = skip_space(text, pos + 1)
        if not text.startswith('"', pos):
            raise ParseError(f"line {line}: expected a quoted value")
        value, pos = read_literal(text, pos)
        pos = skip_space(text, pos)
        if not text.startswith(";", pos):
            raise ParseError(f"line {line}: expected ';'")
        entries.append((key, value, line))
        pos = skip_space(text, pos + 1)
    return entries


def placeholders(text):
    """The arguments a format uses, as a sorted list of (position, kind)."""
    found = []
    next_index = 1
    for match in PLACEHOLDER.finditer(text):
        index, kind = match.groups()
        if kind == "%":
            continue
        kind = "int" if kind in ("lld", "ld", "d") else "object"
        if index is None:
            found.append((next_index, kind))
            next_index += 1
        else:
            found.append((int(index), kind))
    return sorted(found)


def check_table(lang, entries):
    problems = []
    seen = {}
    for key, value, line in entries:
        if key in seen:
            problems.append(f"{lang}: line {line}: duplicate key {key!r} (first on line {seen[key]})")
            continue
        seen[key] = line
        if not value:
            problems.append(f"{lang}: line {line}: empty value for {key!r}")
        elif placeholders(key) != placeholders(value):
            problems.append(f"{lang}: line {line}: placeholders of {key!r} not kept in {value!r}")
        elif MAC_KEY_GLYPHS.search(value):
            problems.append(f"{lang}: line {line}: macOS key glyph in {value!r}")
    return problems


def main():
    root = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "resources"
    problems = []
    tables = {}
    for lang in LANGUAGES:
        path = root / f"{lang}.lproj" / "Localizable.strings"
        try:
            tables[lang] = parse(path.read_text(encoding="utf-8"))
        except (OSError, UnicodeDecodeError, ParseError) as error:
            problems.append(f"{lang}: {error}")
            continue
        problems += check_table(lang, tables[lang])

    if REFERENCE in tables:
        reference = {key for key, _, _ in tables[REFERENCE]}
        for lang, entries in tables.items():
            keys = {key for key, _, _ in entries}
            for key in sorted(reference - keys):
                problems.append(f"{lang}: missing key {key!r}")
            for key in sorted(keys - reference):
                problems.append(f"{lang}: key {key!r} is not in the {REFERENCE} table")

    for problem in problems:
        print(problem)
    if problems:
        return 1
    print(f"{len(tables)} tables, {len(tables.get(REFERENCE, []))} keys each: consistent")
    return 0


if __name__ == "__main__":
    sys.exit(main())
