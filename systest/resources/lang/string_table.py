"""Reads the string table of a language's resource script (Lang_<code>.rc).

The pseudo-language is made from it (make-pseudo.py), and cardlist takes its
English strings from it (cardlist/english_strings.py).
"""
import re

# One string a line: its identifier, then its text in quotes, where a quote
# is written as two quotes. Backslash escapes are C's; they stay as written.
ENTRY = re.compile(r'^\s*(IDS_\w+)\s+"((?:[^"]|"")*)"\s*$')


def read_string_table(path):
    """The script's (identifier, text) pairs in its order, each quote single."""
    with open(path, encoding="utf-8") as file:
        return [(match.group(1), match.group(2).replace('""', '"'))
                for match in map(ENTRY.match, file) if match]
