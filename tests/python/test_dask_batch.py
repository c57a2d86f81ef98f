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


def test_a_folder_on_two_local_workers_gives_what_the_cli_batch_gives(tmp_path):
    pictures, results, expected = tmp_path / "pictures", tmp_path / "results", tmp_path / "expected"
    pictures.mkdir()
    rng = numpy.random.default_rng(3)
    for index in range(20):
        shape = (30 + 3 * index, 70 - 2 * index)
        name = f"picture{index:02}.{'png' if index % 2 else 'pgm'}"
        lumagrove.write(pictures / name, rng.integers(0, 256, size=shape, dtype=numpy.uint8))
    (pictures / "broken.pgm").write_bytes(b"P5\nnot a size\n")
    lumagrove.write(pictures / "picture00.tiff", numpy.zeros((5, 5), numpy.uint8))  # its result's name is taken

    done = run_example("--workers", 2, "--format", "png", pictures, results, *chain_words())
    inputs = sorted(pictures.iterdir())
    cli = run_cli(*chain_words(), "--format", "png", "--out-dir", expected, *inputs)

    assert done.returncode == 1 and cli.returncode == 1, done.stderr
    assert done.stdout.startswith("20 done, 2 failed in ")
    failures = sorted(line.split(":")[0] for line in done.stderr.splitlines())
    assert failures == ["broken.pgm", "picture00.tiff"]
    assert f"File: {pictures / 'broken.pgm'} has no valid image size." in done.stderr
    assert sorted(p.name for p in results.iterdir()) == sorted(p.name for p in expected.iterdir())
    assert len(list(results.iterdir())) == 20
    for result in results.iterdir():
        assert result.read_bytes() == (expected / result.name).read_bytes(), result.name


def test_results_never_overwrite_inputs(tmp_path):
    sys.path.insert(0, str(EXAMPLE.parent))
    import dask_batch

    lumagrove.write(tmp_path / "x.png", numpy.zeros((2, 2), numpy.uint8))
    lumagrove.write(tmp_path / "x.pgm", numpy.ones((2, 2), numpy.uint8))
    inputs = sorted(tmp_path.iterdir())
    jobs, clashes = dask_batch.plan_outputs(inputs, tmp_path, "pgm")
    assert jobs == [] and set(clashes) == set(inputs)
    assert clashes[tmp_path / "x.png"] == f"its result {tmp_path / 'x.pgm'} would overwrite the input {tmp_path / 'x.pgm'}"


def test_wrong_chains_are_usage_errors(tmp_path):
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
    done = run_example("--format", "jpeg", tmp_path, tmp_path / "out", "negate")
    assert done.returncode == 2 and "invalid choice: 'jpeg'" in done.stderr
