"""The netpbm family read by its rules: numpy-made files of every header
layout, maximum and member, short files, and round trips through netpbm's own
tools (skipped where they are not installed)."""
import shutil
import subprocess

import lumagrove
import numpy
import pytest

from conftest import CLI, SAMPLES, pgm_pixels

RNG = numpy.random.default_rng(24)
MAXIMA = [1, 15, 255, 256, 65535]


def scaled(values, maximum):
    """(v * 255 + maximum / 2) / maximum, the reader's rule."""
    return ((values.astype(numpy.uint64) * 255 + maximum // 2) // maximum).astype(numpy.uint8)


def luma(rgb):
    r, g, b = (rgb[..., i].astype(numpy.uint32) for i in range(3))
    return ((4899 * r + 9617 * g + 1868 * b + 8192) >> 14).astype(numpy.uint8)


def raster(values, maximum):
    return values.astype(">u2" if maximum > 255 else numpy.uint8).tobytes()


def plain(values):
    return ("\n".join(" ".join(map(str, row)) for row in values.reshape(values.shape[0], -1)) + "\n").encode()


LAYOUTS = {
    "usual": "{m}\n{w} {h}\n{x}\n",
    "one line": "{m} {w} {h} {x}\n",
    "comments": "{m}\n# made by numpy\n{w}#width\n{h}\n# before the maximum\n{x}\n",
    "one a line": "{m}\n{w}\n{h}\n{x}\n",
    "tabs": "{m}\t{w}\t{h}\r\n{x}\t",
}


def read_bytes(tmp_path, data, name="image.pnm"):
    path = tmp_path / name
    path.write_bytes(data)
    return lumagrove.read(path)


@pytest.mark.parametrize("layout", LAYOUTS)
@pytest.mark.parametrize("maximum", MAXIMA)
@pytest.mark.parametrize("magic", ["P2", "P5", "P3", "P6"])
def test_maps_of_every_layout_and_maximum(tmp_path, layout, maximum, magic):
    colour = magic in ("P3", "P6")
    values = RNG.integers(0, maximum + 1, size=(5, 7, 3) if colour else (5, 7))
    header = LAYOUTS[layout].format(m=magic, w=7, h=5, x=maximum).encode()
    body = plain(values) if magic in ("P2", "P3") else raster(values, maximum)
    expected = luma(scaled(values, maximum)) if colour else scaled(values, maximum)
    numpy.testing.assert_array_equal(read_bytes(tmp_path, header + body), expected)


@pytest.mark.parametrize("name", ["bits.pbm", "BITS.PBM"])
def test_bitmaps_are_black_where_they_hold_1(tmp_path, name):
    bits = RNG.integers(0, 2, size=(4, 13), dtype=numpy.uint8)
    expected = numpy.where(bits == 1, 0, 255).astype(numpy.uint8)
    packed = numpy.packbits(bits, axis=1).tobytes()
    numpy.testing.assert_array_equal(read_bytes(tmp_path, b"P4\n13 4\n" + packed, name), expected)
    numpy.testing.assert_array_equal(read_bytes(tmp_path, b"P1 13 4 " + plain(bits), name), expected)


@pytest.mark.parametrize("maximum", MAXIMA)
@pytest.mark.parametrize("tuple_type,depth", [("GRAYSCALE", 1), ("GRAYSCALE_ALPHA", 2), ("RGB", 3),
                                              ("RGB_ALPHA", 4)])
def test_pam_of_every_tuple_type(tmp_path, maximum, tuple_type, depth):
    values = RNG.integers(0, maximum + 1, size=(3, 6, depth))
    header = (f"P7\nWIDTH 6\nHEIGHT 3\nDEPTH {depth}\nMAXVAL {maximum}\n# a comment\nTUPLTYPE {tuple_type}\n"
              "ENDHDR\n").encode()
    eight = scaled(values, maximum).astype(numpy.uint32)
    colour, alpha = eight[..., : depth - 1 if depth in (2, 4) else depth], eight[..., -1:]
    if depth in (2, 4):  # over white
        colour = (colour * alpha + 255 * (255 - alpha) + 127) // 255
    expected = luma(colour) if colour.shape[-1] == 3 else colour[..., 0].astype(numpy.uint8)
    numpy.testing.assert_array_equal(read_bytes(tmp_path, header + raster(values, maximum), "image.pam"), expected)


def test_a_short_file_is_read_with_a_warning(tmp_path):
    with pytest.warns(UserWarning, match=r"short\.pgm holds 2 of 3 x 2 samples; the rest is white\.$"):
        image = read_bytes(tmp_path, b"P5\n3 2\n255\n\x07\x08", "short.pgm")
    assert image.tobytes() == bytes([7, 8, 255, 255, 255, 255])
    with pytest.warns(UserWarning, match=r"holds 3 of 640 x 480 samples; the rest is white\.$"):
        assert read_bytes(tmp_path, b"hi\n", "t.raw").shape == (480, 640)
    with pytest.raises(OSError, match=r"has a sample above its maximum value\.$"):
        read_bytes(tmp_path, b"P2\n2 1\n255\n300 1\n", "above.pgm")


TOOLS = ("pngtopnm", "pnmtopng", "pnmdepth", "ppmtopgm", "pamtopnm", "pbmtext")
needs_netpbm = pytest.mark.skipif(not all(map(shutil.which, TOOLS)), reason="netpbm's tools are not installed")


def tool(*words, given=b""):
    return subprocess.run(words, input=given, capture_output=True, check=True).stdout


def grey_of(pgm):
    """The pixels of a P5 of maximum 255 as netpbm writes it."""
    magic, size, maximum, pixels = pgm.split(b"\n", 3)
    assert magic == b"P5" and maximum == b"255"
    width, height = map(int, size.split())
    return numpy.frombuffer(pixels, numpy.uint8).reshape(height, width)


@needs_netpbm
@pytest.mark.parametrize("maximum", MAXIMA)
def test_grey_agrees_with_pnmdepth(tmp_path, maximum):
    deep = b"P5\n11 9\n65535\n" + raster(RNG.integers(0, 65536, size=(9, 11)), 65535)
    source = tool("pnmdepth", str(maximum), given=deep)
    expected = grey_of(tool("pnmdepth", "255", given=source))
    numpy.testing.assert_array_equal(read_bytes(tmp_path, source), expected)
    plain_source = tool("pnmdepth", "-plain", str(maximum), given=deep)  # the same samples as text
    numpy.testing.assert_array_equal(read_bytes(tmp_path, plain_source), expected)
    # A 16-bit PNG of them, back through pngtopnm: the picture and the map agree.
    png = tool("pnmtopng", given=deep)
    numpy.testing.assert_array_equal(read_bytes(tmp_path, tool("pngtopnm", given=png)),
                                     read_bytes(tmp_path, png, "deep.png"))


@needs_netpbm
def test_colour_bitmaps_and_pam_agree_with_netpbm(tmp_path):
    ppm = tool("pngtopnm", str(SAMPLES[4]))
    ours = read_bytes(tmp_path, ppm, "colour.ppm").astype(int)
    assert numpy.abs(ours - grey_of(tool("ppmtopgm", given=ppm)).astype(int)).max() <= 1
    pbm = tool("pbmtext", "Hi")
    numpy.testing.assert_array_equal(read_bytes(tmp_path, pbm, "text.pbm"),
                                     grey_of(tool("pnmdepth", "255", given=pbm)))
    pam = b"P7\nWIDTH 5\nHEIGHT 2\nDEPTH 1\nMAXVAL 15\nTUPLTYPE GRAYSCALE\nENDHDR\n" + bytes(range(10))
    numpy.testing.assert_array_equal(read_bytes(tmp_path, pam, "grey.pam"),
                                     grey_of(tool("pnmdepth", "255", given=tool("pamtopnm", given=pam))))


@needs_netpbm
def test_pipelines_through_the_command_line(tmp_path):
    ppm = tool("pngtopnm", str(SAMPLES[4]))
    (tmp_path / "negated.pgm").write_bytes(tool(CLI, "negate", "-", "-", given=ppm))
    width, height, pixels = pgm_pixels(tmp_path / "negated.pgm")
    negated = numpy.frombuffer(pixels, numpy.uint8).reshape(height, width)
    # netpbm reads what the command line writes as the command line wrote it.
    numpy.testing.assert_array_equal(grey_of(tool("pnmdepth", "255", str(tmp_path / "negated.pgm"))), negated)
    reference = 255 - grey_of(tool("ppmtopgm", given=ppm)).astype(int)
    assert numpy.abs(negated.astype(int) - reference).max() <= 1
