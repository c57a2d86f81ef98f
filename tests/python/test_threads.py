"""Operations let go of the interpreter lock while they run."""
import os
import signal
import subprocess
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import lumagrove
import numpy
import pytest

RNG = numpy.random.default_rng(5)


def test_another_python_thread_keeps_running_during_an_operation():
    image = RNG.integers(0, 256, size=(600, 600), dtype=numpy.uint8)
    span = {}

    def work():
        span["start"] = time.perf_counter()
        span["result"] = lumagrove.lines(image)
        span["end"] = time.perf_counter()

    worker = threading.Thread(target=work)
    ticks = []
    worker.start()
    while worker.is_alive():
        ticks.append(time.perf_counter())
    worker.join()
    during = [tick for tick in ticks if span["start"] < tick < span["end"]]
    # Holding the lock, the operation would leave this loop a handful of turns at most.
    assert len(during) > 1000, f"{len(during)} turns in {span['end'] - span['start']:.3f} s"
    numpy.testing.assert_array_equal(span["result"], lumagrove.lines(image))


def test_operations_in_parallel_threads_give_the_sequential_results():
    images = [RNG.integers(0, 256, size=(200 + 13 * i, 300 - 7 * i), dtype=numpy.uint8) for i in range(8)]
    operations = [lumagrove.spectrum, lumagrove.lowpass, lumagrove.circles, lumagrove.gaussian]
    jobs = [(operation, image) for operation in operations for image in images]
    expected = [operation(image) for operation, image in jobs]
    with ThreadPoolExecutor(4) as pool:
        results = list(pool.map(lambda job: job[0](job[1]), jobs))
    for result, wanted in zip(results, expected):
        numpy.testing.assert_array_equal(result, wanted)


def test_the_number_of_threads_comes_from_the_environment_and_set_num_threads():
    script = "import lumagrove; print(lumagrove.get_num_threads())"
    environment = dict(os.environ, LUMAGROVE_THREADS="3")
    shown = subprocess.run([sys.executable, "-c", script], env=environment, capture_output=True, text=True, check=True)
    assert shown.stdout.strip() == "3"
    before = lumagrove.get_num_threads()
    try:
        lumagrove.set_num_threads(5)
        assert lumagrove.get_num_threads() == 5
        with pytest.raises(ValueError, match="0 .every core. or more"):
            lumagrove.set_num_threads(-1)
        with pytest.raises(TypeError):
            lumagrove.set_num_threads(2.0)
        assert lumagrove.get_num_threads() == 5
    finally:
        lumagrove.set_num_threads(before)


def test_ctrl_c_stops_a_long_call_with_keyboard_interrupt():
    noise = RNG.integers(0, 256, size=(4096, 4096), dtype=numpy.uint8)  # circles takes seconds on it
    timer = threading.Timer(0.3, os.kill, (os.getpid(), signal.SIGINT))
    timer.start()
    start = time.perf_counter()
    with pytest.raises(KeyboardInterrupt):
        lumagrove.circles(noise)
    timer.join()
    print(f"the call ended {time.perf_counter() - start - 0.3:.3f} s after Ctrl+C")  # reported, not asserted
    # The stop was the call's own: the next one runs to its end.
    small = noise[:64, :64]
    numpy.testing.assert_array_equal(lumagrove.negate(small), 255 - small)
