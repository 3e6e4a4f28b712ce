#!/usr/bin/env python3
"""Compose a preview of the whole bench (640x480) from the pictures in assets/.

Usage: python3 assets/preview/compose.py [--open] [--no-widgets] [-o OUT.png]

Writes OUT.svg next to OUT.png (default /tmp/bench_preview.png) and renders it
with rsvg-convert.  Each picture is inlined at its window position (ids are
prefixed so the files do not clash), the wires are drawn on top in the order
the program uses, and translucent rectangles show where the program puts its
own widgets (readouts, scroll bars) together with sample numbers, so that one
can see they cover nothing important.
"""
import argparse
import os
import re
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.join(os.path.dirname(HERE), 'bench')

POS = {
    'source': (128, 5),
    'lamp': (168, 24),
    'key': (20, 72),
    'rheostat': (360, 80),
    'slide_wire': (32, 178),
    'jockey': (266.5, 198),
    'galvanometer': (216, 240),
    'resistor': (40, 417),
    'resistance_box': (380, 292),
}

WIRES = [
    (282, 78, 282, 112), (72, 112, 282, 112), (10, 112, 40, 112), (10, 440, 10, 112),
    (10, 198, 32, 198), (8, 440, 366, 440), (304, 440, 304, 376), (368, 440, 368, 306),
    (424, 306, 368, 306), (304, 72, 362, 94), (368, 136, 376, 136), (368, 160, 368, 136),
    (368, 160, 584, 160), (584, 160, 584, 304), (520, 198, 584, 198),
]
LEAD = (284, 230, 256, 384)        # flexible lead from the jockey to the galvanometer
NEEDLE = (279, 335, 279, 278)

READOUTS = {  # name: (x, y, w, h, sample text)
    'LblEdc': (192, 32, 22, 22, '4'), 'Lblr': (244, 32, 22, 22, '1'),
    'Lbl_reo': (472, 60, 36, 22, '12'), 'LblReomax': (575, 104, 40, 22, '40'),
    'Picture1': (472, 376, 81, 24, '1000,0'), 'Picture2': (235, 360, 95, 24, '0,000'),
    'Picture3': (0, 140, 40, 25, 'Rx'),
}
SCROLLS = [(60, 170, 448, 12), (386, 82, 160, 12), (565, 96, 10, 40), (192, 80, 25, 9), (248, 80, 25, 9)]
for _x in (452, 530, 610):
    for _y in (332, 408):
        SCROLLS.append((_x, _y, 15, 40))
KNOB_CENTRES = [(46, 58), (126, 58), (206, 58), (46, 138), (126, 138), (206, 138)]


def inline(name, x, y, prefix):
    with open(os.path.join(ASSETS, name + '.svg'), encoding='utf-8') as fh:
        src = fh.read()
    src = re.sub(r'<\?xml[^>]*\?>', '', src)
    src = re.sub(r'<title>.*?</title>', '', src, flags=re.S)
    src = re.sub(r'id="([^"]+)"', lambda m: 'id="%s%s"' % (prefix, m.group(1)), src)
    src = re.sub(r'url\(#([^)]+)\)', lambda m: 'url(#%s%s)' % (prefix, m.group(1)), src)
    m = re.search(r'<svg\b[^>]*>', src)
    head = m.group(0)
    w = re.search(r'width="([\d.]+)"', head).group(1)
    h = re.search(r'height="([\d.]+)"', head).group(1)
    inner = src[m.end():src.rindex('</svg>')]
    return '<svg x="%s" y="%s" width="%s" height="%s" viewBox="0 0 %s %s" overflow="hidden">%s</svg>' % (x, y, w, h, w, h, inner)


def wire(x1, y1, x2, y2, colour='#000', width=3):
    return '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s" stroke-linecap="square"/>' % (
        x1, y1, x2, y2, colour, width)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--open', action='store_true', help='show the key open instead of closed')
    ap.add_argument('--no-widgets', action='store_true', help='do not draw the program widget overlays')
    ap.add_argument('-o', default='/tmp/bench_preview.png')
    a = ap.parse_args()

    key = 'key_open' if a.open else 'key_closed'
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="640" height="480" viewBox="0 0 640 480">',
           '<rect width="640" height="480" fill="#e0e0e0"/>']
    n = 0

    def put(name, pos_name=None):
        nonlocal n
        n += 1
        x, y = POS[pos_name or name]
        out.append(inline(name, x, y, 'p%d_' % n))

    put('source')
    put('slide_wire')
    put(key, 'key')
    for w in WIRES:
        out.append(wire(*w))
    put('rheostat')
    put('galvanometer')
    put('resistor')
    put('resistance_box')
    put('jockey')
    put('lamp')
    out.append(wire(*LEAD, width=2))
    out.append(wire(*NEEDLE, colour='#e01010', width=2))
    if not a.no_widgets:
        for name, (x, y, w, h, t) in READOUTS.items():
            olive = name in ('LblEdc', 'Lblr')
            out.append('<rect x="%s" y="%s" width="%s" height="%s" fill="%s" fill-opacity="0.8"/>' % (
                x, y, w, h, '#808000' if olive else '#000000'))
            out.append('<text x="%s" y="%s" font-family="Liberation Sans" font-size="14px" font-weight="bold" '
                       'text-anchor="middle" fill="%s">%s</text>' % (x + w / 2.0, y + h - 5, '#000' if olive else '#ff4040', t))
        for (x, y, w, h) in SCROLLS:
            out.append('<rect x="%s" y="%s" width="%s" height="%s" fill="#3060c0" fill-opacity="0.35" stroke="#1a3a80" stroke-width="0.5"/>' % (x, y, w, h))
        bx, by = POS['resistance_box']
        for i, (kx, ky) in enumerate(KNOB_CENTRES):
            out.append('<text x="%s" y="%s" font-family="Liberation Sans" font-size="19px" font-weight="bold" '
                       'text-anchor="middle" fill="#ffffff">%d</text>' % (bx + kx, by + ky + 7, (1, 0, 0, 0, 0, 0)[i]))
        jx, jy = POS['jockey']
        out.append('<text x="%s" y="%s" font-family="Liberation Sans" font-size="19px" font-weight="bold" '
                   'text-anchor="middle" fill="#000">50</text>' % (jx + 17.5, jy + 20))
    out.append('</svg>')
    svg_path = os.path.splitext(a.o)[0] + '.svg'
    with open(svg_path, 'w', encoding='utf-8') as fh:
        fh.write('\n'.join(out))
    subprocess.run(['rsvg-convert', svg_path, '-o', a.o], check=True)
    big = os.path.splitext(a.o)[0] + '@2x.png'
    subprocess.run(['rsvg-convert', '-z', '2', svg_path, '-o', big], check=True)
    print(a.o, big)


if __name__ == '__main__':
    main()
