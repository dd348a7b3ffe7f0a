#!/usr/bin/env python3
"""Turns a read-me source in a small plain-text markup into a PDF.

    make_pdf.py SOURCE.txt OUTPUT.pdf

The markup, one block per paragraph (blocks are separated by blank lines):

    # Title                 the document's title, once, at the top
    = Subtitle              a grey line under the title
    ## Section              a section heading
    - item                  a bulleted item (continuation lines are indented)
        text                four spaces: a line of fixed-width text, kept as is
    ----                    a forced page break
    anything else           a paragraph; **words** are set in bold

The PDF uses only the standard Helvetica, Helvetica-Bold and Courier fonts with
WinAnsiEncoding, so nothing is embedded and Portuguese letters (ç, ã, é, ó, ...)
show in every viewer. The output depends on the source alone: no dates, no
random identifiers, so a rebuild gives the same bytes.
"""
import os
import sys
import unicodedata
import zlib

PAGE_W, PAGE_H = 595, 842          # A4 in points
MARGIN_L, MARGIN_R = 64, 64
MARGIN_T, MARGIN_B = 64, 72
TEXT_W = PAGE_W - MARGIN_L - MARGIN_R

TEAL = (0.0, 0.25, 0.25)           # the colour of the product name in the About window
GREY = (0.42, 0.42, 0.42)
BLACK = (0.0, 0.0, 0.0)

# Advance widths (1/1000 em) of the printable ASCII range, codes 32..126.
_HELVETICA = [
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584]
_HELVETICA_BOLD = [
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584]
# Signs outside ASCII that the documents use; accented letters take the width
# of their base letter (an accented i is as wide as the dotless i).
_EXTRA = {
    "F1": {"•": 350, "–": 556, "—": 1000, "“": 333, "”": 333, "‘": 222, "’": 222,
           "ª": 370, "º": 365, "°": 400, "«": 556, "»": 556, "©": 737, "…": 1000,
           "í": 278, "ì": 278, "î": 278, "ï": 278},
    "F2": {"•": 350, "–": 556, "—": 1000, "“": 500, "”": 500, "‘": 278, "’": 278,
           "ª": 370, "º": 365, "°": 400, "«": 556, "»": 556, "©": 737, "…": 1000,
           "í": 278, "ì": 278, "î": 278, "ï": 278},
}
FONTS = {"F1": "Helvetica", "F2": "Helvetica-Bold", "F3": "Courier"}


def char_width(font, ch):
    if font == "F3":
        return 600
    table = _HELVETICA if font == "F1" else _HELVETICA_BOLD
    if ch in _EXTRA[font]:
        return _EXTRA[font][ch]
    code = ord(ch)
    if 32 <= code <= 126:
        return table[code - 32]
    base = unicodedata.normalize("NFD", ch)[0]
    if base != ch and 32 <= ord(base) <= 126:
        return table[ord(base) - 32]
    return 556


def text_width(font, size, text):
    return sum(char_width(font, c) for c in text) * size / 1000.0


def encode(text):
    """WinAnsiEncoding is Windows code page 1252 for every sign used here."""
    try:
        data = text.encode("cp1252")
    except UnicodeEncodeError as e:
        raise SystemExit(f"make_pdf: {text[e.start:e.end]!r} has no place in WinAnsiEncoding")
    return data.replace(b"\\", b"\\\\").replace(b"(", b"\\(").replace(b")", b"\\)")


# ---------------------------------------------------------------- the source

def parse(source):
    """Blocks as (kind, text): title, subtitle, heading, para, bullet, mono, break."""
    blocks, para = [], None

    def flush():
        nonlocal para
        if para is not None:
            blocks.append((para[0], " ".join(para[1])))
            para = None

    for raw in source.splitlines():
        line = raw.rstrip()
        if not line:
            flush()
        elif line.startswith("    ") and (para is None or para[0] == "mono"):
            flush()
            blocks.append(("mono", line[4:]))
        elif line == "----":
            flush()
            blocks.append(("break", ""))
        elif line.startswith("## "):
            flush()
            blocks.append(("heading", line[3:].strip()))
        elif line.startswith("# "):
            flush()
            blocks.append(("title", line[2:].strip()))
        elif line.startswith("= "):
            flush()
            blocks.append(("subtitle", line[2:].strip()))
        elif line.startswith("- "):
            flush()
            para = ("bullet", [line[2:].strip()])
        elif para is not None:
            para[1].append(line.strip())
        else:
            para = ("para", [line.strip()])
    flush()
    return blocks


def words(text, regular, bold):
    """Words as lists of (piece, font); ** switches between the regular and the
    bold font, also inside a word ("**64 bits**;" keeps its semicolon close)."""
    if text.count("**") % 2:
        raise SystemExit(f"make_pdf: unmatched ** in: {text}")
    out, word = [], []
    for i, part in enumerate(text.split("**")):
        font = bold if i % 2 else regular
        chunks = part.split(" ")
        for j, chunk in enumerate(chunks):
            if j > 0 and word:                 # a space ends the word
                out.append(word)
                word = []
            if chunk:
                word.append((chunk, font))
    if word:
        out.append(word)
    return out


def word_width(size, word):
    return sum(text_width(font, size, piece) for piece, font in word)


def wrap(word_list, size, width):
    """Greedy line filling; a line is a list of (text, font) runs."""
    lines, line, used = [], [], 0.0
    space = char_width("F1", " ") * size / 1000.0
    for word in word_list:
        w = word_width(size, word)
        if line and used + space + w > width:
            lines.append(line)
            line, used = [], 0.0
        if w > width:                          # a word longer than a line is cut
            text, font = "".join(p for p, _ in word), word[0][1]
            while text_width(font, size, text) > width:
                cut = len(text)
                while cut > 1 and text_width(font, size, text[:cut]) > width:
                    cut -= 1
                lines.append([(text[:cut], font)])
                text = text[cut:]
            word, w = [(text, font)], text_width(font, size, text)
        if line:
            last_text, last_font = line[-1]
            line[-1] = (last_text + " ", last_font)
            used += space
        for piece, font in word:
            if line and line[-1][1] == font:
                line[-1] = (line[-1][0] + piece, font)
            else:
                line.append((piece, font))
        used += w
    if line:
        lines.append(line)
    return lines


# ---------------------------------------------------------------- the layout

class Layout:
    """Places lines on pages; each page is a list of drawing operations."""

    def __init__(self):
        self.pages = [[]]
        self.y = PAGE_H - MARGIN_T
        self.title = ""

    def new_page(self):
        self.pages.append([])
        self.y = PAGE_H - MARGIN_T

    def room(self, height):
        if self.y - height < MARGIN_B and self.pages[-1]:
            self.new_page()

    def line(self, runs, size, leading, x=MARGIN_L, colour=BLACK):
        self.room(leading)
        self.y -= leading
        self.pages[-1].append(("text", x, self.y, size, colour, runs))

    def rule(self, gap_above, gap_below, colour=TEAL):
        self.y -= gap_above
        self.pages[-1].append(("rule", MARGIN_L, self.y, PAGE_W - MARGIN_R, colour))
        self.y -= gap_below

    def space(self, points):
        if self.pages[-1]:
            self.y -= points


def lay_out(blocks):
    page = Layout()
    for kind, text in blocks:
        if kind == "title":
            page.title = text.replace("**", "")
            for runs in wrap(words(text, "F2", "F2"), 20, TEXT_W):
                page.line(runs, 20, 26, colour=TEAL)
            page.rule(8, 4)
        elif kind == "subtitle":
            for runs in wrap(words(text, "F1", "F2"), 10, TEXT_W):
                page.line(runs, 10, 14, colour=GREY)
            page.space(10)
        elif kind == "heading":
            # A heading never stands alone at the foot of a page.
            page.room(22 + 3 * 15)
            page.space(10)
            for runs in wrap(words(text, "F2", "F2"), 13, TEXT_W):
                page.line(runs, 13, 18, colour=TEAL)
            page.space(4)
        elif kind == "para":
            for runs in wrap(words(text, "F1", "F2"), 10.5, TEXT_W):
                page.line(runs, 10.5, 15)
            page.space(7)
        elif kind == "bullet":
            indent = 16
            for i, runs in enumerate(wrap(words(text, "F1", "F2"), 10.5, TEXT_W - indent)):
                if i == 0:
                    page.room(15)
                    page.pages[-1].append(("text", MARGIN_L + 4, page.y - 15, 10.5, TEAL, [("•", "F2")]))
                page.line(runs, 10.5, 15, x=MARGIN_L + indent)
            page.space(3)
        elif kind == "mono":
            size = 9.5
            per_line = int(TEXT_W / (0.6 * size)) - 2
            chunks = [text[i:i + per_line] for i in range(0, len(text), per_line)] or [""]
            for chunk in chunks:
                page.line([(chunk, "F3")], size, 13, x=MARGIN_L + 16)
            page.space(3)
        elif kind == "break":
            if page.pages[-1]:
                page.new_page()
    if not page.pages[-1] and len(page.pages) > 1:
        page.pages.pop()
    return page


def content_stream(ops, number, total, title):
    out = []
    for op in ops:
        if op[0] == "text":
            _, x, y, size, colour, runs = op
            out.append(b"BT %.3f %.3f %.3f rg %.2f %.2f Td" % (*colour, x, y))
            for text, font in runs:
                out.append(b"/%s %.2f Tf (%s) Tj" % (font.encode(), size, encode(text)))
            out.append(b"ET")
        else:
            _, x1, y, x2, colour = op
            out.append(b"%.3f %.3f %.3f RG 0.8 w %.2f %.2f m %.2f %.2f l S" % (*colour, x1, y, x2, y))
    # The foot of every page: a thin line, the document and the page number.
    foot_y = MARGIN_B - 34
    out.append(b"%.3f %.3f %.3f RG 0.5 w %d %d m %d %d l S" % (*GREY, MARGIN_L, foot_y + 12,
                                                               PAGE_W - MARGIN_R, foot_y + 12))
    left = f"Brontal32  •  {title}"
    right = f"Página {number} de {total}"
    right_x = PAGE_W - MARGIN_R - text_width("F1", 8.5, right)
    out.append(b"BT %.3f %.3f %.3f rg /F1 8.5 Tf %d %d Td (%s) Tj ET" % (*GREY, MARGIN_L, foot_y, encode(left)))
    out.append(b"BT %.3f %.3f %.3f rg /F1 8.5 Tf %.2f %d Td (%s) Tj ET" % (*GREY, right_x, foot_y, encode(right)))
    return b"\n".join(out) + b"\n"


def pdf_text_string(text):
    """A text string for the document information: UTF-16BE with its mark."""
    return b"<FEFF" + text.encode("utf-16-be").hex().upper().encode() + b">"


def write_pdf(layout, path):
    objects = []                      # bodies; object n is objects[n-1]

    def add(body):
        objects.append(body)
        return len(objects)

    catalog = add(None)
    pages = add(None)
    fonts = {name: add(b"<< /Type /Font /Subtype /Type1 /BaseFont /%s /Encoding /WinAnsiEncoding >>"
                       % base.encode()) for name, base in FONTS.items()}
    font_dict = b"<< " + b" ".join(b"/%s %d 0 R" % (n.encode(), o) for n, o in fonts.items()) + b" >>"
    kids = []
    total = len(layout.pages)
    for number, ops in enumerate(layout.pages, start=1):
        data = zlib.compress(content_stream(ops, number, total, layout.title), 9)
        stream = add(b"<< /Length %d /Filter /FlateDecode >>\nstream\n%s\nendstream" % (len(data), data))
        kids.append(add(b"<< /Type /Page /Parent %d 0 R /MediaBox [0 0 %d %d] /Resources << /Font %s >> "
                        b"/Contents %d 0 R >>" % (pages, PAGE_W, PAGE_H, font_dict, stream)))
    objects[catalog - 1] = b"<< /Type /Catalog /Pages %d 0 R /Lang (pt-BR) >>" % pages
    objects[pages - 1] = (b"<< /Type /Pages /Kids [" + b" ".join(b"%d 0 R" % k for k in kids)
                          + b"] /Count %d >>" % len(kids))
    info = add(b"<< /Title %s /Author %s /Producer (Brontal32 make_pdf) >>"
               % (pdf_text_string(layout.title), pdf_text_string("Ilvo Verlind")))

    out = bytearray(b"%PDF-1.4\n%\xe2\xe3\xcf\xd3\n")
    offsets = []
    for n, body in enumerate(objects, start=1):
        offsets.append(len(out))
        out += b"%d 0 obj\n%s\nendobj\n" % (n, body)
    xref = len(out)
    out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
    for off in offsets:
        out += b"%010d 00000 n \n" % off
    out += b"trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (
        len(objects) + 1, catalog, info, xref)
    # Written whole or not at all: a half-written file must not look finished.
    tmp = path + ".part"
    with open(tmp, "wb") as f:
        f.write(out)
    os.replace(tmp, path)


def main(argv):
    if len(argv) != 3:
        raise SystemExit("usage: make_pdf.py SOURCE.txt OUTPUT.pdf")
    with open(argv[1], encoding="utf-8") as f:
        blocks = parse(f.read())
    if not blocks or blocks[0][0] != "title":
        raise SystemExit(f"make_pdf: {argv[1]} must begin with a '# ' title")
    write_pdf(lay_out(blocks), argv[2])


if __name__ == "__main__":
    main(sys.argv)
