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
    @list KIND /RE/ [NOTES]
                        a word list drawn from data/lexicon.tsv: every word
                        whose definition (KIND "definition") or whose own
                        letters (KIND "word") match the regular expression
                        RE (which holds no "/"), comma separated and plain:
                        only headings are bold. NOTES, "QAT (an evergreen
                        shrub), ...", give a note for each word and must name
                        exactly the words the rule selects. Without notes, a
                        group in RE gives each word its note ("12th", "R")
                        and the list its order.
    @forms              the plurals and present tenses of the words of the
                        @list above ("plural of X", "a present tense of X" in
                        their definitions); these leave that list for this
                        one, and a definition list that has such forms must
                        be followed by an @forms line
    anything else       body text; consecutive lines join into one paragraph

The lists are made by rule so that no word the rule selects can be left out;
to change a list, change the rule or the definitions, never the words.

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
LEXICON = ROOT / "data" / "lexicon.tsv"

COLORS = {  # index in the colour table
    "black": 1,
    "red": 2,
    "blue": 3,
    "magenta": 4,
    "violet": 5,
    "heading": 6,
    "grey": 7,
}
COLOR_TABLE = (
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
                elif name in COLORS:
                    codes += r"\cf%d" % COLORS[name]
                else:
                    raise SystemExit(f"unknown inline style {name!r}")
            out.append("{" + codes + " " + inline(styled) + "}")
        pos = m.end()
    out.append(escape(text[pos:]))
    return "".join(out)


LIST = re.compile(r"@list (word|definition) /([^/]+)/(?: (.+))?$")
NOTE = re.compile(r"([A-Z]{2,3}) \(([^()]+)\)")
FORM_OF = re.compile(r"\b(?:plural|present tense) of ([A-Z]{2,3})\b")


def read_lexicon():
    """The words of data/lexicon.tsv with their definitions, in lexicon order."""
    return [tuple(line.split("\t", 1)) for line in
            LEXICON.read_text(encoding="ascii").splitlines() if line]


def parse_notes(text):
    """'QAT (a shrub), QUA (as)' as a dict; a note may hold commas."""
    if not re.fullmatch(r"(?:%s(?:, |$))+" % NOTE.pattern, text):
        raise SystemExit(f"@list notes {text[:40]!r}...: write WORD (note), WORD (note)")
    return dict(NOTE.findall(text))


def select(lexicon, line):
    """The (word, note) pairs of an @list line, and the forms it leaves out.

    A definition list keeps out the words that its own definitions make
    plurals or present tenses of its words: those are the @forms that follow.
    """
    m = LIST.fullmatch(line)
    if not m:
        raise SystemExit(f"cannot read {line!r}: write @list word|definition /RE/ [notes]")
    kind, pattern, note_text = m.groups()
    rule = re.compile(pattern)
    order = {w: i for i, (w, _) in enumerate(lexicon)}
    definitions = dict(lexicon)
    found = {}
    for word, definition in lexicon:
        hit = rule.search(word if kind == "word" else definition)
        if hit:
            found[word] = hit.group(1) if rule.groups else None
    forms = []
    if kind == "definition":
        forms = [w for w, d in lexicon if any(b in found for b in FORM_OF.findall(d))]
        for w in forms:
            found.pop(w, None)
    if not found:
        raise SystemExit(f"{line!r} selects no word")

    def rank(word):
        key = found[word] or ""
        number = re.match(r"\d+", key)
        return (int(number.group()) if number else 0, key, order[word])

    words = sorted(found, key=rank)
    if note_text:
        notes = parse_notes(note_text)
        missing = [w for w in words if w not in notes]
        extra = [w for w in notes if w not in found]
        if missing or extra:
            raise SystemExit(f"{line[:40]!r}...: notes missing for {missing}, "
                             f"notes for words the rule does not select {extra}")
        found = notes
    # Each form follows its word's place in the list.
    place = {w: i for i, w in enumerate(words)}
    forms.sort(key=lambda f: (min(place.get(b, len(place))
                                  for b in FORM_OF.findall(definitions[f])), order[f]))
    return [(w, found[w]) for w in words], [(f, None) for f in forms]


def listed(entries):
    """A word list paragraph: plain words, each with its note in brackets."""
    return ", ".join(escape(w) + (" (" + inline(n) + ")" if n else "") for w, n in entries)


def convert(lines, lexicon):
    rtf = [r"{\rtf1\ansi\ansicpg1252\deff0\deflang1033", FONT_TABLE, COLOR_TABLE,
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
    forms = []  # the forms of the last @list, until an @forms line shows them
    for raw in lines:
        line = raw.rstrip()
        if forms and line.startswith(("=", "@list")):
            raise SystemExit(f"an @forms line must follow the list before {line[:40]!r}")
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
        elif line.startswith("@list "):
            lead_in()
            entries, forms = select(lexicon, line)
            block.append(BODY + listed(entries))
        elif line == "@forms":
            if not forms:
                raise SystemExit("@forms follows no list that has plurals or present tenses")
            lead_in()
            block.append(BODY + listed(forms))
            forms = []
        else:
            text.append(line)
    if forms:
        raise SystemExit("an @forms line must follow the last list")
    end_section()
    rtf.append("}")
    return "\r\n".join(rtf) + "\r\n"


def main():
    text = SOURCE.read_text(encoding="ascii")
    TARGET.write_bytes(convert(text.splitlines(), read_lexicon()).encode("ascii"))
    print(f"wrote {TARGET.relative_to(ROOT)}")


if __name__ == "__main__":
    sys.exit(main())
