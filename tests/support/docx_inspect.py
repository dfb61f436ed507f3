#!/usr/bin/python3
"""Reads a .docx with python-docx the way a word processor would and prints what the
report tests check, as JSON: every body paragraph (text, right-to-left, alignment, whether
every run is right-to-left, whether it holds a picture) and the inline pictures.
Usage: docx_inspect.py DOCX [FIRST_PICTURE_OUT]"""
import json
import sys

import docx
from docx.oxml.ns import qn


def paragraph_info(p):
    ppr = p._p.pPr
    runs = p._p.xpath("./w:r")
    return {
        "text": p.text,
        "bidi": ppr is not None and ppr.find(qn("w:bidi")) is not None,
        "justified": p.paragraph_format.alignment is not None
        and int(p.paragraph_format.alignment) == 3,
        "rtlRuns": all(r.find(qn("w:rPr")) is not None
                       and r.find(qn("w:rPr")).find(qn("w:rtl")) is not None
                       for r in runs if r.xpath("./w:t")),
        "picture": bool(p._p.xpath(".//pic:pic")),
    }


def main():
    doc = docx.Document(sys.argv[1])
    pictures = []
    for shape in doc.inline_shapes:
        rid = shape._inline.graphic.graphicData.pic.blipFill.blip.embed
        image = doc.part.related_parts[rid].image
        if len(sys.argv) > 2 and not pictures:
            with open(sys.argv[2], "wb") as out:
                out.write(image.blob)
        pictures.append({"pxWidth": image.px_width, "pxHeight": image.px_height,
                         "contentType": image.content_type,
                         "emuWidth": int(shape.width), "emuHeight": int(shape.height)})
    section = doc.sections[0]._sectPr
    print(json.dumps({
        "paragraphs": [paragraph_info(p) for p in doc.paragraphs],
        "pictures": pictures,
        "sectionBidi": section.find(qn("w:bidi")) is not None,
    }, ensure_ascii=False))


main()
