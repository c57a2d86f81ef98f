#!/usr/bin/env python3
"""Each function of the module against the closest call of OpenCV's Python
module (at its default thread count and at one thread) or scikit-image, side
by side in one process, as a user's code calls them: a fresh output on every
call, no buffer reuse, no allocator tuning on either side.

    PYTHONPATH=build/python /usr/bin/python3 bench/python/against_peers.py [--sizes 1024,2048] [--quick]

The pairs do not compute the same bytes (margins, roundings and scalings
differ); they do the same work to the same end, an 8-bit picture where ours
gives one. Each figure is the median of several calls after a warm-up call,
as many as a time budget per measurement allows (one at least), so the
largest sizes get fewer. The machine and its load are printed first: on a
shared machine the figures are indicative.
"""
import argparse
import functools
import os
import platform
import statistics
import time
from typing import Callable, NamedTuple

import cv2
import lumagrove
import numpy
import skimage
from skimage.transform import hough_line

SIZES = (1024, 2048, 4096, 8192)
QUICK_SIZES = (1024, 2048)
CV_DEFAULT_THREADS = cv2.getNumThreads()
# As many votes per edge pixel as ours: 360 angles (ours spans 360 degrees
# of one degree each, scikit-image half a turn with signed distances).
LINE_ANGLES = numpy.linspace(-numpy.pi / 2, numpy.pi / 2, 360, endpoint=False)


def photo_like(size, seed=2026):
    """Smooth shading, a fine woven texture, disks and boxes, and sensor
    noise. Objects and texture keep their size in pixels, so every size has
    about the same share of edge pixels (4 %), which the Hough rows depend on."""
    rng = numpy.random.default_rng(seed)
    y = numpy.arange(size, dtype=numpy.float32)[:, None] / size
    x = numpy.arange(size, dtype=numpy.float32)[None, :] / size
    image = 70 + 90 * x * y + 45 * numpy.sin(7 * x + 1) * numpy.cos(5 * y)
    image = image + 20 * numpy.sin(x * size * 0.21) * numpy.sin(y * size * 0.17 + 3 * numpy.sin(x * 9))
    offsets = numpy.arange(-64, 65, dtype=numpy.float32)
    squares = offsets[:, None] ** 2 + offsets[None, :] ** 2
    for _ in range(size * size // 6000):
        radius = int(rng.integers(4, 64))
        top, left = rng.integers(0, size - 2 * radius, 2)
        window = image[top : top + 2 * radius + 1, left : left + 2 * radius + 1]
        shade = float(rng.normal(0, 45))
        if rng.random() < 0.5:
            window += shade * (squares[64 - radius : 65 + radius, 64 - radius : 65 + radius] <= radius * radius)
        else:
            window += shade
    image += rng.normal(0, 6, size=(size, size)).astype(numpy.float32)
    return numpy.clip(image, 0, 255).astype(numpy.uint8)


# The peers. Where ours gives a picture of real-valued results (gradient,
# spectrum, filters), the peer ends at an 8-bit picture too.


def cv_gradient(image):
    dx = cv2.Sobel(image, cv2.CV_32F, 1, 0)
    dy = cv2.Sobel(image, cv2.CV_32F, 0, 1)
    return cv2.convertScaleAbs(cv2.magnitude(dx, dy), alpha=1 / 8)


def cv_dft(image):
    return cv2.dft(numpy.float32(image), flags=cv2.DFT_COMPLEX_OUTPUT)


def cv_spectrum(image):
    spectrum = cv_dft(image)
    logged = cv2.log(cv2.magnitude(spectrum[..., 0], spectrum[..., 1]) + 1)
    return cv2.normalize(logged, None, 0, 255, cv2.NORM_MINMAX, cv2.CV_8U)


@functools.lru_cache(maxsize=2)
def ideal_mask(height, width, keep_low):
    """1 inside (or outside) the circle of half the width around the zero
    frequency, which sits in the corners; built once per size, as a user's
    code would keep it."""
    rows = numpy.minimum(numpy.arange(height), height - numpy.arange(height))[:, None]
    cols = numpy.minimum(numpy.arange(width), width - numpy.arange(width))[None, :]
    inside = rows**2 + cols**2 <= (width // 2) ** 2
    keep = inside if keep_low else ~inside
    return numpy.repeat(keep[..., None], 2, axis=2).astype(numpy.float32)


def cv_filter(image, keep_low):
    masked = cv2.multiply(cv_dft(image), ideal_mask(*image.shape, keep_low))
    return cv2.convertScaleAbs(cv2.idft(masked, flags=cv2.DFT_SCALE | cv2.DFT_REAL_OUTPUT))


def our_edges(image):
    """The edge map our line-space votes with, so both count the same pixels."""
    return lumagrove.edges(image, threshold=12) != 0


class Pair(NamedTuple):
    operation: str
    ours: Callable
    peer_name: str
    peer: Callable
    # Whether the peer follows cv2.setNumThreads (scikit-image runs on one).
    threaded: bool = True
    # Made once per size before the peer's timing: what it starts from.
    peer_input: Callable = lambda image: image


PAIRS = (
    Pair("negate", lumagrove.negate, "cv2.bitwise_not", cv2.bitwise_not),
    Pair(
        "binarize",
        lumagrove.binarize,
        "cv2.threshold 150",
        lambda image: cv2.threshold(image, 150, 255, cv2.THRESH_BINARY)[1],
    ),
    Pair("uniform", lumagrove.uniform, "cv2.blur 5x5", lambda image: cv2.blur(image, (5, 5))),
    Pair(
        "gaussian",
        lumagrove.gaussian,
        "cv2.GaussianBlur 3x3, sigma 1",
        lambda image: cv2.GaussianBlur(image, (3, 3), 1.0),
    ),
    Pair(
        "median 3",
        lambda image: lumagrove.median(image, window=3),
        "cv2.medianBlur 3",
        lambda image: cv2.medianBlur(image, 3),
    ),
    Pair(
        "median 5",
        lambda image: lumagrove.median(image, window=5),
        "cv2.medianBlur 5",
        lambda image: cv2.medianBlur(image, 5),
    ),
    Pair("equalize", lumagrove.equalize, "cv2.equalizeHist", cv2.equalizeHist),
    Pair("gradient", lumagrove.gradient, "2 x cv2.Sobel + magnitude, to 8 bits", cv_gradient),
    Pair("spectrum", lumagrove.spectrum, "cv2.dft (float32) + magnitude + log, to 8 bits", cv_spectrum),
    Pair(
        "lowpass",
        lambda image: lumagrove.lowpass(image, cutoff=(image.shape[1] // 2, 0)),
        "cv2.dft + mask + idft, radius w/2",
        lambda image: cv_filter(image, True),
    ),
    Pair(
        "highpass",
        lambda image: lumagrove.highpass(image, cutoff=(image.shape[1] // 2, 0)),
        "cv2.dft + mask + idft, radius w/2",
        lambda image: cv_filter(image, False),
    ),
    Pair(
        "line-space",
        lumagrove.line_space,
        "skimage hough_line, 360 angles, on our edge map (ours finds its edges in the call)",
        lambda edges: hough_line(edges, LINE_ANGLES),
        threaded=False,
        peer_input=our_edges,
    ),
    Pair(
        "circles",
        lumagrove.circles,
        "cv2.HoughCircles radii 4-11 (loose: other steps, other circles)",
        lambda image: cv2.HoughCircles(
            image, cv2.HOUGH_GRADIENT, 1, 8, param1=100, param2=20, minRadius=4, maxRadius=11
        ),
    ),
)


def median_ms(function, argument, budget, most):
    """Median milliseconds of one call, after a warm-up call (plans, masks,
    first touches), over as many calls as the budget in seconds allows, from
    one to `most`."""
    function(argument)
    times = []
    while True:
        start = time.perf_counter()
        function(argument)
        times.append(time.perf_counter() - start)
        if len(times) >= most or sum(times) + times[0] > budget:
            break
    return statistics.median(times) * 1e3


def peer_ms(pair, argument, threads, budget, most):
    if not pair.threaded:
        return median_ms(pair.peer, argument, budget, most)
    cv2.setNumThreads(threads)
    try:
        return median_ms(pair.peer, argument, budget, most)
    finally:
        cv2.setNumThreads(CV_DEFAULT_THREADS)


def machine():
    with open("/proc/cpuinfo") as cpuinfo:
        models = [line.split(":", 1)[1].strip() for line in cpuinfo if line.startswith("model name")]
    model = models[0] if models else platform.processor()
    load = " ".join(f"{value:.2f}" for value in os.getloadavg())
    return f"{model}, {os.cpu_count()} cores ({len(os.sched_getaffinity(0))} usable); load average {load}"


def print_legend(budget, most):
    print(
        f"Python {platform.python_version()}, numpy {numpy.__version__}, OpenCV {cv2.__version__}, "
        f"scikit-image {skimage.__version__}"
    )
    print(f"Each figure: the median of up to {most} calls within about {budget} s, after a warm-up call")
    print(f"Peers (OpenCV at its default {CV_DEFAULT_THREADS} threads, and at 1):")
    for pair in PAIRS:
        print(f"  {pair.operation:11} {pair.peer_name}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sizes", help="comma-separated sides of the square images (default: 1024,2048,4096,8192)")
    parser.add_argument("--quick", action="store_true", help="fewer calls per figure; 1024 and 2048 unless --sizes")
    arguments = parser.parse_args()
    if arguments.sizes:
        sizes = [int(side) for side in arguments.sizes.split(",")]
    else:
        sizes = QUICK_SIZES if arguments.quick else SIZES
    budget, most = (0.2, 3) if arguments.quick else (1.0, 15)

    print(f"Machine: {machine()}")
    print_legend(budget, most)
    print(f"\n{'operation':11} {'size':>5} {'ours ms':>9} {f'peer ms ({CV_DEFAULT_THREADS}t)':>14} "
          f"{'peer ms (1t)':>13} {'ours/peer':>10}")
    for size in sizes:
        image = photo_like(size)
        for pair in PAIRS:
            argument = pair.peer_input(image)
            ours = median_ms(pair.ours, image, budget, most)
            peer = peer_ms(pair, argument, CV_DEFAULT_THREADS, budget, most)
            single = f"{peer_ms(pair, argument, 1, budget, most):13.3f}" if pair.threaded else f"{'-':>13}"
            print(f"{pair.operation:11} {size:5} {ours:9.3f} {peer:14.3f} {single} {ours / peer:10.2f}", flush=True)
    print(f"\nMachine at the end: {machine()}")


if __name__ == "__main__":
    main()
