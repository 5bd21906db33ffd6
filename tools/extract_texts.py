#!/usr/bin/env python3
"""Finds the game's texts in the code with xgettext and writes the translators' template
po/zorvan.pot; with --merge, also brings every catalogue po/*.po up to date with it (msgmerge:
new texts come in untranslated, changed ones marked fuzzy until a translator looks at them).

    extract_texts.py [--source DIR] [--output FILE] [--merge]

The texts are the literals given to tr, trc, N_, NC_ and uiText (see src/text/catalogue.h).
"""

import argparse
import os
import subprocess
import sys

KEYWORDS = ["--keyword=", "--keyword=tr", "--keyword=trc:1c,2", "--keyword=N_",
            "--keyword=NC_:1c,2", "--keyword=uiText"]
# Where the texts a player can see are made: the core and the window.
SOURCE_FOLDERS = ["src", os.path.join("app", "gui")]


def source_files(source):
    files = []
    for folder in SOURCE_FOLDERS:
        for root, _, names in os.walk(os.path.join(source, folder)):
            for name in names:
                if name.endswith((".cpp", ".h")):
                    files.append(os.path.relpath(os.path.join(root, name), source))
    return sorted(files)


def xgettext_args():
    return ["xgettext", "--language=C++", "--from-code=UTF-8", *KEYWORDS,
            "--add-comments=TRANSLATORS:", "--package-name=zorvan", "--no-wrap",
            "--msgid-bugs-address=zorvan@example.org"]


def extract(source, extra=()):
    """The template's text as xgettext writes it from the sources under `source`."""
    result = subprocess.run(xgettext_args() + list(extra) + ["--output=-", "--files-from=-"],
                            input="\n".join(source_files(source)) + "\n", cwd=source,
                            capture_output=True, text=True, encoding="utf-8")
    if result.returncode != 0:
        raise RuntimeError(f"xgettext failed:\n{result.stderr}")
    return result.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--source", default=here, help="the source tree (default: this one)")
    parser.add_argument("--output", help="the template (default: po/zorvan.pot)")
    parser.add_argument("--merge", action="store_true", help="also update every po/*.po")
    args = parser.parse_args()
    output = args.output or os.path.join(args.source, "po", "zorvan.pot")
    try:
        text = extract(args.source)
    except (RuntimeError, OSError) as e:
        print(f"extract_texts: {e}", file=sys.stderr)
        return 1
    with open(output, "w", encoding="utf-8") as f:
        f.write(text)
    print(f"wrote {output}")
    if args.merge:
        po_dir = os.path.join(args.source, "po")
        for name in sorted(os.listdir(po_dir)):
            if name.endswith(".po"):
                path = os.path.join(po_dir, name)
                subprocess.run(["msgmerge", "--quiet", "--update", "--backup=none", "--no-wrap",
                                path, output], check=True)
                print(f"updated {path}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
