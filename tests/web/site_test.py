#!/usr/bin/python3
"""The site's own files beside the modules: the page's font holds every character the game shows
a player, in every language, and is the window's face; the sounds are the window's, byte for byte;
the service worker lists every file of the site under a version that follows their contents; the
page carries the Content Security Policy of app/web/csp.txt.

    site_test.py    (ZORVAN_WEB_BUILD, ZORVAN_DRAWN_TEXTS, ZORVAN_SOURCE_DIR in the environment;
                     ZORVAN_RUN_DIR, the native build's folder with the window's sounds)

Needs fontTools (Debian's python3-fonttools) to read the font.
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest
import urllib.parse

from fontTools.ttLib import TTFont

WEB_BUILD = os.environ["ZORVAN_WEB_BUILD"]
SITE = os.path.join(WEB_BUILD, "site")
SOURCE = os.environ["ZORVAN_SOURCE_DIR"]
FONT = os.path.join(SITE, "fonts", "zorvan-jp.woff2")
# The font is part of the page's first picture (600 KB at most, gzipped, with everything else).
FONT_BUDGET = 80 * 1024

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import make_catalogue  # noqa: E402


def drawn_texts():
    """[(kind, language, text)] from zorvan-drawn-texts: the catalogue, the menus, and what the
    core draws and shows in boxes while it plays."""
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "texts.txt")
        subprocess.run([os.environ["ZORVAN_DRAWN_TEXTS"], out], check=True)
        with open(out, encoding="utf-8") as f:
            return [tuple(line.rstrip("\n").split("\t", 2)) for line in f if line.strip()]


class Font(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.font = TTFont(FONT)
        cls.cmap = cls.font.getBestCmap()

    def missing(self, texts):
        """{character: the first text that needs it} for every character the font lacks."""
        lacking = {}
        for where, text in texts:
            for c in text:
                if ord(c) not in self.cmap and c not in "\r\n":
                    lacking.setdefault(f"{c} U+{ord(c):04X}", where)
        return lacking

    def test_holds_every_character_the_game_shows(self):
        texts = drawn_texts()
        kinds = {(kind, language) for kind, language, _ in texts}
        # Both languages, each with its catalogue, its menus and its drawn texts.
        for language in ("ja", "en"):
            for kind in ("catalogue", "menu", "drawn"):
                self.assertIn((kind, language), kinds)
        # The drawn texts include the composed ones: clocks, counters and the English notation.
        shown = {text for _, _, text in texts}
        for sample in ("00:00:00", "Thinking...", "思考中"):
            self.assertIn(sample, shown)
        self.assertTrue(any(t.startswith("Move ") for t in shown))
        self.assertTrue(any(c in "ⓅⓇⓃⒷⓆⓀ" for t in shown for c in t))
        self.assertTrue(any(t.endswith("…") for t in shown))  # a loaded record's long names
        self.assertEqual(self.missing(((kind, language, text), text)
                                      for kind, language, text in texts), {})

    def test_holds_every_text_of_every_catalogue_file(self):
        # The template's texts too: those not translated yet are shown in Japanese.
        po = os.path.join(SOURCE, "po")
        texts = []
        for name in sorted(n for n in os.listdir(po) if n.endswith((".po", ".pot"))):
            for _, msgid, msgstr, _ in make_catalogue.read_po(os.path.join(po, name)):
                if msgid:
                    texts.append(((name, msgid), msgid + msgstr))
        self.assertGreater(len(texts), 200)
        self.assertEqual(self.missing(texts), {})

    def test_is_the_windows_face_small_and_woff2(self):
        with open(FONT, "rb") as f:
            self.assertEqual(f.read(4), b"wOF2")
        self.assertEqual(self.font["name"].getDebugName(4), "Noto Sans CJK JP Bold")
        size = os.path.getsize(FONT)
        print(f"\nfonts/zorvan-jp.woff2: {size:,} bytes, {len(self.cmap)} characters, "
              f"{len(self.font.getGlyphOrder())} glyphs", file=sys.stderr)
        self.assertLessEqual(size, FONT_BUDGET)
        # Cut down: far fewer glyphs than the face's 65,535.
        self.assertLess(len(self.font.getGlyphOrder()), 1000)



class Sounds(unittest.TestCase):
    # The names the game looks the sounds up by (the page fetches sounds/<name>.wav).
    NAMES = ["その他", "禁止", "駒打音", "チェス打音", "消滅", "BGM"]

    def test_are_the_windows_sounds(self):
        run = os.environ["ZORVAN_RUN_DIR"]
        for name in self.NAMES:
            with self.subTest(name=name):
                with open(os.path.join(SITE, "sounds", name + ".wav"), "rb") as f:
                    page = f.read()
                with open(os.path.join(run, name + ".wav"), "rb") as f:
                    window = f.read()
                self.assertEqual(page[:4], b"RIFF")
                self.assertTrue(page == window, f"{name}.wav differs from the window's")
        self.assertEqual(sorted(os.listdir(os.path.join(SITE, "sounds"))),
                         sorted(n + ".wav" for n in self.NAMES))



def worker_fields(folder):
    with open(os.path.join(folder, "sw.js"), encoding="utf-8") as f:
        text = f.read()
    version = re.search(r'^const VERSION = "([0-9a-f]+)";$', text, re.M).group(1)
    files = json.loads(re.search(r"^const FILES = (\[[^\]]*\]);$", text, re.M).group(1))
    return version, files


class ServiceWorker(unittest.TestCase):
    def make(self, folder):
        subprocess.run([sys.executable, os.path.join(SOURCE, "tools", "make_service_worker.py"),
                        "--site", folder, "--template", os.path.join(SOURCE, "app", "web", "sw.js"),
                        "--on-demand", "sounds/BGM.wav"], check=True)
        return worker_fields(folder)

    def test_lists_every_file_of_the_site_but_itself_and_the_music(self):
        _, files = worker_fields(SITE)
        present = set()
        for root, _, names in os.walk(SITE):
            for name in names:
                present.add(os.path.relpath(os.path.join(root, name), SITE).replace(os.sep, "/"))
        listed = {urllib.parse.unquote(f) for f in files}
        self.assertEqual(listed, present - {"sw.js", "sounds/BGM.wav"})
        for name in ("zorvan-search.wasm", "fonts/zorvan-jp.woff2", "sounds/禁止.wav"):
            self.assertIn(name, listed)

    def test_a_change_of_any_file_is_a_new_version(self):
        with tempfile.TemporaryDirectory() as folder:
            copy = os.path.join(folder, "site")
            shutil.copytree(SITE, copy)
            first, files = self.make(copy)
            worker = os.path.join(copy, "sw.js")
            written = os.stat(worker).st_mtime_ns
            self.assertEqual(self.make(copy), (first, files))
            self.assertEqual(os.stat(worker).st_mtime_ns, written, "written again unchanged")
            versions = {first}
            for name in ("zorvan-search.wasm", "sounds/BGM.wav"):
                with open(os.path.join(copy, name), "ab") as f:
                    f.write(b"\0")
                version, now = self.make(copy)
                self.assertNotIn(version, versions, name)
                self.assertEqual(now, files)
                versions.add(version)
            with open(os.path.join(copy, "added.txt"), "w") as f:
                f.write("a new file\n")
            version, now = self.make(copy)
            self.assertNotIn(version, versions)
            self.assertEqual(sorted(now), sorted(files + ["added.txt"]))

    def test_the_page_carries_the_policy(self):
        index = os.path.join(SITE, "index.html")
        if not os.path.exists(index):
            self.skipTest("no page in the site yet")
        with open(os.path.join(SOURCE, "app", "web", "csp.txt"), encoding="utf-8") as f:
            policy = f.read().strip()
        with open(index, encoding="utf-8") as f:
            page = f.read()
        tag = f'<meta http-equiv="Content-Security-Policy" content="{policy}">'
        self.assertIn(tag, page)


if __name__ == "__main__":
    unittest.main(verbosity=2)
