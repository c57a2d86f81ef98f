"""Shared helpers for the module's tests: the command-line tool to compare
with, the samples, and a PGM reader of the tests' own."""
import os
import pathlib
import subprocess

SOURCE = pathlib.Path(os.environ["LUMAGROVE_SOURCE_DIR"])
CLI = os.environ["LUMAGROVE_CLI"]
SAMPLES = [
    SOURCE / "samples" / name for name in ("scene.pgm", "scene.intensity", "range.pgm", "photo.jpg", "colour.png")
]


def run_cli(*words):
    """Runs lumagrove-cli and returns the finished process (text output)."""
    return subprocess.run([CLI, *map(str, words)], capture_output=True, text=True, check=False)


def option_text(value):
    """A keyword's value as the command line spells it: 7, 2.5 or 10,20."""
    return ",".join(map(str, value)) if isinstance(value, tuple) else str(value)


def pgm_pixels(path):
    """The width, height and pixel bytes of a binary PGM as the program writes it."""
    data = pathlib.Path(path).read_bytes()
    magic, comment, size, depth, pixels = data.split(b"\n", 4)
    assert magic == b"P5" and comment.startswith(b"#") and depth == b"255"
    width, height = map(int, size.split())
    return width, height, pixels
