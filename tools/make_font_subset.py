#!/usr/bin/python3
"""Makes the page's Japanese font: the face the window draws its texts with (Noto Sans CJK JP
Bold, from Debian's fonts-noto-cjk) cut down to the characters the game can draw, as WOFF2.

    make_font_subset.py --source DIR --output FILE [--font FILE[:INDEX]] [--characters FILE]

The characters, all taken from the source tree:
  - every text of the catalogues (po/*.po) and of the template (po/zorvan.pot), the game's own
    Japanese and every translation (the English notation's circled letters among them);
  - every character of the string literals of the core and the browser binding (src/, the
    window's src/platform left out): what the core composes around the catalogue's texts, such
    as the "…" of a name cut short;
  - every character of the page's own files (app/web) outside their comments;
  - printable ASCII: the clocks, counters and numbers the core writes with std::to_string.
Names a player types are not among them: the page draws those with the browser's own fonts.

Needs python3-fonttools and python3-brotli (Debian's, as `make deps` installs them). A character
the face lacks stops the build: the page would draw it in another face.
"""

import argparse
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_catalogue  # noqa: E402  (the catalogue reader the core's tables are made with)

FAMILY = "Noto Sans CJK JP"
STYLE = "Bold"
# Where Debian's fonts-noto-cjk puts the face, should fontconfig not know it.
DEBIAN_FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc"
# What a browser's shaper does with horizontal text. The face's other features are left out:
# its vertical forms (the game writes no vertical text) and its localised forms for Chinese and
# Korean (a third of the glyphs otherwise).
LAYOUT_FEATURES = ["kern", "liga", "calt", "clig", "ccmp", "mark", "mkmk", "rlig", "rvrn"]
# The name records kept: the names, and the copyright and licence the face is shipped under.
NAME_IDS = [0, 1, 2, 3, 4, 5, 6, 13, 14]

ASCII = {chr(c) for c in range(0x20, 0x7F)}
SOURCE_SUFFIXES = (".cpp", ".h")
PAGE_SUFFIXES = (".html", ".js", ".mjs", ".css", ".txt", ".json")


def po_files(source):
    po = os.path.join(source, "po")
    return sorted(os.path.join(po, n) for n in os.listdir(po) if n.endswith((".po", ".pot")))


def catalogue_characters(source):
    """Every character of every text and translation of the catalogues."""
    chars = set()
    for path in po_files(source):
        for _context, msgid, msgstr, _flags in make_catalogue.read_po(path):
            if msgid:  # the header's msgstr is no text of the game
                chars.update(msgid, msgstr)
    return chars


def strip_c_comments(text):
    """C++ or JavaScript text without its comments, string literals left whole."""
    pattern = re.compile(r'//[^\n]*|/\*.*?\*/|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'|'
                         r'`(?:\\.|[^`\\])*`', re.S)
    return pattern.sub(lambda m: "" if m.group(0).startswith("/") else m.group(0), text)


def literal_characters(text):
    """Every character inside the string literals of C++ text (raw literals included)."""
    text = strip_c_comments(text)
    chars = set()
    for m in re.finditer(r'R"([^(\s]*)\((.*?)\)\1"|"((?:\\.|[^"\\\n])*)"', text, re.S):
        chars.update(m.group(2) if m.group(2) is not None else m.group(3))
    return chars


def files_under(folder, suffixes, skip=()):
    for root, dirs, names in os.walk(folder):
        dirs[:] = sorted(d for d in dirs if os.path.join(root, d) not in skip)
        for name in sorted(names):
            if name.endswith(suffixes):
                yield os.path.join(root, name)


def core_characters(source):
    """The characters of the string literals the core and the browser binding are built with."""
    src = os.path.join(source, "src")
    chars = set()
    for path in files_under(src, SOURCE_SUFFIXES, skip={os.path.join(src, "platform")}):
        with open(path, encoding="utf-8") as f:
            chars |= literal_characters(f.read())
    return chars


def page_characters(source):
    """The characters of the page's own files, outside their comments."""
    chars = set()
    for path in files_under(os.path.join(source, "app", "web"), PAGE_SUFFIXES):
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if path.endswith(".html"):
            text = re.sub(r"<!--.*?-->", "", text, flags=re.S)
        else:
            text = strip_c_comments(text)
        chars.update(text)
    return chars


def game_characters(source):
    """Every character the game can draw, without controls and white space other than blanks."""
    chars = (catalogue_characters(source) | core_characters(source) | page_characters(source)
             | ASCII)
    return {c for c in chars if c.isprintable() or c in (" ", "\u3000")}


def find_face():
    """The file and the index in it of the window's face, as fontconfig knows it."""
    try:
        out = subprocess.run(["fc-list", "-f", "%{file}\t%{index}\n",
                              f":family={FAMILY}:style={STYLE}"],
                             capture_output=True, text=True, check=True).stdout
        for line in out.splitlines():
            path, _, index = line.partition("\t")
            if path and os.path.exists(path):
                return path, int(index or 0)
    except (OSError, subprocess.CalledProcessError, ValueError):
        pass
    return DEBIAN_FONT, None


def open_face(path, index):
    """The window's face in `path` (at `index` of a collection, or wherever it is in it)."""
    from fontTools.ttLib import TTCollection, TTFont
    if path.lower().endswith((".ttc", ".otc")):
        count = len(TTCollection(path, lazy=True).fonts)
        numbers = range(count) if index is None else [index]
    else:
        numbers = [-1]
    for number in numbers:
        face = TTFont(path, fontNumber=number)
        names = face["name"]
        if names.getDebugName(4) == f"{FAMILY} {STYLE}":
            return face
    raise RuntimeError(f"{path} holds no {FAMILY} {STYLE}")


def make_subset(face, chars, output):
    from fontTools import subset
    options = subset.Options()
    options.flavor = "woff2"
    options.layout_features = LAYOUT_FEATURES
    options.name_IDs = NAME_IDS
    options.name_languages = ["*"]
    options.hinting = False          # the browser's rasteriser does without the CFF hints
    options.desubroutinize = True    # brotli packs the plain charstrings tighter
    options.drop_tables += ["vhea", "vmtx", "VORG"]  # the game writes no vertical text
    options.recalc_timestamp = False  # the same sources make the same file
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(ord(c) for c in chars))
    subsetter.subset(face)
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    temporary = output + ".part"
    subset.save_font(face, temporary, options)
    os.replace(temporary, output)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--source", default=here, help="the source tree (default: this one)")
    parser.add_argument("--output", required=True, help="the WOFF2 file to write")
    parser.add_argument("--font", help="the face's file[:index] (default: found by fontconfig)")
    parser.add_argument("--characters", help="also write the characters kept into this file")
    args = parser.parse_args()
    try:
        chars = game_characters(args.source)
        if args.font:
            path, _, index = args.font.partition(":")
            face = open_face(path, int(index) if index else None)
        else:
            face = open_face(*find_face())
        cmap = face.getBestCmap()
        missing = sorted(c for c in chars if ord(c) not in cmap)
        if missing:
            shown = " ".join(f"{c} (U+{ord(c):04X})" for c in missing)
            raise RuntimeError(f"{FAMILY} {STYLE} lacks characters the game draws: {shown}")
        make_subset(face, chars, args.output)
        if args.characters:
            with open(args.characters, "w", encoding="utf-8") as f:
                f.write("".join(sorted(chars)) + "\n")
    except ImportError as e:
        print(f"make_font_subset: {e}: install python3-fonttools and python3-brotli (make deps)",
              file=sys.stderr)
        return 1
    except (RuntimeError, OSError, make_catalogue.PoError, UnicodeDecodeError) as e:
        print(f"make_font_subset: {e}", file=sys.stderr)
        return 1
    print(f"wrote {args.output}: {len(chars)} characters, {os.path.getsize(args.output)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
