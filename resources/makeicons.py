#!/usr/bin/env python3
"""Draws the tool bar buttons and the program icons as small PNG files.

Run once from this folder (python3 makeicons.py); the PNGs it writes are committed. Only the
standard library is needed.
"""
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent

PALETTE = {
    '.': (0, 0, 0, 0),
    'k': (0, 0, 0, 255),
    'w': (255, 255, 255, 255),
    'l': (192, 192, 192, 255),
    'g': (128, 128, 128, 255),
    'd': (64, 64, 64, 255),
    'y': (255, 255, 0, 255),
    'o': (128, 128, 0, 255),
    'b': (0, 0, 128, 255),
    'B': (0, 0, 255, 255),
    'c': (0, 128, 128, 255),
    'r': (192, 0, 0, 255),
    'G': (0, 200, 0, 255),
    'a': (255, 160, 0, 255),
}


def write_png(path, rows):
    """rows: list of lists of RGBA tuples."""
    height, width = len(rows), len(rows[0])
    raw = b''.join(b'\x00' + b''.join(bytes(p) for p in row) for row in rows)

    def chunk(tag, data):
        body = tag + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9))
    png += chunk(b'IEND', b'')
    path.write_bytes(png)


def from_art(art):
    lines = [line for line in art.strip('\n').split('\n')]
    width = max(len(line) for line in lines)
    return [[PALETTE[ch] for ch in line.ljust(width, '.')] for line in lines]


# Tool bar buttons, 16 by 15.
BUTTONS = {
    'new': '''
................
...kkkkkkk......
...kwwwwwkk.....
...kwwwwwkwk....
...kwwwwwkkkk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kwwwwwwwwk...
...kkkkkkkkkk...
................
''',
    'open': '''
................
.........kkk....
........k...k.k.
.............kk.
.kkk........kkk.
kyyykkkkkkk.....
kyyyyyyyyyk.....
kyyyyyyyyyk.....
kyyykkkkkkkkkkk.
kyykoooooooooook
kykoooooooooook.
kkoooooooooook..
kkkkkkkkkkkkk...
................
................
''',
    'undo': '''
................
................
....b...........
...bb...........
..bBbbbbbbb.....
.bBBBBBBBBBb....
..bBbbbbbbBBb...
...bb.....bBb...
....b......bBb..
...........bBb..
...........bBb..
..........bBb...
.......bbbBb....
.......bbbb.....
................
''',
    'redo': '''
................
................
...........b....
...........bb...
.....bbbbbbbBb..
....bBBBBBBBBBb.
...bBBbbbbbbBb..
...bBb.....bb...
..bBb......b....
..bBb...........
..bBb...........
...bBb..........
....bBbbb.......
.....bbbb.......
................
''',
    'save': '''
................
.kkkkkkkkkkkkkk.
.kckwwwwwwwwkck.
.kckwwwwwwwwkck.
.kckwwwwwwwwkck.
.kckwwwwwwwwkck.
.kcckkkkkkkkcck.
.kccccccccccccck
.kcckkkkkkkkcck.
.kcckllllkcckck.
.kcckllllkcckck.
.kcckllllkcckck.
..kkkkkkkkkkkkk.
................
................
''',
    'cut': '''
................
....k.....k.....
....k.....k.....
....kk...kk.....
.....k...k......
.....kk.kk......
......kkk.......
.......k........
......bkb.......
....bbb.bbb.....
...b..b.b..b....
...b..b.b..b....
...b..b.b..b....
....bb...bb.....
................
''',
    'copy': '''
kkkkkk..........
kwwwwkk.........
kwkkwkwk........
kwwwwkkkk.......
kwkkkkwkkkkkk...
kwwwwkwwwwwkkk..
kwkkkkwkkkwkwkk.
kwwwwkwwwwwkkkkk
kkkkkkwkkkkkkwk.
......wwwwwwwwk.
......wkkkkkkwk.
......wwwwwwwwk.
......kkkkkkkkk.
................
................
''',
    'paste': '''
.....kkkk.......
.kkkkyyyykkkk...
kooookkkkoooook.
koooooooooooook.
koooookkkkkkk...
koooookwwwwwkk..
koooookwkkkwkwk.
koooookwwwwwkkkk
koooookwkkkkkkwk
koooookwwwwwwwwk
koooookwkkkkkkwk
koooookwwwwwwwwk
.kkkkkkkkkkkkkkk
................
................
''',
    'about': '''
................
.....kkkkkk.....
...kkBBBBBBkk...
..kBBBBwwBBBBk..
..kBBBBwwBBBBk..
.kBBBBBBBBBBBBk.
.kBBBBwwwBBBBBk.
.kBBBBBwwBBBBBk.
.kBBBBBwwBBBBBk.
.kBBBBBwwBBBBBk.
..kBBBwwwwBBBk..
..kBBBBBBBBBBk..
...kkBBBBBBkk...
.....kkkkkk.....
................
''',
    'boardpreview': '''
................
................
kkkkkkkkkkkkkkkk
kddddddddddddddk
kdadadadddGdGdGk
kddddddddddddddk
kdadadadddGdGdGk
kddddddddddddddk
kdGdGdGdGdGdGdGk
kddddddddddddddk
kkkkkkkkkkkkkkkk
.......kk.......
.......kk.......
.....kkkkkk.....
................
''',
    'basicdata': '''
................
kkkkkkkkkkkkkkk.
kbbbbbbbbbbbbbk.
kkkkkkkkkkkkkkk.
kwwkwwwwkwwwwwk.
kwwkwwwwkwwwwwk.
kkkkkkkkkkkkkkk.
kwwkwwwwkwwwwwk.
kwwkwwwwkwwwwwk.
kkkkkkkkkkkkkkk.
kwwkwwwwkwwwwwk.
kwwkwwwwkwwwwwk.
kkkkkkkkkkkkkkk.
................
................
''',
}

# 3 by 5 glyphs for the departure board drawn in the program icon.
GLYPHS = {
    '0': ['111', '101', '101', '101', '111'],
    '1': ['010', '110', '010', '010', '111'],
    '2': ['111', '001', '111', '100', '111'],
    '3': ['111', '001', '111', '001', '111'],
    '5': ['111', '100', '111', '001', '111'],
    ':': ['0', '1', '0', '1', '0'],
    'L': ['100', '100', '100', '100', '111'],
    'E': ['111', '100', '110', '100', '111'],
    'D': ['110', '101', '101', '101', '110'],
}


def board(size):
    """A departure board: a dark panel with an amber and a green line of LED text."""
    bg = (0, 0, 0, 0)
    frame = (96, 96, 104, 255)
    panel = (16, 16, 16, 255)
    unlit = (48, 48, 48, 255)
    rows = [[bg] * 32 for _ in range(32)]
    for y in range(3, 29):
        for x in range(1, 31):
            edge = y in (3, 28) or x in (1, 30)
            rows[y][x] = frame if edge else panel
    for y in range(5, 27, 2):
        for x in range(3, 29, 2):
            rows[y][x] = unlit

    def text(s, x, y, colour):
        for ch in s:
            glyph = GLYPHS[ch]
            for gy, line in enumerate(glyph):
                for gx, bit in enumerate(line):
                    if bit == '1':
                        rows[y + gy][x + gx] = colour
            x += len(glyph[0]) + 1

    text('LED', 4, 6, (255, 160, 0, 255))
    text('12:50', 4, 14, (0, 230, 0, 255))
    for x in range(4, 28):
        rows[22][x] = (255, 64, 32, 255) if x < 12 else (0, 160, 255, 255)
    # Legs of the board.
    for y in range(29, 32):
        for x in (8, 9, 22, 23):
            rows[y][x] = frame
    if size == 32:
        return rows
    scale = size // 32
    return [[p for p in row for _ in range(scale)] for row in rows for _ in range(scale)]


def document_icon(size):
    """The icon of a timetable file: a page with the board on it."""
    page = [[(0, 0, 0, 0)] * 32 for _ in range(32)]
    for y in range(1, 31):
        for x in range(4, 28):
            edge = y in (1, 30) or x in (4, 27)
            page[y][x] = (0, 0, 0, 255) if edge else (255, 255, 255, 255)
    small = board(32)
    for y in range(12):
        for x in range(16):
            p = small[3 + y * 2][1 + x * 2 - (x > 0)]
            if p[3]:
                page[12 + y][8 + x] = p
    if size == 32:
        return page
    scale = size // 32
    return [[p for p in row for _ in range(scale)] for row in page for _ in range(scale)]


# The 15 x 15 marks of the grid's copy source row (row-number cell): two sheets for a row taken
# by Copy, scissors for one taken by Cut. The grid paints the same pixels.
MARKERS = {
    'copymark': """
kkkkkkk........
kwwwwwk........
kwbbbwk........
kwwwwwk........
kwbbbkkkkkkk...
kwwwwkwwwwwk...
kwbbbkwbbbwk...
kwwwwkwwwwwk...
kkkkkkwbbbwk...
.....kwwwwwk...
.....kwbbbwk...
.....kwwwwwk...
.....kwbbbwk...
.....kwwwwwk...
.....kkkkkkk...
""",
    'cutmark': """
...k.......k...
...kg.....gk...
....k.....k....
....kg...gk....
.....k...k.....
.....kg.gk.....
......k.k......
.......k.......
......k.k......
..bbbb...bbbb..
.b...b...b...b.
.b...b...b...b.
.b...b...b...b.
..bbb.....bbb..
...............
""",
}


def plus_cursor():
    """The panel canvas's cursor, 32 by 32: a white plus outlined in black whose centre, the hot
    spot, lies at (7, 8)."""
    clear, black, white = PALETTE['.'], PALETTE['k'], PALETTE['w']
    rows = [[clear] * 32 for _ in range(32)]
    cx, cy, arm = 7, 8, 7
    for y in range(cy - arm, cy + arm + 1):
        for x in range(cx - arm, cx + arm + 1):
            in_arm = abs(x - cx) <= 2 or abs(y - cy) <= 2
            if not in_arm:
                continue
            edge = (abs(x - cx) == arm or abs(y - cy) == arm or
                    (abs(x - cx) == 2 and abs(y - cy) >= 2) or
                    (abs(y - cy) == 2 and abs(x - cx) >= 2))
            rows[y][x] = black if edge else white
    return rows


def side_picture(draw):
    """A 64 by 210 decoration for the left of a list dialog: a dark LED board standing on its
    post, with what draw(rows) puts on it."""
    rows = [[(0, 0, 0, 0)] * 64 for _ in range(210)]
    frame = (96, 96, 104, 255)
    panel = (16, 16, 16, 255)
    unlit = (44, 44, 44, 255)
    for y in range(4, 178):
        for x in range(4, 60):
            edge = y in (4, 177) or x in (4, 59)
            rows[y][x] = frame if edge else panel
    for y in range(7, 175, 3):
        for x in range(7, 57, 3):
            rows[y][x] = unlit
    for y in range(178, 208):
        for x in range(29, 35):
            rows[y][x] = frame
    for x in range(18, 46):
        rows[208][x] = rows[209][x] = frame
    draw(rows)
    return rows


def led_bar(rows, x, y, dots, colour):
    """A row of lit LEDs on the board's 3-pixel pitch, two pixels each."""
    for i in range(dots):
        for dy in (0, 1):
            for dx in (0, 1):
                rows[y + dy][x + i * 3 + dx] = colour


def type_plates(rows):
    """Train types: plates in their LED colours, each with its name lit beside it."""
    plates = [(0, 192, 0), (255, 0, 0), (255, 160, 0), (0, 160, 255), (255, 255, 255)]
    for k, (r, g, b) in enumerate(plates):
        top = 10 + k * 33
        for y in range(top, top + 20):
            for x in range(8, 26):
                rows[y][x] = (r, g, b, 255)
        for y in range(top + 5, top + 15, 3):
            led_bar(rows, 10, y, 5, (16, 16, 16, 255))
        for y in range(top + 2, top + 18, 6):
            led_bar(rows, 31, y, 8 - (k + y) % 3, (r, g, b, 255))


def destination_signs(rows):
    """Destinations: arrows to the left and right, each with its name lit beside it."""
    amber, green = (255, 160, 0, 255), (0, 230, 0, 255)
    for k in range(5):
        top = 12 + k * 33
        colour = amber if k % 2 == 0 else green
        right = k % 2 == 0
        for i in range(9):
            y0, y1 = top + 8 - i, top + 8 + i
            x = (18 - i) if not right else (46 + i)
            for yy in range(y0, y1 + 1):
                for xx in range(x, x + 2):
                    rows[yy][xx] = colour
        start = 10 if right else 22
        for y in (top + 3, top + 8, top + 13):
            led_bar(rows, start, y, 11, colour)


def main():
    icons = HERE / 'icons'
    icons.mkdir(exist_ok=True)
    for name, art in MARKERS.items():
        rows = from_art(art)
        assert len(rows) == 15 and len(rows[0]) == 15, name
        write_png(icons / f'{name}.png', rows)
    for name, art in BUTTONS.items():
        rows = from_art(art)
        assert len(rows) == 15 and len(rows[0]) == 16, name
        write_png(icons / f'{name}.png', rows)
    write_png(icons / 'pluscursor.png', plus_cursor())
    for size in (32, 64, 128):
        write_png(icons / f'marvo-{size}.png', board(size))
        write_png(icons / f'qlm-{size}.png', document_icon(size))
    write_png(icons / 'typelist.png', side_picture(type_plates))
    write_png(icons / 'destinationlist.png', side_picture(destination_signs))


if __name__ == '__main__':
    main()
