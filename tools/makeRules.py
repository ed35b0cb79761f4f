#!/usr/bin/env python3
"""Turns data/rules.txt into "data/Quillbox Rules.rtf".

The rules document is edited as plain text and shipped as RTF; run this after
every edit of rules.txt and commit both files:

    python3 tools/makeRules.py

Markup of rules.txt (one construct per line; blank lines separate blocks):

    # text              document title
    ## text             subtitle under the title
    = HEADING           section heading (must match a contents entry exactly)
    == Heading          sub-topic heading
    - text              bulleted item
    > text              a line of its own (rows of a list without bullets)
    | a | b | c         table row in a fixed-pitch font, columns padded to line
                        up; a row starting with |! is a bold header row
    @words W1, W2, ...  a word list: the words in bold, comma separated; a
                        note may follow a word ("XU (Vietnam)")
    anything else       body text; consecutive lines join into one paragraph

Inline: **bold**, //italic//, __underlined__, {red:text} with the colours
red, blue, magenta, violet, grey, {mono:text} for tally-sheet samples, and
combinations such as {red+mono:text}.

Every section (a heading and what follows it) ends with one empty paragraph,
and nothing else in the document is an empty paragraph: blocks are spaced by
a line break at the end of their last paragraph instead. The rules viewer
searches forward from a heading for the first empty line, then back to the
heading, so the heading ends up shown with as much of its section as fits.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE = ROOT / "data" / "rules.txt"
TARGET = ROOT / "data" / "Quillbox Rules.rtf"

COLOURS = {  # index in the colour table
    "black": 1,
    "red": 2,
    "blue": 3,
    "magenta": 4,
    "violet": 5,
    "heading": 6,
    "grey": 7,
}
COLOUR_TABLE = (
    r"{\colortbl;"
    r"\red0\green0\blue0;"
    r"\red255\green0\blue0;"
    r"\red0\green0\blue255;"
    r"\red255\green0\blue255;"
    r"\red64\green32\blue128;"
    r"\red31\green63\blue116;"
    r"\red96\green96\blue96;}"
)
FONT_TABLE = (
    r"{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}"
    r"{\f2\froman\fcharset0 Times New Roman;}}"
)

BODY = r"\pard\plain\f0\fs18 "
MONO = r"\pard\plain\f1\fs18 "

def escape(text):
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ord(ch) > 126:
            raise SystemExit(f"non-ASCII character {ch!r} in rules.txt: keep the document ASCII")
        else:
            out.append(ch)
    return "".join(out)


INLINE = re.compile(r"\*\*(.+?)\*\*|//(.+?)//|__(.+?)__|\{([\w+]+):(.+?)\}")


def inline(text):
    """Converts one line of body text with inline markup to RTF."""
    out = []
    pos = 0
    for m in INLINE.finditer(text):
        out.append(escape(text[pos:m.start()]))
        bold, italic, under, style, styled = m.groups()
        if bold is not None:
            out.append(r"{\b " + inline(bold) + "}")
        elif italic is not None:
            out.append(r"{\i " + inline(italic) + "}")
        elif under is not None:
            out.append(r"{\ul " + inline(under) + "}")
        else:
            codes = ""
            for name in style.split("+"):
                if name == "mono":
                    codes += r"\f1\fs18"
                elif name in COLOURS:
                    codes += r"\cf%d" % COLOURS[name]
                else:
                    raise SystemExit(f"unknown inline style {name!r}")
            out.append("{" + codes + " " + inline(styled) + "}")
        pos = m.end()
    out.append(escape(text[pos:]))
    return "".join(out)


def listed(entry):
    """A word list entry: the word in bold, an optional note after it plain."""
    word, _, note = entry.partition(" ")
    return r"{\b " + escape(word) + "}" + (" " + inline(note) if note else "")


def convert(lines):
    rtf = [r"{\rtf1\ansi\ansicpg1252\deff0\deflang1033", FONT_TABLE, COLOUR_TABLE,
           r"{\info{\title Quillbox Rules}{\author The Quillbox authors}}",
           r"\viewkind4\uc1"]
    # The paragraphs of the current block (a paragraph, a list, a table), each
    # without its closing \par. Blocks are set apart by a line break at the end
    # of their last paragraph, which shows as an empty line but is no empty
    # paragraph; only the end of a section gets an empty paragraph.
    block = []
    text = []
    rows = []

    def end_block(spaced=True):
        lead_in()
        if rows:
            widths = [max(len(r[1][i]) if i < len(r[1]) else 0 for r in rows)
                      for i in range(max(len(r[1]) for r in rows))]
            for header, cells in rows:
                padded = "".join(c.ljust(w + 3) for c, w in zip(cells, widths)).rstrip()
                body = escape(padded)
                block.append(MONO + (r"{\b " + body + "}" if header else body))
            rows.clear()
        for i, par in enumerate(block):
            last = i == len(block) - 1
            rtf.append(par + (r"\line" if last and spaced else "") + r"\par")
        block.clear()

    def lead_in():
        # Text straight above a list introduces it and stays tight against it.
        if text:
            block.append(BODY + inline(" ".join(text)))
            text.clear()

    def end_section():
        end_block(spaced=False)
        rtf.append(BODY + r"\par")

    in_section = False
    for raw in lines:
        line = raw.rstrip()
        if not line:
            end_block()
        elif line.startswith("## "):
            end_block()
            block.append(r"\pard\plain\f0\fs20\i\cf7 " + inline(line[3:]))
        elif line.startswith("# "):
            end_block()
            rtf.append(r"\pard\plain\f0\fs32\b\cf6 " + inline(line[2:]) + r"\par")
        elif line.startswith("= ") or line.startswith("== "):
            if in_section:
                end_section()
            else:
                end_block()
            in_section = True
            sub = line.startswith("== ")
            heading = line[3:] if sub else line[2:]
            size = r"\fs20" if sub else r"\fs24"
            rtf.append(r"\pard\plain\f0%s\b\cf6 " % size + escape(heading) + r"\line\par")
        elif line.startswith("- "):
            lead_in()
            block.append(BODY + r"\bullet  " + inline(line[2:]))
        elif line.startswith("> "):
            lead_in()
            block.append(BODY + inline(line[2:]))
        elif line.startswith("|"):
            lead_in()
            header = line.startswith("|!")
            rows.append((header, [c.strip() for c in line[2 if header else 1:].split("|")]))
        elif line.startswith("@words "):
            lead_in()
            words = [w.strip() for w in line[7:].split(",")]
            block.append(BODY + ", ".join(map(listed, words)))
        else:
            text.append(line)
    end_section()
    rtf.append("}")
    return "\r\n".join(rtf) + "\r\n"


def main():
    text = SOURCE.read_text(encoding="ascii")
    TARGET.write_bytes(convert(text.splitlines()).encode("ascii"))
    print(f"wrote {TARGET.relative_to(ROOT)}")


if __name__ == "__main__":
    sys.exit(main())
