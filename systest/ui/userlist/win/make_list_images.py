#!/usr/bin/env python3
"""Builds the list control's own images and cursors from the pixel maps below.

    make_list_images.py <output-folder> [--preview]

Writes the control images (sort arrows, check boxes, padlock, paper clip) at
16 pixels as list_images.bmp, and again at 20, 24 and 32 pixels for screens of
120, 144 and 192 DPI as list_images_<size>.bmp; and resize.cur and link.cur.
The strips are 24-bit bitmaps of square images side by side, magenta (255, 0,
255) where the background shows through. With --preview it also writes the
strips scaled up eight times as PNG (needs ImageMagick's convert) for looking
at them.

Other scripts may draw their images in the same manner with paint, scaled and
write_strips.

Every image has a dark outline or a light interior, so it reads on light and
on dark system colours alike.
"""
import os
import struct
import subprocess
import sys

SIZE = 16  # the pixel maps
SCALED_SIZES = (20, 24, 32)
MASK = (255, 0, 255)

PALETTE = {
    '.': MASK,
    'K': (0, 0, 0),
    'D': (72, 72, 72),        # dark grey: arrows, box frames, clip wire
    'G': (128, 128, 128),
    'L': (232, 232, 232),     # light halo around dark glyphs
    'W': (255, 255, 255),
    'X': (200, 16, 16),       # red cross in a box
    'Y': (255, 204, 0),       # padlock body
    'y': (150, 96, 0),        # its outline
    'V': (16, 150, 40),       # green tick in a box
    'B': (24, 96, 210),       # blue tick in a box
    'k': (104, 56, 16),       # keyhole
}

SORT_UP = [  # sort descending; the header draws it 3 pixels above its middle
    '................',
    '.......D........',
    '......DDD.......',
    '.....DDDDD......',
    '....DDDDDDD.....',
    '...DDDDDDDDD....',
]

SORT_DOWN = [  # sort ascending
    '................',
    '...DDDDDDDDD....',
    '....DDDDDDD.....',
    '.....DDDDD......',
    '......DDD.......',
    '.......D........',
]

BOX_TICK = [  # inside a 13-pixel box, rows 4-10
    '..........X.....',
    '.........XX.....',
    '....X...XXX.....',
    '....XX.XXX......',
    '....XXXXX.......',
    '.....XXX........',
    '......X.........',
]

BOX_CROSS = [  # inside a 13-pixel box, rows 4-10
    '....X.....X.....',
    '....XX...XX.....',
    '.....XX.XX......',
    '......XXX.......',
    '.....XX.XX......',
    '....XX...XX.....',
    '....X.....X.....',
]

PADLOCK = [
    '................',
    '.....DDDDD......',
    '....DGLLLGD.....',
    '...DGD...DGD....',
    '...DGD...DGD....',
    '...DGD...DGD....',
    '..yyyyyyyyyyy...',
    '..yYYYYYYYYYy...',
    '..yYYYYYYYYYy...',
    '..yYYYYkYYYYy...',
    '..yYYYkkkYYYy...',
    '..yYYYYkYYYYy...',
    '..yYYYYkYYYYy...',
    '..yYYYYYYYYYy...',
    '..yyyyyyyyyyy...',
    '................',
]

PAPER_CLIP = [
    '................',
    '.......DDD......',
    '......D...D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D.D.D.....',
    '......D...D.....',
    '......D...D.....',
    '.......D.D......',
    '........D.......',
    '................',
    '................',
]


def blank():
    return [[MASK] * SIZE for _ in range(SIZE)]


def paint(image, rows, top=0, palette=PALETTE):
    for y, row in enumerate(rows):
        for x, key in enumerate(row):
            if key != '.':
                image[top + y][x] = palette[key]
    return image


def box(frame, glyph=None, mark=None):
    """A 13-pixel check box with a white inside and an optional mark in one colour."""
    image = blank()
    for y in range(1, 14):
        for x in range(1, 14):
            edge = x in (1, 13) or y in (1, 13)
            image[y][x] = PALETTE[frame if edge else 'W']
    if glyph:
        paint(image, [row.replace('X', mark) for row in glyph], top=4)
    return image


def halo(image, colour='L'):
    """Surrounds the drawn pixels with a light edge so dark glyphs read on dark faces."""
    drawn = {(x, y) for y in range(SIZE) for x in range(SIZE) if image[y][x] != MASK}
    for y in range(SIZE):
        for x in range(SIZE):
            if (x, y) in drawn:
                continue
            if any((x + dx, y + dy) in drawn for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                image[y][x] = PALETTE[colour]
    return image


def control_images():
    # The header cell keeps the last column of an image off its divider: the
    # marks use columns 0-14.
    return [
        halo(paint(blank(), SORT_UP)),   # 0 sort descending
        halo(paint(blank(), SORT_DOWN)),  # 1 sort ascending
        box('G'),                        # 2 empty box
        box('G', BOX_TICK, 'B'),         # 3 blue tick
        box('G', BOX_TICK, 'V'),         # 4 green tick
        box('G', BOX_CROSS, 'X'),        # 5 red cross
        paint(blank(), PADLOCK),         # 6 padlock
        halo(paint(blank(), PAPER_CLIP)),  # 7 paper clip
        box('K', BOX_TICK, 'K'),         # 8 black framed tick
        box('K', BOX_CROSS, 'K'),        # 9 black framed cross
    ]


def scaled(image, size):
    """The image at another size: each pixel takes the average colour of the map
    pixels it covers, and shows the background when at most half of it is
    covered. Twice the size doubles every pixel; between, edges blend instead
    of some rows and columns doubling. Lengths are counted in units of which a
    map pixel has `size` and a new pixel SIZE, so every area is exact."""
    def overlaps(target):
        first, last = target * SIZE, (target + 1) * SIZE
        for source in range(first // size, (last - 1) // size + 1):
            yield source, min(last, (source + 1) * size) - max(first, source * size)

    result = [[MASK] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy, height in overlaps(y):
                for sx, width in overlaps(x):
                    if image[sy][sx] == MASK:
                        continue
                    for channel in range(3):
                        total[channel] += image[sy][sx][channel] * width * height
                    covered += width * height
            if 2 * covered > SIZE * SIZE:
                colour = tuple((total[channel] + covered // 2) // covered for channel in range(3))
                # A blend that came out as the mask colour would show through.
                result[y][x] = (254, 0, 254) if colour == MASK else colour
    return result


def write_strip(path, images):
    size = len(images[0])
    width = size * len(images)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        row = bytearray()
        for image in images:
            for (r, g, b) in image[y]:
                row += bytes((b, g, r))
        pixels += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + pixels)


CURSOR_SIZE = 32


def resize_cursor():
    """A horizontal double arrow across a divider of two lines; hot spot 15,15."""
    black = set()
    middle = 15
    for x in list(range(5, 13)) + list(range(18, 26)):
        black.add((x, middle))
    for d in range(5):
        for y in range(middle - d, middle + d + 1):
            black.add((5 + d, y))
            black.add((25 - d, y))
    for y in range(7, 24):
        black.add((13, y))
        black.add((17, y))
    return black, (15, 15)


LINK_HAND = [
    '.....XX..........',
    '....XooX.........',
    '....XooX.........',
    '....XooX.........',
    '....XooX.........',
    '....XooXXX.......',
    '....XooXooXXX....',
    '....XooXooXooXX..',
    '....XooXooXooXoX.',
    'XX..XooXooXooXooX',
    'XoX.XooooooooooooX',
    'XooXXooooooooooooX',
    '.XooXooooooooooooX',
    '..XoXooooooooooooX',
    '..XooooooooooooooX',
    '...XooooooooooooX',
    '...XoooooooooooX.',
    '....XooooooooooX.',
    '....XoooooooooX..',
    '.....XooooooooX..',
    '.....XooooooooX..',
    '.....XXXXXXXXXX..',
]


def link_cursor():
    """A pointing hand; hot spot 6,0 at the tip of the finger."""
    black, white = set(), set()
    for y, row in enumerate(LINK_HAND):
        for x, key in enumerate(row):
            if key == 'X':
                black.add((x, y))
            elif key == 'o':
                white.add((x, y))
    return black, white, (6, 0)


def outlined(black):
    white = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black:
                    white.add(p)
    return white


def write_cursor(path, black, white, hotspot):
    """A monochrome cursor: AND mask 0 and XOR 0 is black, AND 0 and XOR 1 white."""
    n = CURSOR_SIZE
    stride = 4  # 32 one-bit pixels

    def plane(on):
        data = bytearray()
        for y in reversed(range(n)):
            row = bytearray(stride)
            for x in range(n):
                if on(x, y):
                    row[x // 8] |= 0x80 >> (x % 8)
            data += row
        return data

    xor = plane(lambda x, y: (x, y) in white)
    and_ = plane(lambda x, y: (x, y) not in black and (x, y) not in white)
    info = struct.pack('<IiiHHIIiiII', 40, n, n * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    body = info + colours + xor + and_
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', n, n, 2, 0, hotspot[0], hotspot[1], len(body), 6 + 16)
    with open(path, 'wb') as f:
        f.write(directory + entry + body)


def write_strips(out, name, images, preview):
    """The strip at 16 pixels as <name>.bmp and at the larger sizes as
    <name>_<size>.bmp, each with an enlarged PNG beside it when previewing."""
    for image in images:
        assert len(image) == SIZE and all(len(row) == SIZE for row in image), name
    written = [os.path.join(out, name + '.bmp')]
    write_strip(written[-1], images)
    for size in SCALED_SIZES:
        written.append(os.path.join(out, '%s_%d.bmp' % (name, size)))
        write_strip(written[-1], [scaled(image, size) for image in images])
    if preview:
        for path in written:
            subprocess.run(['convert', path, '-scale', '800%', path[:-len('.bmp')] + '.png'],
                           check=True)


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_strips(out, 'list_images', control_images(), '--preview' in sys.argv)
    black, hotspot = resize_cursor()
    write_cursor(os.path.join(out, 'resize.cur'), black, outlined(black), hotspot)
    black, white, hotspot = link_cursor()
    write_cursor(os.path.join(out, 'link.cur'), black, white, hotspot)


if __name__ == '__main__':
    main()
