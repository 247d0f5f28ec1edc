#!/usr/bin/env python3
"""Builds QuarvelSysTest's status strip from the pixel maps below.

    make_images.py <output-folder> [--preview]

Writes the status images (failed, warning, passed, passed with margin) at 16
pixels as status_images.bmp (bitmap 103), and again at 20, 24 and 32 pixels
as status_images_<size>.bmp, drawn and scaled as the results list draws its
own images (systest/ui/userlist/win/make_list_images.py). With --preview it
also writes them scaled up eight times as PNG (needs ImageMagick's convert).
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                '..', '..', 'ui', 'userlist', 'win'))
import make_list_images as drawing  # noqa: E402

PALETTE = dict(drawing.PALETTE, **{
    'R': (222, 44, 44),       # red disc
    'r': (140, 0, 0),         # its outline
    'N': (36, 168, 64),       # green disc
    'n': (0, 96, 24),         # its outline
    'b': (0, 48, 130),        # outline of the sleeve (B); the hand's is k
    'S': (252, 206, 140),     # hand
    's': (196, 134, 62),      # finger creases
})

# Rows of the 14-pixel discs behind the cross and the tick: first and last column.
DISC_ROWS = {1: (5, 10), 2: (3, 12), 3: (2, 13), 4: (2, 13), 5: (1, 14), 6: (1, 14),
             7: (1, 14), 8: (1, 14), 9: (1, 14), 10: (1, 14), 11: (2, 13), 12: (2, 13),
             13: (3, 12), 14: (5, 10)}

CROSS_GLYPH = [  # over a disc, rows 4-11
    '....WW....WW....',
    '.....WW..WW.....',
    '......WWWW......',
    '.......WW.......',
    '.......WW.......',
    '......WWWW......',
    '.....WW..WW.....',
    '....WW....WW....',
]

TICK_GLYPH = [  # over a disc, rows 4-11
    '...........WW...',
    '..........WW....',
    '.........WW.....',
    '....WW..WW......',
    '.....WWWW.......',
    '......WW........',
    '................',
    '................',
]

WARNING = [
    '................',
    '.......yy.......',
    '......yYYy......',
    '......yYYy......',
    '.....yYKKYy.....',
    '.....yYKKYy.....',
    '....yYYKKYYy....',
    '....yYYKKYYy....',
    '...yYYYKKYYYy...',
    '...yYYYYYYYYy...',
    '..yYYYYKKYYYYy..',
    '..yYYYYKKYYYYy..',
    '.yYYYYYYYYYYYYy.',
    '.yyyyyyyyyyyyyy.',
    '................',
    '................',
]

THUMBS_UP = [
    '................',
    '.......kk.......',
    '......kSSk......',
    '......kSSk......',
    '.....kSSSk......',
    '.....kSSk.......',
    '....kSSSkkkkkk..',
    'bbbbkSSSSSSSSSk.',
    'bBBbkSSSsssssk..',
    'bBBbkSSSSSSSSSk.',
    'bBBbkSSSsssssk..',
    'bBBbkSSSSSSSSk..',
    'bBBbkSSSssssk...',
    'bbbbkSSSSSSSk...',
    '.....kkkkkkk....',
    '................',
]


def paint(image, rows, top=0):
    return drawing.paint(image, rows, top, PALETTE)


def disc(fill, outline):
    image = drawing.blank()
    inside = {(x, y) for y, (a, b) in DISC_ROWS.items() for x in range(a, b + 1)}
    for (x, y) in inside:
        edge = any((x + dx, y + dy) not in inside
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        image[y][x] = PALETTE[outline if edge else fill]
    return image


def status_images():
    return [
        paint(disc('R', 'r'), CROSS_GLYPH, top=4),  # 0 failed
        paint(drawing.blank(), WARNING),                    # 1 warning
        paint(disc('N', 'n'), TICK_GLYPH, top=4),   # 2 passed
        paint(drawing.blank(), THUMBS_UP),                  # 3 passed with margin
    ]



def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    drawing.write_strips(out, 'status_images', status_images(), '--preview' in sys.argv)


if __name__ == '__main__':
    main()
