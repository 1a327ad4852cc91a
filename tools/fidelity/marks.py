"""The separate marks of a drawn word, and whether two pictures of a word
carry the same ones.

A mark is a small connected blob of ink that stands apart from the letters:
nukta, anusvara, candrabindu (its arc and its dot), visarga, addak, tippi,
pulli, the dot of a dotted reph. A tiny dot barely moves a shape score, but a
reader takes a word without it (or with it melted into a vowel sign's
stroke) for another word, so the harness compares marks one by one:

- every mark of the reference needs a mark of ours near the same place and
  of a like size; when ours has ink there but no mark, the mark merged into
  another stroke; when ours has no ink there, it is missing;
- every mark of ours needs one of the reference, or it is extra;
- a mark drawn in two blobs where the other picture has one (a candrabindu
  whose dot touches its arc in one picture only) is the same mark: a blob
  left over whose middle lies on a mark of the other picture is no fault;
- a mark of ours whose ink the reference has too, joined there to a letter
  (a candrabindu's arc touching the headline in the reference only), is not
  added. The other way round it is a fault: ours merged the mark.

Pictures are 8-bit grey images thresholded at half coverage; blobs connect
through the eight neighbours of a pixel. Sizes are in ems of the drawing
size, so the rules hold at any size.
"""
import numpy as np

# A blob is a mark when it is at most this much ink (em squared) and at most
# this tall and wide (ems); smaller blobs are specks of the thresholding.
MARK_AREA = 0.06
MARK_EXTENT = 0.42
SPECK_AREA = 0.003
# Two marks are the same when their centres are this close (ems) and their
# areas within this factor of each other.
MARK_SHIFT = 0.16
MARK_AREA_FACTOR = 2.6
# A mark of ours lies on the reference's ink when the ink, grown by this many
# pixels (the shape measure's tolerance), covers it.
GROWTH = 2


class Blob:
    __slots__ = ("area", "cx", "cy", "width", "height", "left", "top", "runs")

    def __init__(self, area, cx, cy, width, height, left=0, top=0, runs=()):
        self.area, self.cx, self.cy, self.width, self.height = area, cx, cy, width, height
        self.left, self.top, self.runs = left, top, runs

    def covers(self, x, y, margin=1):
        return (self.left - margin <= x < self.left + self.width + margin
                and self.top - margin <= y < self.top + self.height + margin)

    def __repr__(self):
        return f"Blob(area={self.area}, at=({self.cx:.1f}, {self.cy:.1f}), {self.width}x{self.height})"


def _runs(row):
    """(start, end) of the inked runs of one row of booleans."""
    edges = np.flatnonzero(np.diff(np.concatenate(([0], row.view(np.int8), [0]))))
    return list(zip(edges[0::2].tolist(), edges[1::2].tolist()))


def blobs(ink):
    """The 8-connected blobs of a 2-D boolean array, by run-length labelling."""
    parent = []

    def find(i):
        while parent[i] != i:
            parent[i] = parent[parent[i]]
            i = parent[i]
        return i

    runs = []  # (y, start, end, label)
    previous = []
    for y in range(ink.shape[0]):
        current = []
        for start, end in _runs(ink[y]):
            label = None
            for pstart, pend, plabel in previous:
                if pstart <= end and start <= pend:  # touching, diagonals included
                    if label is None:
                        label = find(plabel)
                    else:
                        a, b = find(label), find(plabel)
                        if a != b:
                            parent[max(a, b)] = min(a, b)
                            label = min(a, b)
            if label is None:
                label = len(parent)
                parent.append(label)
            current.append((start, end, label))
            runs.append((y, start, end, label))
        previous = current
    stats = {}
    for y, start, end, label in runs:
        root = find(label)
        n = end - start
        s = stats.setdefault(root, [0, 0.0, 0.0, start, end, y, y, []])
        s[0] += n
        s[1] += n * (start + end - 1) / 2
        s[2] += n * y
        s[3], s[4] = min(s[3], start), max(s[4], end)
        s[5], s[6] = min(s[5], y), max(s[6], y)
        s[7].append((y, start, end))
    return [Blob(a, sx / a, sy / a, x1 - x0, y1 - y0 + 1, x0, y0, r)
            for a, sx, sy, x0, x1, y0, y1, r in stats.values()]


def ink_of(img):
    """Boolean ink of an 8-bit picture, thresholded at half coverage."""
    return np.asarray(img) >= 128


def marks_of(ink, size):
    """The marks among the blobs of a picture drawn at size pixels per em."""
    em2 = size * size
    return [b for b in blobs(ink)
            if SPECK_AREA * em2 <= b.area <= MARK_AREA * em2
            and b.width <= MARK_EXTENT * size and b.height <= MARK_EXTENT * size]


def _same(a, b, size):
    close = (a.cx - b.cx) ** 2 + (a.cy - b.cy) ** 2 <= (MARK_SHIFT * size) ** 2
    return close and max(a.area, b.area) <= MARK_AREA_FACTOR * min(a.area, b.area)


def _grown(ink, radius=GROWTH):
    """The ink and every pixel within radius of it (a square)."""
    grown = ink.copy()
    for dy in range(-radius, radius + 1):
        for dx in range(-radius, radius + 1):
            grown |= np.roll(np.roll(ink, dy, axis=0), dx, axis=1)
    return grown


def _inked_under(grown, blob, share=0.9):
    """Whether the other picture has ink under nearly all of a blob."""
    under = sum(int(grown[y, start:end].sum()) for y, start, end in blob.runs)
    return under >= share * blob.area


def _inked_near(ink, blob):
    """Whether a picture has ink under the middle of a blob of the other one."""
    x, y = int(round(blob.cx)), int(round(blob.cy))
    rx, ry = max(1, blob.width // 2), max(1, blob.height // 2)
    return bool(ink[max(0, y - ry):y + ry + 1, max(0, x - rx):x + rx + 1].any())


def mark_faults(reference, ours, size):
    """What is wrong with the marks of ours against the reference: a list of
    (kind, blob) with kind "missing", "merged" or "extra"; empty when every
    mark is there and none is added."""
    ref_ink, our_ink = ink_of(reference), ink_of(ours)
    wanted, drawn = marks_of(ref_ink, size), marks_of(our_ink, size)
    # Pair the closest marks first, so a pair of nearby marks cannot steal
    # each other's partners.
    pairs = sorted(((a.cx - b.cx) ** 2 + (a.cy - b.cy) ** 2, i, j)
                   for i, a in enumerate(wanted) for j, b in enumerate(drawn) if _same(a, b, size))
    matched_wanted, matched_drawn = set(), set()
    for _, i, j in pairs:
        if i not in matched_wanted and j not in matched_drawn:
            matched_wanted.add(i)
            matched_drawn.add(j)
    def split_alike(blob, others):
        return any(o.covers(blob.cx, blob.cy) for o in others)

    faults = []
    for i, blob in enumerate(wanted):
        if i not in matched_wanted and not split_alike(blob, drawn):
            faults.append(("merged" if _inked_near(our_ink, blob) else "missing", blob))
    ref_grown = _grown(ref_ink)
    faults += [("extra", blob) for j, blob in enumerate(drawn)
               if j not in matched_drawn and not split_alike(blob, wanted)
               and not _inked_under(ref_grown, blob)]
    return faults
