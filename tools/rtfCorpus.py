#!/usr/bin/env python3
"""Compares the plain text our RTF reader finds with LibreOffice's text export.

  tools/rtfCorpus.py [--reader build/bin/rtf_to_text] FOLDER...

Every *.rtf file under the folders is read by our reader (bench/rtfToText.cpp,
built with -DQUILLBOX_BENCH=ON) and converted by LibreOffice (soffice
--headless --convert-to txt:Text); LibreOffice's results are kept in a cache
beside this script's work folder, so a second run only reads again.

Two texts match when they agree after this normalisation:
  - line ends of every kind (CR LF, CR, LF, U+2028, vertical tab, form feed)
    are one line end, and LibreOffice's byte order mark is dropped;
  - list bullets of every shape (and private-use symbol-font characters)
    are one bullet, and soft hyphens are dropped;
  - "text": every run of white space (blanks, tabs, line ends, no-break
    spaces) is one blank, leading and trailing white space is dropped, so
    table cells on one line (ours, tab-separated) and on lines of their own
    (LibreOffice's) read alike;
  - "lines" (stricter, also reported): white space runs inside a line are one
    blank, and empty lines are dropped, so the paragraph structure must agree.
A document that LibreOffice cannot convert is left out and listed.
"""
import argparse
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile

WORK = os.path.join(tempfile.gettempdir(), "quillbox-rtf-corpus")


def libreoffice_texts(files):
    """LibreOffice's text of each file (None where it made none), cached by content."""
    cache = os.path.join(WORK, "libreoffice")
    os.makedirs(cache, exist_ok=True)
    keys = {}
    missing = []
    for f in files:
        with open(f, "rb") as h:
            key = hashlib.sha1(h.read()).hexdigest()
        keys[f] = key
        if not os.path.exists(os.path.join(cache, key + ".txt")) and not os.path.exists(
                os.path.join(cache, key + ".none")):
            missing.append(f)
    if missing:
        stage = tempfile.mkdtemp(dir=WORK)
        out = tempfile.mkdtemp(dir=WORK)
        for f in missing:
            shutil.copy(f, os.path.join(stage, keys[f] + ".rtf"))
        env = dict(os.environ, HOME=WORK)
        names = sorted(os.listdir(stage))
        for i in range(0, len(names), 50):
            subprocess.run(["soffice", "-env:UserInstallation=file://" + WORK + "/profile",
                            "--headless", "--norestore", "--convert-to",
                            "txt:Text (encoded):UTF8", "--outdir", out]
                           + [os.path.join(stage, n) for n in names[i:i + 50]],
                           env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           timeout=1800)
        for f in missing:
            made = os.path.join(out, keys[f] + ".txt")
            if os.path.exists(made):
                shutil.move(made, os.path.join(cache, keys[f] + ".txt"))
            else:
                open(os.path.join(cache, keys[f] + ".none"), "w").close()
        shutil.rmtree(stage)
        shutil.rmtree(out)
    texts = {}
    for f in files:
        path = os.path.join(cache, keys[f] + ".txt")
        if os.path.exists(path):
            with open(path, encoding="utf-8", errors="replace") as h:
                texts[f] = h.read()
        else:
            texts[f] = None
    return texts


def our_texts(reader, files):
    out = tempfile.mkdtemp(dir=WORK)
    stems = {}
    for i, f in enumerate(files):
        link = os.path.join(out, "in", "%05d.rtf" % i)
        os.makedirs(os.path.dirname(link), exist_ok=True)
        os.symlink(os.path.abspath(f), link)
        stems[f] = "%05d" % i
    subprocess.run([reader, out] + [os.path.join(out, "in", stems[f] + ".rtf") for f in files],
                   check=True)
    texts = {}
    for f in files:
        base = os.path.join(out, stems[f])
        if os.path.exists(base + ".txt"):
            with open(base + ".txt", encoding="utf-8", errors="replace") as h:
                texts[f] = h.read()
        else:
            with open(base + ".error") as h:
                texts[f] = "[refused: " + h.read().strip() + "]"
    shutil.rmtree(out)
    return texts


def unify_line_ends(s):
    s = s.lstrip("\ufeff")
    return re.sub(r"\r\n|[\r\u2028\u2029\v\f]", "\n", s)


# List bullets: LibreOffice draws each list level's bullet from its own list
# styles (and maps symbol-font bullets to Unicode), so any bullet glyph, or a
# private-use symbol-font character, counts as one bullet.
BULLETS = re.compile("[\u2022\u25e6\u25aa\u25ab\u25cf\u25cb\u25a0\u25a1\u2023\u2043"
                     "\u2219\u27a2\u2713\u2714\u2756\u25c6\u25c7\ue000-\uf8ff]")


def unify(s):
    """Line ends made one; bullets made one; soft hyphens, which are not
    shown, dropped (LibreOffice exports them, our reader leaves them out)."""
    return BULLETS.sub("\u2022", unify_line_ends(s)).replace("\u00ad", "")


def as_text(s):
    return re.sub(r"[\s\u00a0]+", " ", unify(s)).strip()


def as_lines(s):
    lines = [re.sub(r"[ \t\u00a0]+", " ", l).strip() for l in unify(s).split("\n")]
    return [l for l in lines if l]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reader", default="build/bin/rtf_to_text")
    parser.add_argument("folders", nargs="+")
    args = parser.parse_args()
    os.makedirs(WORK, exist_ok=True)
    files = sorted(os.path.join(d, n) for folder in args.folders
                   for d, _, names in os.walk(folder) for n in names if n.lower().endswith(".rtf"))
    theirs = libreoffice_texts(files)
    ours = our_texts(args.reader, files)
    compared = [f for f in files if theirs[f] is not None]
    text_matches = [f for f in compared if as_text(ours[f]) == as_text(theirs[f])]
    line_matches = [f for f in compared if as_lines(ours[f]) == as_lines(theirs[f])]
    for f in compared:
        if f in text_matches:
            continue
        a, b = as_text(theirs[f]), as_text(ours[f])
        at = next((i for i in range(min(len(a), len(b))) if a[i] != b[i]), min(len(a), len(b)))
        print("DIFFERS", f)
        print("    libreoffice: ...%s..." % a[max(0, at - 40):at + 60])
        print("    ours:        ...%s..." % b[max(0, at - 40):at + 60])
    for f in files:
        if theirs[f] is None:
            print("LEFT OUT (LibreOffice made no text)", f)
    n = len(compared)
    print("%d files, %d compared: text matches %d (%.1f %%), lines match %d (%.1f %%)" %
          (len(files), n, len(text_matches), 100.0 * len(text_matches) / max(n, 1),
           len(line_matches), 100.0 * len(line_matches) / max(n, 1)))


if __name__ == "__main__":
    sys.exit(main())
