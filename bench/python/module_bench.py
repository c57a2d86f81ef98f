#!/usr/bin/env python3
"""How much a call from Python costs over the same command run in C++, and
what two Python threads gain over one.

    PYTHONPATH=build/python /usr/bin/python3 bench/python/module_bench.py [BUILD]

1. Every command at 1024 x 1024 through the Python module, against
   core_bench's Command/* benchmarks, which run the same runner (one copy in,
   the operation, a new result out) on the same pixels. Both sides count the
   processor time of the calling thread, take turns in several rounds and
   keep their fastest round, the figures least disturbed by other work on
   the machine.
2. The fixed cost of one call, from a command on a 1 x 1 image.
3. A heavy command four times: one after the other, then on two threads.
"""
import json
import os
import pathlib
import statistics
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

import lumagrove
import numpy

ROUNDS = 5
HEAVY = "circles"
# Both processes keep freed blocks instead of giving them back to the system
# at once. Otherwise each measures how often the allocator returns a
# megabyte result to the kernel and faults it in again, which depends on
# what else the process holds (Python's heap hides it, core_bench's does not).
TUNABLES = "glibc.malloc.mmap_threshold=67108864:glibc.malloc.trim_threshold=268435456"


def scene(width, height):
    """Smooth shading, blocks and noise, like core_bench's own scene."""
    y, x = numpy.mgrid[0:height, 0:width]
    shade = 128 + 60 * numpy.sin(x * 0.013) * numpy.cos(y * 0.011)
    blocks = numpy.where((x // 97 + y // 83) % 3 == 0, 50, 0)
    noise = numpy.random.default_rng(12345).integers(-10, 11, size=(height, width))
    return numpy.clip(shade.astype(int) + blocks + noise, 0, 255).astype(numpy.uint8)


def cxx_times(build, image_path, commands):
    """Microseconds of processor time per run of each command in core_bench."""
    done = subprocess.run(
        [
            str(build / "bench" / "core_bench"),
            f"--benchmark_filter=^Command/({'|'.join(commands)})$",
            "--benchmark_format=json",
            "--benchmark_min_time=0.1",
        ],
        env={**os.environ, "LUMAGROVE_BENCH_IMAGE": str(image_path)},
        capture_output=True,
        text=True,
        check=True,
    )
    return {run["name"].removeprefix("Command/"): run["cpu_time"] for run in json.loads(done.stdout)["benchmarks"]}


def python_time(function, image):
    """Microseconds of processor time per call, over a loop of about 0.1 s."""
    start = time.thread_time()
    function(image)
    calls = max(1, int(0.1 / max(time.thread_time() - start, 1e-6)))
    start = time.thread_time()
    for _ in range(calls):
        function(image)
    return (time.thread_time() - start) / calls * 1e6


def main(build):
    image = scene(1024, 1024)
    commands = {}
    for command, function in lumagrove.COMMANDS.items():
        try:
            function(image)
            commands[command] = function
        except ValueError as refused:
            print(f"{command}: {refused}")
    cxx = {command: float("inf") for command in commands}
    python = dict(cxx)
    with tempfile.TemporaryDirectory() as folder:
        image_path = pathlib.Path(folder) / "scene.pgm"
        lumagrove.write(image_path, image)
        for _ in range(ROUNDS):
            for command, value in cxx_times(build, image_path, commands).items():
                cxx[command] = min(cxx[command], value)
            for command, function in commands.items():
                python[command] = min(python[command], python_time(function, image))

    print("command                 C++ (us)  Python (us)  Python / C++")
    ratios = []
    for command in commands:
        ours = python[command]
        ratio = ours / cxx[command]
        ratios.append(ratio)
        print(f"{command:22} {cxx[command]:9.0f} {ours:12.0f} {ratio:13.3f}")
    print(f"median Python / C++: {statistics.median(ratios):.3f}")

    tiny = numpy.zeros((1, 1), numpy.uint8)
    print(f"one call on a 1 x 1 image: {min(python_time(lumagrove.negate, tiny) for _ in range(ROUNDS)):.2f} us")

    # Noise gives the Hough voting the most work: about half a second a call.
    noise = numpy.random.default_rng(1).integers(0, 256, size=(1024, 1024), dtype=numpy.uint8)
    function = lumagrove.COMMANDS[HEAVY]
    start = time.perf_counter()
    for _ in range(4):
        function(noise)
    sequential = time.perf_counter() - start
    with ThreadPoolExecutor(2) as pool:
        start = time.perf_counter()
        list(pool.map(function, [noise] * 4))
        threaded = time.perf_counter() - start
    print(
        f"{HEAVY} x 4 on 1024 x 1024 noise: {sequential:.2f} s one after the other, {threaded:.2f} s on two "
        f"threads ({sequential / threaded:.2f}x, {os.cpu_count()} cores)"
    )


if __name__ == "__main__":
    if os.environ.get("GLIBC_TUNABLES") != TUNABLES:
        os.execve(sys.executable, [sys.executable, *sys.argv], {**os.environ, "GLIBC_TUNABLES": TUNABLES})
    main(pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "build"))
