#!/usr/bin/env python3
"""Writes the filing-file layouts resources/db/DatLocal/internet.tsv (form 100) and
internet_patrimonio.tsv (form 714) from the page descriptions of resources/pages/.

Every page that can be filed gives one record: "<P" and its code, its data boxes in position
order, ">" and the record end. A data box is a box painted on screen and in print (not the
screen-only or print-only ones: the foot texts, references and copy labels) that is not the
identity repeated at the head of the sheet. Its row follows its format spec:

  amounts ('F', 'R', 'M', width w, d decimals)  D, w + 1 integer positions (room for the "N" of a
                                                negative), d decimals, zero filled
  check marks ('B')                            B, "1" marked, "0" not, one position each
  member codes ('T')                           K, one digit
  integers ('C', 'I', width w)                 E, w digits right-aligned, zero filled
  dates ('D')                                  S, ddmmyyyy
  texts (any other letter, width w)            S, w characters left-aligned, blank filled;
                                               account parts, days and years are digits (E)

Pages with continuation sheets repeat their record once per further sheet (a label row before
the record, a repeat row after it); the repeat mark of each record says which is which. The
header record, the signature section, the identification page of form 714 and the special
fields that are no plain box (bank data, registry numbers, the result) are written out below.

Run it after changing a page description: python3 tools/filing/filing_layouts.py
"""
import os
import re

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
PAGES = os.path.join(ROOT, 'resources', 'pages')
OUT = os.path.join(ROOT, 'resources', 'db', 'DatLocal')

COLUMNS = ['idinternet', 'INDICEFICH', 'INDNUMERO', 'fminternet', 'longitud', 'decimales', 'caracter', 'comentario']
# Repeats of a record beyond its first sheet.
REPEATS = 9
# Text boxes that hold digits only.
DIGITS = re.compile(r'^(CTA\d+|CCC\d|DIA|ANIO|DIADECL|ANODECL|DDDECLAR[PN]|AADECLAR[PN])$')


def parse_page(name):
    """The boxes of a page description by position: identifier, format spec, paint mode."""
    boxes, sets, table = {}, [], None
    with open(os.path.join(PAGES, name + '.page'), encoding='utf-8') as f:
        for raw in f:
            if not raw.strip() or raw[0] in ' \t#':
                continue
            w = raw.split()
            if w[0] == 'box':
                boxes[int(w[1])] = {'id': w[2], 'spec': w[3], 'attrs': w[8:]}
            elif w[0] == 'table':
                table = {'first': int(w[1]), 'rows': int(w[2]), 'cols': []}
            elif w[0] == 'col':
                table['cols'].append((w[1], w[2], w[5:]))
            elif w[0] == 'end':
                n = len(table['cols'])
                for r in range(table['rows']):
                    for c, (ident, spec, attrs) in enumerate(table['cols']):
                        boxes[table['first'] + r * n + c] = {'id': ident.replace('#', str(r + 1)), 'spec': spec,
                                                              'attrs': list(attrs)}
                table = None
            elif w[0] == 'set':
                sets.append((int(w[1]), w[2:]))
    for position, attrs in sets:
        boxes[position]['attrs'] += attrs
    for b in boxes.values():
        b['paint'] = 0
        b['filing'] = ''
        for a in b['attrs']:
            if a.startswith('paint='):
                b['paint'] = int(a[6:])
            elif a.startswith('filing='):
                b['filing'] = a[7:]
    return boxes


def spec_parts(spec):
    """Type letter, width and decimals of a format spec ("F12*5.2": F, 12, 2)."""
    m = re.match(r'^(.)(\d*)(?:\*\d+)?(?:\.(\d+))?', spec)
    return m.group(1), int(m.group(2) or 0), int(m.group(3) or 0)


def box_row(position, box):
    """(kind, length, decimals, caracter) of a data box; None when it has nothing to file."""
    if box['filing']:  # a format of the box's own: kind letter, length, decimals
        m = re.match(r'^(.)(\d*)(?:\.(\d+))?$', box['filing'])
        kind, length, decimals = m.group(1), int(m.group(2) or 0), int(m.group(3) or 0)
        return kind, length, decimals, '0' if kind == 'D' else ''
    letter, width, decimals = spec_parts(box['spec'])
    if letter in 'FRM':
        return 'D', width + 1, decimals, '0'
    if letter == 'B':
        return 'B', 1, 0, '1 0'
    if letter == 'T':
        return 'K', 1, 0, ''
    if letter in 'CI':
        return 'E', width, 1, '0'
    if letter == 'Z':
        return None
    if DIGITS.match(box['id']):
        return 'E', width, 1, '0'
    return 'S', width, 0, ''


class Layout:
    def __init__(self):
        self.rows = []

    def add(self, page, number, kind='', length=0, decimals=0, text='', comment=''):
        self.rows.append([str(10 * (len(self.rows) + 1)), '%4d' % page, str(number), kind, str(length), str(decimals),
                          text, comment])

    def const(self, page, text, length=None, comment=''):
        self.add(page, 0, 'C', len(text) if length is None else length, 0, text, comment)

    def end(self, page):
        self.add(page, 0, 'R')

    def write(self, name):
        with open(os.path.join(OUT, name), 'w', encoding='utf-8', newline='\n') as f:
            f.write('\t'.join(COLUMNS) + '\n')
            for r in self.rows:
                f.write('\t'.join(r) + '\n')


def page_record(layout, code, name, skip=(), first=1, special=None, repeat=False, mark=True):
    """One page's record. `skip`: identifiers left out; boxes before `first` too; `special`:
    position -> rows written instead of that box's row."""
    special = special or {}
    label = 'HOJ%03d' % (code % 100)
    if repeat:
        layout.const(code, '', 0, label)
    layout.const(code, '<P%d' % code)
    if mark:
        layout.add(code, -15, '', 1, 0, '', 'COMPLEMENTARIA')
    if name:
        boxes = parse_page(name)
        for position in sorted(boxes):
            box = boxes[position]
            if position in special:
                for row in special[position]:
                    layout.add(code, *row)
                continue
            if position < first or box['paint'] != 0 or box['id'] in skip:
                continue
            row = box_row(position, box)
            if row:
                layout.add(code, position, *row)
    layout.const(code, '>')
    layout.end(code)
    if repeat:
        layout.add(code, 0, 'J', 0, REPEATS, '', label)


HEADER_100 = [
    # position, kind, length, decimals, caracter, comentario
    (-555, '', 1, 0, '', 'IDIOMA'), (-789, '', 1, 0, '', 'DATOSFISCALES'), (-453, '', 2, 0, '', 'TITULARES'),
    (1, 'S', 9, 0, '', ''), (-101, '', 18, 0, '', 'MARCAS_FAMILIA'), (11, 'S', 2, 0, '', 'ZPROV'),
    (163, '', 1, 0, '', 'Z61'), (164, '', 1, 0, '', 'Z71'),
    (-201, '', 4, 0, '', 'BF_ENT1'), (-202, '', 4, 0, '', 'BF_SUC1'), (-203, '', 2, 0, '', 'BF_DC1'),
    (-204, '', 10, 0, '', 'BF_CCC1'), (-205, '', 4, 0, '', 'BF_ENT2'), (-206, '', 4, 0, '', 'BF_SUC2'),
    (-207, '', 2, 0, '', 'BF_DC2'), (-208, '', 10, 0, '', 'BF_CCC2'), (-209, '', 13, 0, '', 'BF_JUS'),
    (-210, '', 13, 0, '', 'BF_RESUL'), (-211, '', 1, 0, '', 'BF_FP'), (-212, '', 1, 0, '', 'BF_D2P'),
    (-213, '', 1, 0, '', 'BF_RD'), (-214, '', 1, 0, '', 'BF_CCY'), (196, 'S', 60, 0, '', 'REFERENCIA'),
    # The sheet list: up to 17 pages and their continuation sheets, three characters each, and "FIN".
    (-74, '', 250, 0, '', 'HOJAS'), (-75, '', 13, 0, '', 'SELLO'),
]

# Pages 202 ... 217 of form 100: description, repeated for continuation sheets.
PAGES_100 = [(202, 'ORD002', False), (203, 'ORD003', True), (204, 'ORD004', True), (205, 'ORD005', True),
             (206, 'ORD006', True), (207, 'ORD007', True), (208, 'ORD008', True), (209, 'ORD009', False),
             (210, 'ORD010', True), (211, 'ORD011', False), (212, 'ORD012', False), (213, 'ORD013', False),
             (214, 'ORD014', False), (215, 'ORD015', False), (216, 'ORD016', False), (217, 'ORD017', False)]
# The identity at the head of every sheet is the header record's.
HEAD_100 = ('ZDNID', 'ZAPEND')
SPECIAL_100 = {
    # The registry numbers "number/year" of page 205 as number and year, four digits each.
    205: {55: [(-90, '', 4, 0, '', 'NUMREG1'), (-92, '', 4, 0, '', 'ANOREG1')],
          115: [(-91, '', 4, 0, '', 'NUMREG2'), (-93, '', 4, 0, '', 'ANOREG2')]},
    # The result of the member filing, not of the member shown.
    213: {12: [(12, '', 13, 0, '', 'RESULTADO')]},
}


def written_record(layout, code, opening, rows):
    """A record written out row by row: its opening constants, `rows`, ">" and the record end."""
    for text in opening:
        layout.const(code, text)
    for row in rows:
        layout.add(code, *row)
    layout.const(code, '>')
    layout.end(code)


def form100():
    layout = Layout()
    written_record(layout, 201, ('<T100', '2003'), HEADER_100)
    page_record(layout, 201, 'ORD001', mark=False)
    for code, name, repeat in PAGES_100:
        page_record(layout, code, name, skip=HEAD_100, special=SPECIAL_100.get(code), repeat=repeat)
    layout.const(290, '<FIRMA>')
    for position in sorted(parse_page('FIRMA')):
        layout.add(290, position, 'V')
    layout.const(290, '</FIRMA>')
    layout.end(290)
    layout.const(290, '</T100>')
    layout.end(290)
    layout.write('internet.tsv')


# Form 714: the header record and the identification page 301, whose marks form groups of
# alternatives and whose province is also filed as its code.
HEADER_714 = [(-555, '', 1, 0, '', 'IDIOMA'), (-789, '', 1, 0, '', 'DATOSFISCALES'), (4, 'S', 9, 0, '', ''),
              (51, 'S', 13, 0, '', 'JUSTIFI'), (46, 'S', 60, 0, '', 'REF'),
              (-74, '', 36, 0, '', 'HOJAS'), (-75, '', 13, 0, '', 'SELLO')]
PAGE_301 = [(1, 'B', 1, 0, '1 0'), (2, 'S', 3), (3, 'B', 1, 0, '1 0'), (4, 'S', 9), (5, 'S', 15), (6, 'S', 15),
            (7, 'S', 15), (8, 'S', 3), (9, 'S', 28), (10, 'S', 5), (11, 'S', 3), (12, 'S', 3), (13, 'S', 3),
            (14, 'S', 10), (15, 'S', 34), (16, 'S', 20), (16, 'S', 2, 0, '', 'PROV'), (17, 'E', 5, 1, '0'),
            (18, 'B', 1, 0, '1'), (19, 'B', 1, 0, '2 0'), (20, 'S', 9), (21, 'S', 15), (22, 'S', 15), (23, 'S', 15),
            (24, 'S', 3), (25, 'S', 28), (26, 'S', 5), (27, 'S', 3), (28, 'S', 3), (29, 'S', 3), (30, 'S', 10),
            (31, 'S', 34), (32, 'S', 20), (33, 'E', 5, 1, '0'), (34, 'B', 1, 0, '1'), (35, 'B', 1, 0, '2'),
            (36, 'B', 1, 0, '3 0'), (37, 'S', 2), (38, 'B', 1, 0, '1 0'), (39, 'B', 1, 0, '1 0'), (40, 'S', 20),
            (41, 'E', 2, 1, '0'), (42, 'S', 10), (43, 'E', 4, 1, '0')]
# Pages 302 ... 311: the identity at their head (page 311 repeats page 301's address) is page 301's.
PAGES_714 = [(302, 'PAT002', 4), (303, 'PAT003', 4), (304, 'PAT004', 4), (305, 'PAT005', 4), (306, 'PAT006', 4),
             (307, 'PAT007', 4), (308, 'PAT008', 4), (309, 'PAT009', 3), (310, 'PAT010', 3), (311, 'PAT011', 15)]


def form714():
    layout = Layout()
    written_record(layout, 301, ('<T714', '2003'), HEADER_714)
    written_record(layout, 301, ('<P301',), PAGE_301)
    for code, name, first in PAGES_714:
        page_record(layout, code, name, first=first, mark=False)
    layout.const(311, '</T714>')
    layout.end(311)
    layout.write('internet_patrimonio.tsv')


if __name__ == '__main__':
    form100()
    form714()
