"""histogram(image) against numpy and the command line's histogram."""
import json

import lumagrove
import numpy
import pytest

from conftest import SAMPLES, run_cli


def test_counts_every_level_of_the_array_as_the_command_line_does():
    image = lumagrove.read(SAMPLES[0])
    counts = lumagrove.histogram(image)
    assert counts.dtype == numpy.int64 and counts.shape == (256,)
    assert (counts == numpy.bincount(image.ravel(), minlength=256)).all()
    printed = json.loads(run_cli("histogram", "--json", SAMPLES[0]).stdout)
    assert counts.tolist() == printed["counts"]
    assert printed["pixels"] == image.size


def test_views_are_counted_through_their_strides():
    image = numpy.arange(7 * 9, dtype=numpy.uint8).reshape(7, 9)
    view = image[1:6:2, ::-3].T
    assert (lumagrove.histogram(view) == numpy.bincount(view.ravel(), minlength=256)).all()


@pytest.mark.parametrize("bad", [numpy.zeros((2, 2, 2), numpy.uint8), numpy.zeros((2, 2), numpy.int16)])
def test_arrays_that_are_no_image_are_refused(bad):
    with pytest.raises(ValueError):
        lumagrove.histogram(bad)
