#!/usr/bin/env python3
"""Writes the descriptions of the form-714 section pages PAT002 to PAT008 (resources/pages/) and
their binding and calculation tables (forms/pages/page714_layout.inc) from one description of
their sections: every section is a list of rows (fields at fixed offsets of each row) and totals.
Run it after changing a section below: python3 tools/pages/pat_pages.py"""
import os

ROOT = os.path.join(os.path.dirname(__file__), '..', '..')

RECORDS = {'A': 8, 'B': 1688, 'C': 3216, 'D': 5184, 'E': 6760, 'F1': 7920, 'F2': 9080, 'G1': 10176, 'G2': 11120,
           'G3': 12496, 'G4': 13520, 'H1': 14320, 'H2': 14760, 'I': 15200, 'J': 15640, 'K': 16040, 'L': 17056,
           'M': 17784, 'N': 18368, 'O': 18888, 'P': 19256, 'Q': 19624, 'DEUDAS': 20496}
PERSONAL = 6200

# Column kinds: a text of its width, or an amount (8-byte double).
def T(off, width, key): return ('S', off, width, key)
def A(off, key='value'): return ('F', off, 8, key)

LABELS = {
    'code': ('Clave', 'Clau', 'Clave'),
    'holder': ('Titular', 'Titular', 'Titular'),
    'ref': ('Referencia', 'Referència', 'Referencia'),
    'desc': ('Descripción', 'Descripció', 'Descrición'),
    'desc2': ('Otros datos', 'Altres dades', 'Outros datos'),
    'pct': ('Porcentaje', 'Percentatge', 'Porcentaxe'),
    'value': ('Valor', 'Valor', 'Valor'),
    'units': ('Unidades', 'Unitats', 'Unidades'),
    'total': ('Valor total', 'Valor total', 'Valor total'),
    'exempt': ('Parte exenta', 'Part exempta', 'Parte exenta'),
    'taxable': ('Parte sujeta', 'Part subjecta', 'Parte suxeita'),
}
TOTAL = ('Total', 'Total', 'Total')

def rows(section, at, size, count, cols, totals, calc=None, swap=None):
    return {'kind': 'rows', 'section': section, 'at': at, 'size': size, 'count': count, 'cols': cols,
            'totals': totals, 'calc': calc or section, 'swap': swap}

# What each page holds, after its number in the window title (at most 52 characters in all).
PAGE_TITLES = {
    'PAT002': ('secciones A y B', 'seccions A i B', 'seccións A e B'),
    'PAT003': ('secciones C y D', 'seccions C i D', 'seccións C e D'),
    'PAT004': ('secciones E y F', 'seccions E i F', 'seccións E e F'),
    'PAT005': ('secciones G1 a G3', 'seccions G1 a G3', 'seccións G1 a G3'),
    'PAT006': ('secciones G4 a J', 'seccions G4 a J', 'seccións G4 a J'),
    'PAT007': ('secciones K a N', 'seccions K a N', 'seccións K a N'),
    'PAT008': ('secciones O a Q y deudas', 'seccions O a Q i deutes', 'seccións O a Q e débedas'),
}

PAGES = [
    ('PAT002', 302, [
        {'kind': 'head', 'section': 'A', 'calc': 'A', 'calcs': [5, 6, 7, 9, 10, 11, 12, 13, 14],
         'fields': [T(0, 1, 'code'), T(1, 21, 'ref'), T(22, 34, 'desc'), A(56), T(64, 1, 'code'), T(65, 21, 'ref'),
                    T(86, 34, 'desc'), A(120), A(128, 'total'), A(136, 'exempt'), A(144, 'taxable')]},
        rows('A', 152, 72, 20, [T(0, 1, 'code'), T(1, 1, 'holder'), T(2, 21, 'ref'), T(23, 41, 'desc'), A(64)],
             [1664, 1672]),
        rows('B', 0, 72, 20, [T(0, 1, 'code'), T(1, 21, 'ref'), T(22, 42, 'desc'), A(64)], [1512]),
    ]),
    ('PAT003', 303, [
        rows('C', 0, 72, 13, [T(0, 6, 'code'), T(6, 29, 'desc'), T(35, 29, 'desc2'), A(64)], [1008], calc='C1'),
        rows('C', 1016, 72, 12, [T(0, 6, 'code'), T(6, 1, 'holder'), T(7, 21, 'ref'), T(28, 36, 'desc'), A(64)],
             [1952, 1960], calc='C2'),
        rows('D', 0, 72, 13, [T(0, 6, 'code'), T(6, 1, 'holder'), T(7, 21, 'ref'), T(28, 36, 'desc'), A(64)], [1008]),
    ]),
    ('PAT004', 304, [
        rows('E', 0, 72, 15, [T(0, 42, 'desc'), T(42, 22, 'desc2'), A(64)], [1152]),
        rows('F1', 0, 72, 15, [T(0, 64, 'desc'), A(64)], [1152]),
        rows('F2', 0, 72, 14, [T(0, 64, 'desc'), A(64)], [1080]),
    ]),
    ('PAT005', 305, [
        rows('G1', 0, 72, 12, [T(0, 64, 'desc'), A(64)], [936]),
        rows('G2', 0, 72, 18, [T(0, 64, 'desc'), A(64)], [1368]),
        rows('G3', 0, 72, 13, [T(0, 64, 'desc'), A(64)], [1008]),
    ]),
    ('PAT006', 306, [
        rows('G4', 0, 72, 10, [T(0, 64, 'desc'), A(64)], [792]),
        rows('H1', 0, 72, 5, [T(0, 64, 'desc'), A(64)], [432]),
        rows('H2', 0, 72, 5, [T(0, 64, 'desc'), A(64)], [432]),
        rows('I', 0, 72, 5, [T(0, 64, 'desc'), A(64)], [432]),
        # The second field of rows 1 and 2 is bound crosswise: position 63 shows row 2's, 67 row 1's.
        rows('J', 0, 64, 5, [T(0, 42, 'desc'), T(42, 6, 'units'), A(48, 'pct'), A(56)], [384], swap=(1, 2, 1)),
    ]),
    ('PAT007', 307, [
        rows('K', 0, 72, 13, [T(0, 64, 'desc'), A(64)], [1008]),
        rows('L', 0, 72, 9, [T(0, 64, 'desc'), A(64)], [720]),
        rows('M', 0, 64, 8, [T(0, 1, 'code'), T(1, 21, 'ref'), T(22, 26, 'desc'), A(48, 'pct'), A(56)], [576]),
        rows('N', 0, 72, 6, [T(0, 64, 'desc'), A(64)], [504]),
    ]),
    ('PAT008', 308, [
        rows('O', 0, 72, 5, [T(0, 64, 'desc'), A(64)], [360]),
        rows('P', 0, 72, 5, [T(0, 64, 'desc'), A(64)], [360]),
        rows('Q', 0, 72, 12, [T(0, 64, 'desc'), A(64)], [864]),
        rows('DEUDAS', 0, 72, 13, [T(0, 64, 'desc'), A(64)], [936]),
    ]),
]

SECTION_TITLE = {
    'e': 'Sección {}', 'c': 'Secció {}', 'g': 'Sección {}'}
DEBTS_TITLE = ('Deudas', 'Deutes', 'Débedas')

LEFT, RIGHT = 32, 972
PITCH, HEAD = 14, 24


def spec(kind, width):
    return 'F12.2' if kind == 'F' else 'S{}'.format(width)


def column_edges(cols, gap):
    """Column x ranges: amounts 140 wide at the right, `gap` apart, texts share the rest by width
    and the last text reaches the first amount (a table's columns meet, a line's boxes keep `gap`)."""
    amounts = [c for c in cols if c[0] == 'F']
    texts = [c for c in cols if c[0] == 'S']
    right = RIGHT
    edges = {}
    for c in reversed(amounts):
        edges[id(c)] = (right - 140, right)
        right -= 140 + gap
    weights = [max(c[2], 6) for c in texts]
    total = sum(weights)
    x = LEFT
    room = right - LEFT
    for i, (c, w) in enumerate(zip(texts, weights)):
        width = max(48, int(room * w / total))
        edges[id(c)] = (x, right if i == len(texts) - 1 else min(x + width, right))
        x += width
    return [edges[id(c)] for c in cols]


def lang(out, triple):
    e, c, g = triple
    out.append('  e: ' + e)
    out.append('  c: ' + c)
    out.append('  g: ' + g)


def generate(name, code, blocks):
    number = code - 300
    out = ['# Form 714 (wealth tax), page {}: its sections as lists of rows and their totals.'.format(number),
           '# Generated by tools/pages/pat_pages.py: edit the script, not this file. Format: README.md.',
           'page {} {} 3'.format(name, code), 'title']
    e, c, g = PAGE_TITLES[name]
    lang(out, ('Patrimonio 2003. Página {}: {}'.format(number, e), 'Patrimoni 2003. Pàgina {}: {}'.format(number, c),
               'Patrimonio 2003. Páxina {}: {}'.format(number, g)))
    out += ['', 'text 32 58 20 bold']
    lang(out, ('Impuesto sobre el Patrimonio', 'Impost sobre el Patrimoni', 'Imposto sobre o Patrimonio'))
    out += ['frame 850 28 130 68 w=2', 'text 915 48 11 center']
    lang(out, ('Modelo', 'Model', 'Modelo'))
    out += ['text 915 88 32 bold center', '  *: 714', 'text 838 88 12 right']
    lang(out, ('Página {}'.format(number), 'Pàgina {}'.format(number), 'Páxina {}'.format(number)))
    out.append('rule 24 104 980 104 w=2')
    bindings = []
    calcs = []
    out.append('box 1 NIF S9 32 124 152 142 ro')
    lang(out, ('NIF | NIF del declarante', 'NIF | NIF del declarant', 'NIF | NIF do declarante'))
    out.append('box 2 NOMBRE S48 160 124 640 142 ro')
    lang(out, ('Apellidos y nombre | Apellidos y nombre del declarante', 'Cognoms i nom | Cognoms i nom del declarant',
               'Apelidos e nome | Apelidos e nome do declarante'))
    out.append('box 3 - S20 650 124 830 142 ro paint=2 noframe label=- cap=none')
    lang(out, ('Espacio reservado', 'Espai reservat', 'Espazo reservado'))
    bindings.append((1, PERSONAL + 86))
    position = 4
    y = 152
    for block in blocks:
        section = block['section']
        record = RECORDS[section]
        title = DEBTS_TITLE if section == 'DEUDAS' else tuple(SECTION_TITLE[l].format(section) for l in 'ecg')
        if block['kind'] == 'head':
            out.append('section 24 {} 956 18'.format(y))
            lang(out, tuple(t + ': ' + x for t, x in zip(title, ('vivienda habitual', 'habitatge habitual',
                                                                   'vivenda habitual'))))
            y += 24
            fields = block['fields']
            lines = [fields[:4], fields[4:8], fields[8:]]
            for line in lines:
                edges = column_edges(line, 6)
                for f, (l, r) in zip(line, edges):
                    key = f[3]
                    ro = ' ro' if f[0] == 'F' and f[1] >= 128 else ''
                    out.append('box {} {}{} {} {} {} {} {}{}'.format(position, 'CAB', position, spec(f[0], f[2]), l,
                                                                    y + 14, r, y + 30, ro))
                    lang(out, LABELS[key])
                    bindings.append((position, record + f[1]))
                    if position in block['calcs']:
                        calcs.append((position, block['calc'], record))
                    position += 1
                y += 36
            continue
        head_title = title if block.get('calc') in (None, section) else tuple(
            t + (' (1)' if block['calc'].endswith('1') else ' (2)') for t in title)
        out.append('section 24 {} 956 18'.format(y))
        lang(out, head_title)
        y += 22
        cols = block['cols']
        edges = column_edges(cols, 0)
        first = position
        out.append('table {} {} top={} pitch={} head={}'.format(first, block['count'], y + HEAD, PITCH, HEAD))
        for c, (l, r) in zip(cols, edges):
            out.append('col {}{}# {} {} {}'.format(section, cols.index(c), spec(c[0], c[2]), l, r))
            lang(out, LABELS[c[3]])
        out.append('end')
        ncols = len(cols)
        for r in range(block['count']):
            for k, c in enumerate(cols):
                p = first + r * ncols + k
                row = r
                if block['swap'] and k == block['swap'][2] and r in block['swap'][:2]:
                    row = block['swap'][1] if r == block['swap'][0] else block['swap'][0]
                bindings.append((p, record + block['at'] + row * block['size'] + c[1]))
                if k == ncols - 1:
                    calcs.append((p, block['calc'], record))
        position = first + block['count'] * ncols
        y += HEAD + block['count'] * PITCH + 4
        for i, total in enumerate(block['totals']):
            label = TOTAL if i == 0 else tuple(t + ' ' + s for t, s in zip(TOTAL, ('de la sección', 'de la secció',
                                                                                   'da sección')))
            out.append('box {} TOT{} F12.2 {} {} {} {} ro cap=left capw=300'.format(position, position, RIGHT - 140, y,
                                                                                  RIGHT, y + 18))
            lang(out, label)
            bindings.append((position, record + total))
            position += 1
            y += 22
        y += 6
    assert y < 1330, (name, y)
    out.append('rule 24 1336 980 1336 w=2')
    out.append('box {} REFERENCIA S60 32 1342 632 1360 ro paint=2 noframe label=- cap=none'.format(position))
    lang(out, ('Referencia', 'Referència', 'Referencia'))
    bindings.append((position, PERSONAL + 21))
    out.append('box {} EJEMPLAR S30 700 1342 972 1360 ro paint=2 noframe label=- cap=none'.format(position + 1))
    lang(out, ('Ejemplar', 'Exemplar', 'Exemplar'))
    out.append('box {} PIE S20 32 1366 352 1384 ro paint=2 noframe label=- cap=none'.format(position + 2))
    lang(out, ('Pie de página', 'Peu de pàgina', 'Pé de páxina'))
    with open(os.path.join(ROOT, 'resources', 'pages', name + '.page'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')
    return bindings, calcs


def main():
    inc = ['// Binding and calculation tables of the form-714 section pages PAT002 to PAT008.',
           '// Generated by tools/pages/pat_pages.py with the page descriptions: edit the script, not this file.',
           '#pragma once', '', '#include "forms/pages/page714.h"', '#include "tallyvex.h"', '', 'namespace forms::pat {', '']
    registry = []
    for name, code, blocks in PAGES:
        bindings, calcs = generate(name, code, blocks)
        inc.append('inline constexpr BoxBinding k{}Boxes[] = {{'.format(name))
        for i in range(0, len(bindings), 6):
            inc.append('    ' + ' '.join('{{{}, {}}},'.format(p, o) for p, o in bindings[i:i + 6]))
        inc.append('};')
        inc.append('inline constexpr SectionCalc k{}Calcs[] = {{'.format(name))
        for i in range(0, len(calcs), 3):
            inc.append('    ' + ' '.join('{{{}, Calculos714{}, {}}},'.format(p, c, r) for p, c, r in calcs[i:i + 3]))
        inc.append('};')
        registry.append('    {{{}, "{}", k{}Boxes, k{}Calcs}},'.format(code, name, name, name))
    inc.append('inline constexpr SectionPage kSectionPages[] = {')
    inc += registry
    inc.append('};')
    inc += ['', '}  // namespace forms::pat', '']
    with open(os.path.join(ROOT, 'forms', 'pages', 'page714_layout.inc'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(inc))


if __name__ == '__main__':
    main()
