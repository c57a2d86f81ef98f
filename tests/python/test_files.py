"""read, write and read_xyz: the command line's readers and writer, their
messages as OSError, and files of every kind the samples hold."""
import os
import pathlib
import threading

import lumagrove
import numpy
import pytest

from conftest import SAMPLES, SOURCE, pgm_pixels, run_cli

RNG = numpy.random.default_rng(11)


def test_samples_read_as_the_cli_reads_them():
    width, height, pixels = pgm_pixels(SAMPLES[0])
    scene = lumagrove.read(SAMPLES[0])
    assert scene.shape == (height, width) and scene.tobytes() == pixels
    raw = lumagrove.read(str(SAMPLES[1]))  # anything not named pgm or xyz is raw 640 x 480
    assert raw.shape == (480, 640) and raw.tobytes() == SAMPLES[1].read_bytes()


@pytest.mark.parametrize("name", ["plain.pgm", "raw.intensity", "no extension", "grey.png", "grey.TIFF"])
@pytest.mark.parametrize("shape", [(1, 1), (3, 2), (480, 640), (7, 3001)])
def test_write_then_read_gives_the_same_array(tmp_path, name, shape):
    image = RNG.integers(0, 256, size=shape, dtype=numpy.uint8)
    path = tmp_path / name
    lumagrove.write(path, image[:, ::-1])
    if not name.endswith(("png", "TIFF")):
        assert pgm_pixels(path)[2] == image[:, ::-1].tobytes()  # PGM for any name but a picture's
    if name.endswith(("pgm", "png", "TIFF")):
        numpy.testing.assert_array_equal(lumagrove.read(path), image[:, ::-1])


@pytest.mark.parametrize("name,format", [("out.png", None), ("out.tif", None), ("out.pgm", "png"), ("out.png", "tiff"),
                                         ("out.tiff", "pgm"), ("out.jpg", None), ("out.webp", None), ("out", "bmp")])
def test_pictures_are_written_as_the_cli_writes_them(tmp_path, name, format):
    flags = ["--format", format] if format else []
    assert run_cli("negate", *flags, SAMPLES[3], tmp_path / ("cli-" + name)).returncode == 0
    lumagrove.write(tmp_path / name, lumagrove.negate(lumagrove.read(SAMPLES[3])), format=format)
    assert (tmp_path / name).read_bytes() == (tmp_path / ("cli-" + name)).read_bytes()


def test_an_unknown_format_is_refused_before_anything_is_written(tmp_path):
    for format in ("jpeg", "PNG", 3):
        with pytest.raises(ValueError, match="format must be None or one of 'png', 'jpg', 'tiff', 'bmp', 'webp', 'pgm'"):
            lumagrove.write(tmp_path / "out.png", numpy.zeros((2, 2), numpy.uint8), format=format)
    assert not any(tmp_path.iterdir())


def test_names_as_str_bytes_and_paths(tmp_path):
    image = RNG.integers(0, 256, size=(5, 4), dtype=numpy.uint8)
    for name in (str(tmp_path / "a.pgm"), os.fsencode(tmp_path / "b.pgm"), tmp_path / "c.pgm"):
        lumagrove.write(name, image)
        numpy.testing.assert_array_equal(lumagrove.read(name), image)
    undecodable = os.fsencode(tmp_path) + b"/\xff\xfe.pgm"
    lumagrove.write(undecodable, image)
    numpy.testing.assert_array_equal(lumagrove.read(os.fsdecode(undecodable)), image)


def test_a_hundred_megapixel_round_trip(tmp_path):
    image = numpy.broadcast_to((numpy.arange(10000) % 251).astype(numpy.uint8), (12000, 10000))
    lumagrove.write(tmp_path / "big.pgm", image)
    numpy.testing.assert_array_equal(lumagrove.read(tmp_path / "big.pgm"), image)


def cli_message(name):
    """The message lumagrove-cli gives when it cannot read `name`."""
    stderr = run_cli("negate", name, "/nonexistent-folder/out.pgm").stderr
    return stderr.splitlines()[-1].removeprefix("lumagrove-cli: Error: ")


def test_unreadable_files_are_os_errors_with_the_cli_message(tmp_path):
    (tmp_path / "empty.pgm").write_bytes(b"")
    (tmp_path / "header only.pgm").write_bytes(b"P5\n")
    for path in (tmp_path / "empty.pgm", tmp_path / "header only.pgm"):
        with pytest.raises(OSError) as failure:
            lumagrove.read(path)
        assert str(failure.value) == cli_message(path)
        assert str(path) in str(failure.value)
    # A traceback must not send a name's escape sequences to the terminal.
    (tmp_path / "\x1b[2J.pgm").write_bytes(b"hello")
    with pytest.raises(OSError, match=r"\\033\[2J\.pgm is not a PBM, PGM, PPM or PAM file\.$"):
        lumagrove.read(tmp_path / "\x1b[2J.pgm")
    # Where the system said why, the exception is the one open() would raise.
    (tmp_path / "folder.pgm").mkdir()
    for name, error in (("missing.pgm", FileNotFoundError), ("folder.pgm", IsADirectoryError)):
        with pytest.raises(error) as failure:
            lumagrove.read(tmp_path / name)
        assert failure.value.filename == str(tmp_path / name)
        assert failure.value.strerror == os.strerror(failure.value.errno)
        assert failure.value.__notes__ == [cli_message(tmp_path / name)]


def test_coordinates_are_not_an_image():
    with pytest.raises(OSError, match="holds XYZ coordinates, not an image"):
        lumagrove.read(SOURCE / "samples" / "wall.xyz")


def test_unwritable_places_are_os_errors_with_the_cli_message_and_stay_as_they_were(tmp_path):
    image = numpy.zeros((2, 2), numpy.uint8)
    (tmp_path / "folder.pgm").mkdir()
    read_only = tmp_path / "read-only.pgm"
    read_only.write_bytes(b"keep")
    read_only.chmod(0o444)
    targets = [tmp_path / "missing" / "out.pgm", tmp_path / "folder.pgm"]
    if os.geteuid() != 0:  # root may write anything
        targets.append(read_only)
    for target in targets:
        cli = run_cli("negate", SAMPLES[0], target)
        with pytest.raises(OSError) as failure:
            lumagrove.write(target, image)
        assert failure.value.filename == str(target)
        assert cli.stderr.splitlines()[-1] == f"lumagrove-cli: Error: {failure.value.__notes__[0]}"
    assert sorted(p.name for p in tmp_path.iterdir()) == ["folder.pgm", "read-only.pgm"]
    assert read_only.read_bytes() == b"keep" and not any((tmp_path / "folder.pgm").iterdir())


def test_write_through_a_link_replaces_the_file_the_cli_would_replace(tmp_path):
    image = RNG.integers(0, 256, size=(6, 5), dtype=numpy.uint8)
    for who in ("cli", "python"):
        folder = tmp_path / who
        folder.mkdir()
        (folder / "target.pgm").write_bytes(b"old")
        (folder / "link.pgm").symlink_to("target.pgm")
    lumagrove.write(tmp_path / "in.pgm", image)
    run_cli("negate", tmp_path / "in.pgm", tmp_path / "cli" / "link.pgm")
    lumagrove.write(tmp_path / "python" / "link.pgm", lumagrove.negate(image))
    for name in ("target.pgm", "link.pgm"):
        cli, ours = tmp_path / "cli" / name, tmp_path / "python" / name
        assert cli.is_symlink() == ours.is_symlink()
        assert cli.read_bytes() == ours.read_bytes()


def test_a_file_name_with_a_null_byte_is_refused():
    with pytest.raises(ValueError, match="null"):
        lumagrove.read("scene.pgm\0.intensity")
    with pytest.raises(ValueError, match="null"):
        lumagrove.write("out.pgm\0", numpy.zeros((1, 1), numpy.uint8))


def test_a_picture_read_from_a_fifo_while_python_writes_into_it(tmp_path):
    fifo = tmp_path / "pipe.pgm"
    os.mkfifo(fifo)
    data = SAMPLES[0].read_bytes()
    # The writer is a Python thread: it can only run while read() has let go of the lock.
    writer = threading.Thread(target=lambda: fifo.write_bytes(data))
    writer.start()
    image = lumagrove.read(fifo)
    writer.join()
    assert image.tobytes() == pgm_pixels(SAMPLES[0])[2]


def test_read_xyz_gives_the_three_planes_as_floats(tmp_path):
    path = SOURCE / "samples" / "wall.xyz"
    planes = lumagrove.read_xyz(path)
    assert planes.shape == (3, 480, 640) and planes.dtype == numpy.float32
    numpy.testing.assert_array_equal(planes, numpy.fromfile(path, "<f4").reshape(3, 480, 640))
    # A short file reads as far as it goes; the rest is 0.
    short = tmp_path / "short.xyz"
    short.write_bytes(numpy.arange(10, dtype="<f4").tobytes())
    planes = lumagrove.read_xyz(short)
    assert planes[0, 0, :10].tolist() == list(range(10)) and not planes.ravel()[10:].any()
    with pytest.raises(FileNotFoundError):
        lumagrove.read_xyz(tmp_path / "missing.xyz")


def test_every_picture_name_is_written_as_it_says(tmp_path):
    image = RNG.integers(0, 256, size=(20, 30), dtype=numpy.uint8)
    for name, signature in (("w.jpg", b"\xff\xd8\xff"), ("w.webp", b"RIFF"), ("w.BMP", b"BM")):
        lumagrove.write(tmp_path / name, image)
        assert (tmp_path / name).read_bytes().startswith(signature)
    numpy.testing.assert_array_equal(lumagrove.read(tmp_path / "w.webp"), image)
    numpy.testing.assert_array_equal(lumagrove.read(tmp_path / "w.BMP"), image)
    lumagrove.write(tmp_path / "low", image, format="jpg", quality=10)
    assert (tmp_path / "low").stat().st_size < (tmp_path / "w.jpg").stat().st_size
    for name, quality in (("w.png", 50), ("w.jpg", 0), ("w.jpg", 101), ("w.jpg", 9.5)):
        with pytest.raises(ValueError, match="quality"):
            lumagrove.write(tmp_path / name, image, quality=quality)
