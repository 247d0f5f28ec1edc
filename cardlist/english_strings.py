#!/usr/bin/env python3
"""Writes a C++ table of QuarvelSysTest's English strings.

The strings come from the English resource script and their numbers from the
identifiers' header, so the tool shows each row's text as the program shows
it in English.

    english_strings.py <Lang_En.rc> <string_ids.h> <output.cpp>
"""

import re
import sys
from pathlib import Path

# The string table is read as the pseudo-language is made from it.
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "systest/resources/lang"))
from string_table import read_string_table  # noqa: E402


def cpp_literal(text):
    # The resource script's backslash escapes are C's.
    return 'u"' + text.replace('"', '\\"') + '"'


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip().splitlines()[-1].strip())
    rc_file, ids_file, output = (Path(argument) for argument in sys.argv[1:])
    ids = dict(re.findall(r"^#define (IDS_\w+) (\d+)", ids_file.read_text(), re.MULTILINE))
    rows = []
    for name, text in read_string_table(rc_file):
        if name not in ids:
            sys.exit(f"{rc_file}: {name} is not in {ids_file}")
        rows.append(f"    {{{ids[name]}, {cpp_literal(text)}}},  // {name}")
    if not rows:
        sys.exit(f"{rc_file} holds no strings")

    content = f"""// Generated from {rc_file.name} by english_strings.py; do not edit.
#include "cardlist/english_strings.h"

#include <algorithm>
#include <iterator>

namespace {{

struct EnglishString {{
    int id;
    const char16_t* text;
}};

const EnglishString kStrings[] = {{
{chr(10).join(rows)}
}};

}}  // namespace

std::u16string EnglishStrings::Load(int id) const {{
    const auto found = std::find_if(std::begin(kStrings), std::end(kStrings),
                                    [id](const EnglishString& s) {{ return s.id == id; }});
    return found == std::end(kStrings) ? std::u16string() : std::u16string(found->text);
}}
"""
    output.write_text(content, encoding="utf-8")


if __name__ == "__main__":
    main()
