"""Running out of memory is a MemoryError with the program's text, and the
interpreter goes on."""
import subprocess
import sys

# Runs in a child whose address space is capped a little above what it holds,
# so the big allocations an operation or a reader makes are refused.
CAPPED = """
import resource, sys
import numpy, lumagrove

image = numpy.zeros((6000, 6000), numpy.uint8)
with open("/proc/self/status") as status:
    size = next(int(line.split()[1]) * 1024 for line in status if line.startswith("VmSize:"))
limit = size + 200 * 2**20
resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
calls = {
    "spectrum": lambda: lumagrove.spectrum(image),
    "read": lambda: lumagrove.read(sys.argv[1]),
}
for name, call in calls.items():
    try:
        call()
        print(name, "did not run out")
    except MemoryError as error:
        print(name, error)
print("alive", lumagrove.negate(numpy.zeros((2, 2), numpy.uint8)).sum())
"""


def test_out_of_memory_is_a_memory_error(tmp_path):
    huge = tmp_path / "huge.pgm"
    huge.write_bytes(b"P5\n50000 40000\n255\n" + bytes(100))
    done = subprocess.run(
        [sys.executable, "-c", CAPPED, str(huge)], capture_output=True, text=True, check=False, timeout=120
    )
    assert done.returncode == 0, done.stderr
    assert done.stdout.splitlines() == [
        "spectrum Not enough memory to complete the operation.",
        f"read {huge}: Cannot allocate memory to read in image",
        "alive 1020",
    ]
