#!/usr/bin/env python3
"""Checks the game's text catalogue against the code:

- every catalogue po/*.po passes `msgfmt --check` (its format strings included);
- the template po/zorvan.pot holds exactly the texts the code marks (else: `make pot`);
- po/en.po translates every one of them, and nothing the code no longer has;
- no Japanese literal in the code escapes the catalogue: each is a marked text (tr, trc, N_,
  NC_, uiText) or marked as part of a file (fileText), except in the files listed below, whose
  Japanese is not text for the player.

    check_catalogue.py [--source DIR]

Exit status 0 when everything holds; otherwise 1, after listing every fault.
"""

import argparse
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(SOURCE, "tools"))

import extract_texts  # noqa: E402
import make_catalogue  # noqa: E402

# Files whose Japanese literals are no texts for the player, and why.
NOT_TEXTS = {
    re.compile(r"^src/(platform/art_[^/]*|art/.*)$"): "the pieces' faces: characters drawn as pictures",
    re.compile(r"^src/platform/outline_data\.cpp$"): "outlines taken from a font",
    re.compile(r"^src/platform/fonts\.cpp$"): "the characters a font must have to be chosen",
    re.compile(r"^src/web/language_names\.cpp$"): "each language's own name, the same in every language",
}
# The language that must say everything the game shows.
COMPLETE = "en"


def japanese(text):
    """True for a text with kana, kanji or full-width letters and digits in it."""
    return any(0x3040 <= ord(c) <= 0x30FF or 0x4E00 <= ord(c) <= 0x9FFF
               or 0xFF01 <= ord(c) <= 0xFF9F for c in text)


def entries(po_text):
    """{(context, id): flags} of a template or catalogue's text (the header left out)."""
    with tempfile.NamedTemporaryFile("w", suffix=".po", encoding="utf-8", delete=False) as f:
        f.write(po_text)
    try:
        return {(ctx or "", msgid): flags - {"fuzzy"}
                for ctx, msgid, _, flags in make_catalogue.read_po(f.name) if msgid}
    finally:
        os.unlink(f.name)


def occurrences(po_text):
    """{(file, line, id)} of every literal an extraction found, from its "#:" lines."""
    found, refs = set(), []
    for line in po_text.split("\n"):
        if line.startswith("#:"):
            refs += line[2:].split()
        elif line.startswith("msgid "):
            text = make_catalogue.unquote(line[6:], "extraction")
            for ref in refs:
                path, _, number = ref.rpartition(":")
                found.add((path, int(number), text))
            refs = []
    return found


def check(source):
    faults = []
    po_dir = os.path.join(source, "po")
    catalogues = sorted(n for n in os.listdir(po_dir) if n.endswith(".po"))
    for name in catalogues:
        result = subprocess.run(["msgfmt", "--check", "--output-file=/dev/null",
                                 os.path.join(po_dir, name)], capture_output=True, text=True)
        if result.returncode != 0:
            faults.append(f"po/{name} fails msgfmt --check:\n{result.stderr}")

    extracted = extract_texts.extract(source)
    marked = entries(extracted)
    with open(os.path.join(po_dir, "zorvan.pot"), encoding="utf-8") as f:
        template = entries(f.read())
    if template != marked:
        new = sorted(set(marked) - set(template))
        gone = sorted(set(template) - set(marked))
        faults.append(f"po/zorvan.pot is not the code's: run `make pot` (new {new}, gone {gone})")

    for name in catalogues:
        path = os.path.join(po_dir, name)
        translated = make_catalogue.translations(path)
        if name == f"{COMPLETE}.po":
            missing = sorted(k for k in marked if k not in translated)
            for context, msgid in missing:
                faults.append(f"po/{name} has no translation of {msgid!r}"
                              + (f" (context {context!r})" if context else ""))
        stale = sorted(k for k in translated if k not in marked)
        for context, msgid in stale:
            faults.append(f"po/{name} translates {msgid!r}, which the code no longer has")

    # Every literal, and the literals the catalogue or the file marker takes.
    everything = occurrences(extract_texts.extract(source, ["--extract-all"]))
    taken = occurrences(extracted) | occurrences(
        extract_texts.extract(source, ["--keyword=fileText"]))
    for path, line, text in sorted(everything - taken):
        if not japanese(text):
            continue
        if any(pattern.match(path) for pattern in NOT_TEXTS):
            continue
        faults.append(f"{path}:{line}: the Japanese literal {text!r} is not in the catalogue: "
                      f"give it to tr()/N_() and po/{COMPLETE}.po, or mark it fileText()")
    return faults


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=SOURCE)
    args = parser.parse_args()
    try:
        faults = check(args.source)
    except (RuntimeError, OSError, make_catalogue.PoError) as e:
        print(f"check_catalogue: {e}", file=sys.stderr)
        return 1
    for fault in faults:
        print(fault, file=sys.stderr)
    if not faults:
        print("the catalogue covers every text of the code")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
