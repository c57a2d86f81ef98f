"""examples/dask_batch.py on a local cluster of two workers: every output is
what the command line makes with the same steps."""
import subprocess
import sys

import lumagrove
import numpy

from conftest import SOURCE, run_cli

EXAMPLE = SOURCE / "examples" / "dask_batch.py"
CHAIN = [["gaussian", "--sigma", "2"], ["equalize-area", "--from", "5,5", "--to=30,20"], ["edges", "--threshold", "40"]]


def run_example(*words):
    return subprocess.run(
        [sys.executable, EXAMPLE, *map(str, words)], capture_output=True, text=True, check=False, timeout=300
    )


def chain_words():
    return [word for index, step in enumerate(CHAIN) for word in (["then"] if index else []) + step]


def cli_chain(source, folder):
    """The same steps, one lumagrove-cli call each."""
    current = source
    for index, step in enumerate(CHAIN):
        target = folder / f"{source.stem}.step{index}.pgm"
        assert run_cli(*step, current, target).returncode == 0
        current = target
    return current


def test_a_folder_on_two_local_workers_gives_the_cli_results(tmp_path):
    pictures, results, expected = tmp_path / "pictures", tmp_path / "results", tmp_path / "expected"
    for folder in (pictures, expected):
        folder.mkdir()
    rng = numpy.random.default_rng(3)
    for index in range(20):
        shape = (30 + 3 * index, 70 - 2 * index)
        lumagrove.write(pictures / f"picture{index:02}.pgm", rng.integers(0, 256, size=shape, dtype=numpy.uint8))
    (pictures / "broken.pgm").write_bytes(b"P5\nnot a size\n")

    done = run_example("--workers", 2, pictures, results, *chain_words())

    assert done.returncode == 1, done.stderr
    assert done.stdout.startswith("20 done, 1 failed in ")
    assert f"broken.pgm: File: {pictures / 'broken.pgm'} has no valid image size." in done.stderr.splitlines()
    assert sorted(p.name for p in results.iterdir()) == [f"picture{index:02}.pgm" for index in range(20)]
    for index in range(20):
        source = pictures / f"picture{index:02}.pgm"
        assert (results / source.name).read_bytes() == cli_chain(source, expected).read_bytes(), source.name


def test_wrong_chains_and_clashing_names_are_usage_errors(tmp_path):
    (tmp_path / "a.pgm").write_bytes(b"")
    cases = {
        ("blur",): "unknown command 'blur'",
        ("negate", "--sigma", "2"): "option --sigma does not apply to negate",
        ("gaussian", "--sigma"): "option --sigma needs a value",
        ("binarize", "--threshold", "high"): "'high' is not a valid value for --threshold",
        ("negate", "then"): "a step is missing",
    }
    for words, message in cases.items():
        done = run_example(tmp_path, tmp_path / "out", *words)
        assert done.returncode == 2 and message in done.stderr, (words, done.stderr)
    (tmp_path / "a.intensity").write_bytes(b"")
    done = run_example(tmp_path, tmp_path / "out", "negate")
    assert done.returncode == 2 and "would both be written to" in done.stderr
