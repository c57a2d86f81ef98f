"""What the functions take and give: any 2-D uint8 array, views included,
and a clear exception for anything else."""
import lumagrove
import numpy
import pytest

RNG = numpy.random.default_rng(7)
SCENE = RNG.integers(0, 256, size=(90, 120), dtype=numpy.uint8)

VIEWS = {
    "every other row and third column": SCENE[::2, ::3],
    "a window of columns": SCENE[10:70, 15:100],
    "transposed": SCENE.T,
    "flipped upside down": SCENE[::-1],
    "mirrored": SCENE[:, ::-1],
    "Fortran order": numpy.asfortranarray(SCENE),
    "one column": SCENE[:, 5:6],
    "one row of a view": SCENE[3:4, ::2],
    "broadcast (no strides)": numpy.broadcast_to(SCENE[7], (40, 120)),
    "read-only": numpy.frombuffer(SCENE.tobytes(), numpy.uint8).reshape(90, 120),
}


@pytest.mark.parametrize("view", VIEWS.values(), ids=VIEWS.keys())
@pytest.mark.parametrize("operation", [lumagrove.negate, lumagrove.gaussian, lumagrove.equalize_4, lumagrove.spectrum])
def test_views_give_what_their_packed_copy_gives(operation, view):
    before = view.copy()
    result = operation(view)
    numpy.testing.assert_array_equal(result, operation(numpy.ascontiguousarray(view)))
    numpy.testing.assert_array_equal(view, before)  # the input is never written


def test_the_result_is_a_new_writable_array_that_outlives_its_input():
    image = SCENE.copy()
    result = lumagrove.negate(image)
    assert result.dtype == numpy.uint8 and result.shape == image.shape
    assert result.flags.c_contiguous and result.flags.writeable
    assert not numpy.shares_memory(result, image)
    expected = 255 - image
    del image
    result[0, 0] ^= 0  # writable in place
    numpy.testing.assert_array_equal(result, expected)


def test_a_result_of_another_size():
    space = lumagrove.line_space(SCENE)
    assert space.ndim == 2 and space.dtype == numpy.uint8 and space.shape != SCENE.shape


WRONG_ARRAYS = {
    "float64": (numpy.zeros((4, 4)), "uint8"),
    "int8": (numpy.zeros((4, 4), numpy.int8), "uint8"),
    "bool": (numpy.zeros((4, 4), bool), "uint8"),
    "colour (3-D)": (numpy.zeros((4, 4, 3), numpy.uint8), "2-D"),
    "one row as 1-D": (numpy.zeros(16, numpy.uint8), "2-D"),
    "0-D": (numpy.array(3, numpy.uint8), "2-D"),
    "no rows": (numpy.zeros((0, 5), numpy.uint8), "empty"),
    "no columns": (numpy.zeros((5, 0), numpy.uint8), "empty"),
    "two huge sides": (numpy.broadcast_to(numpy.uint8(0), (50000, 50000)), "too large"),
    "one side beyond 32 bits": (numpy.broadcast_to(numpy.uint8(0), (1, 2**32 + 5)), "too large"),
}


@pytest.mark.parametrize("array,words", WRONG_ARRAYS.values(), ids=WRONG_ARRAYS.keys())
def test_a_wrong_array_is_a_value_error_that_says_what_is_wrong(array, words):
    for function in (lumagrove.negate, lumagrove.circles):
        with pytest.raises(ValueError, match=words):
            function(array)
    with pytest.raises(ValueError, match=words):
        lumagrove.write("never-written.pgm", array)


@pytest.mark.parametrize("thing", [None, [[1, 2], [3, 4]], b"\x00" * 16, "image.pgm"])
def test_what_is_not_an_array_is_a_type_error(thing):
    with pytest.raises(TypeError, match="numpy array"):
        lumagrove.negate(thing)


def test_wrong_calls_are_type_errors_as_for_any_python_function():
    with pytest.raises(TypeError, match="missing 1 required positional argument: 'image'"):
        lumagrove.negate()
    with pytest.raises(TypeError, match="takes 1 positional argument but 2 were given"):
        lumagrove.gaussian(SCENE, 2.0)
    with pytest.raises(TypeError, match="unexpected keyword argument 'sigma'"):
        lumagrove.negate(SCENE, sigma=2.0)
    with pytest.raises(TypeError, match="unexpected keyword argument 'from'"):
        lumagrove.equalize_area(SCENE, **{"from": (1, 2)})


@pytest.mark.parametrize(
    "call,error,words",
    [
        (lambda: lumagrove.binarize(SCENE, threshold=1.5), TypeError, "must be an integer, not float"),
        (lambda: lumagrove.binarize(SCENE, threshold="100"), TypeError, "must be an integer, not str"),
        (lambda: lumagrove.gaussian(SCENE, sigma="2"), TypeError, "must be a number, not str"),
        (lambda: lumagrove.highpass(SCENE, cutoff=5), TypeError, r"must be an \(x, y\) pair"),
        (lambda: lumagrove.highpass(SCENE, cutoff=(1, 2, 3)), TypeError, r"must be an \(x, y\) pair"),
        (lambda: lumagrove.highpass(SCENE, cutoff=(1.5, 2)), TypeError, r"must be an \(x, y\) pair"),
        (lambda: lumagrove.uniform(SCENE, window=0), ValueError, "uniform\\(\\): window must be at least 1"),
        (lambda: lumagrove.median(SCENE, window=4), ValueError, "median\\(\\): window must be odd"),
        (lambda: lumagrove.circle_space(SCENE, radius=-1), ValueError, "radius must be at least 0"),
        (lambda: lumagrove.binarize(SCENE, threshold=2**40), ValueError, "not a valid value for threshold"),
        (lambda: lumagrove.gaussian(SCENE, sigma=float("nan")), ValueError, "not a valid value for sigma"),
        (lambda: lumagrove.highpass(SCENE, cutoff=(2**31, 0)), ValueError, "not a valid value for cutoff"),
    ],
)
def test_wrong_option_values_are_refused_as_the_cli_refuses_them(call, error, words):
    with pytest.raises(error, match=words):
        call()


def test_numpy_scalars_and_lists_are_fine_option_values():
    expected = lumagrove.equalize_area(SCENE, from_=(5, 6), to=(70, 80))
    numpy.testing.assert_array_equal(
        lumagrove.equalize_area(SCENE, from_=[numpy.int64(5), 6], to=numpy.array([70, 80])), expected
    )
    numpy.testing.assert_array_equal(
        lumagrove.gaussian(SCENE, sigma=numpy.float32(1.5), threshold=numpy.uint8(99)),
        lumagrove.gaussian(SCENE, sigma=1.5, threshold=99),
    )


def test_a_refused_image_is_a_value_error_with_the_programs_words():
    with pytest.raises(ValueError, match=r"^Convert to 3D needs a 128 x 128 image\.$"):
        lumagrove.range3d(SCENE)


def test_a_hundred_megapixel_photo():
    photo = numpy.broadcast_to(numpy.arange(10000, dtype=numpy.uint8), (10000, 10000))
    negative = lumagrove.negate(photo)
    assert negative.shape == (10000, 10000)
    numpy.testing.assert_array_equal(negative[::997, ::991], 255 - photo[::997, ::991])
