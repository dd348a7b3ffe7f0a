#!/usr/bin/env python3
"""Checks the read-me PDFs that the build leaves beside the program.

    check_readme_pdfs.py PDF_DIR SOURCE_DIR MAKE_PDF

For each source in SOURCE_DIR: the PDF of the same name is a well-formed file
(every cross-reference offset lands on its object, the trailer points at the
table), uses only the standard fonts with WinAnsiEncoding, carries every word
of its source in order with the Portuguese letters intact, keeps every line
inside the page, numbers its pages "Página i de n", and is rebuilt byte for
byte the same.
"""
import os
import re
import subprocess
import sys
import tempfile
import zlib

PAGE_W, MARGIN_R = 595, 64
failures = []


def fail(doc, what):
    failures.append(f"{doc}: {what}")


def unescape(raw):
    out, i = bytearray(), 0
    while i < len(raw):
        if raw[i] == 0x5C and i + 1 < len(raw):   # backslash
            out.append(raw[i + 1])
            i += 2
        else:
            out.append(raw[i])
            i += 1
    return bytes(out)


def source_words(text):
    words = []
    for line in text.splitlines():
        line = line.strip()
        if not line or line == "----":
            continue
        line = re.sub(r"^(#+|=|-)\s+", "", line)
        words += line.replace("**", "").split()
    return words


def check(doc, pdf_path, source_path, make_pdf):
    data = open(pdf_path, "rb").read()
    if not data.startswith(b"%PDF-1.4\n") or not data.rstrip().endswith(b"%%EOF"):
        fail(doc, "no PDF header or end marker")
        return
    start = int(re.search(rb"startxref\n(\d+)\n", data).group(1))
    if data[start:start + 4] != b"xref":
        fail(doc, "startxref does not point at the cross-reference table")
        return
    count = int(re.match(rb"xref\n0 (\d+)\n", data[start:]).group(1))
    entries = re.findall(rb"(\d{10}) 00000 n ", data[start:])
    if len(entries) != count - 1:
        fail(doc, f"{len(entries)} objects listed, {count - 1} announced")
    for n, off in enumerate(entries, start=1):
        if not data[int(off):].startswith(b"%d 0 obj" % n):
            fail(doc, f"object {n} is not where the table says")

    fonts = re.findall(rb"/BaseFont /(\S+) /Encoding /(\S+) ", data)
    if sorted(f for f, _ in fonts) != [b"Courier", b"Helvetica", b"Helvetica-Bold"] or \
            any(e != b"WinAnsiEncoding" for _, e in fonts):
        fail(doc, f"unexpected fonts {fonts}")

    pages = []
    for m in re.finditer(rb"<< /Length (\d+) /Filter /FlateDecode >>\nstream\n", data):
        length = int(m.group(1))
        pages.append(zlib.decompress(data[m.end():m.end() + length]))
    page_count = int(re.search(rb"/Type /Pages /Kids \[[^\]]*\] /Count (\d+)", data).group(1))
    if len(pages) != page_count:
        fail(doc, f"{len(pages)} page streams for {page_count} pages")

    # The text, in reading order, and how far right each line reaches.
    sys.path.insert(0, os.path.dirname(make_pdf))
    import make_pdf as writer
    shown, footers = [], []
    for number, stream in enumerate(pages, start=1):
        for block in re.finditer(rb"BT (.*?)[\n ]ET(?:\n|$)", stream, re.S):
            x, runs, font, size = 0.0, [], "F1", 0.0
            for m in re.finditer(rb"/(F\d) ([\d.]+) Tf|\(((?:\\.|[^\\)])*)\) Tj|([\d.]+) ([\d.]+) Td", block.group(1)):
                if m.group(1):
                    font, size = m.group(1).decode(), float(m.group(2))
                elif m.group(4):
                    x = float(m.group(4))
                else:
                    runs.append((font, size, unescape(m.group(3)).decode("cp1252")))
            text = "".join(r[2] for r in runs)
            width = sum(writer.text_width(f, z, t) for f, z, t in runs)
            if x + width > PAGE_W - MARGIN_R + 0.5:
                fail(doc, f"page {number}: line runs into the margin: {text!r}")
            if text.startswith("Página "):
                footers.append(text)
            elif not text.startswith("Brontal32  •  ReadMe"):
                shown.append(text)
    expected_footers = [f"Página {i} de {len(pages)}" for i in range(1, len(pages) + 1)]
    if footers != expected_footers:
        fail(doc, f"page numbers {footers}")

    text_words = " ".join(t for t in shown if t != "•").split()
    want = source_words(open(source_path, encoding="utf-8").read())
    if text_words != want:
        for i, (a, b) in enumerate(zip(text_words, want)):
            if a != b:
                fail(doc, f"word {i}: PDF has {a!r}, source has {b!r}")
                break
        else:
            fail(doc, f"{len(text_words)} words in the PDF, {len(want)} in the source")

    with tempfile.TemporaryDirectory() as tmp:
        again = os.path.join(tmp, "again.pdf")
        subprocess.run([sys.executable, make_pdf, source_path, again], check=True)
        if open(again, "rb").read() != data:
            fail(doc, "a rebuild gives different bytes")


def main(argv):
    pdf_dir, source_dir, make_pdf = argv[1:4]
    sources = sorted(f for f in os.listdir(source_dir) if f.endswith(".txt"))
    if len(sources) != 3:
        fail(source_dir, f"{len(sources)} read-me sources, expected 3")
    for name in sources:
        doc = name[:-4]
        pdf = os.path.join(pdf_dir, doc + ".pdf")
        if not os.path.isfile(pdf):
            fail(doc, "no PDF")
            continue
        check(doc, pdf, os.path.join(source_dir, name), make_pdf)
    for f in failures:
        print("FAIL", f)
    print(f"{len(sources)} documents checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
