#!/usr/bin/env python3
"""Runs a chain of Lumagrove operations over a folder of pictures on a Dask cluster.

    python3 examples/dask_batch.py [--scheduler ADDRESS] [--workers N] [--match GLOB] [--format FORMAT]
                                   INPUT_FOLDER OUTPUT_FOLDER STEP [then STEP]...

A STEP is a lumagrove-cli command with its options, and the steps run one on
the result of the other, as the command line's "then" runs them:

    python3 examples/dask_batch.py photos results gaussian --sigma 2 then equalize then edges --threshold 40

Each file of INPUT_FOLDER that matches GLOB (every file by default) is read as
lumagrove-cli reads it and its result is written as OUTPUT_FOLDER/NAME.pgm
(.png or .tiff with --format png or tiff), NAME being the input's name without
its extension, as lumagrove-cli --out-dir names them; of two inputs whose
results would have the same name, the later fails, and so does an input whose
result would overwrite an input (an OUTPUT_FOLDER that is INPUT_FOLDER). Without --scheduler the
work is spread over a cluster of N worker processes on this machine (one per
core by default); with it, over the workers of a running cluster, which must
all see both folders under the same paths. A file that fails gets its message
and the batch goes on; the last line sums up. Exit status: 0 every file done,
1 some failed, 2 the command was wrong.
"""
import argparse
import inspect
import logging
import pathlib
import sys
import time

import lumagrove
from distributed import Client, LocalCluster, as_completed


class UsageError(Exception):
    pass


def parse_value(text, default, flag):
    """Reads an option's text the way its default is written: 150, 1.0 or 0,0."""
    try:
        if isinstance(default, tuple):
            x, y = text.split(",")
            return int(x), int(y)
        return type(default)(text)
    except ValueError:
        raise UsageError(f"'{text}' is not a valid value for {flag}") from None


def parse_step(words):
    """One command and its options, as (function name, keywords)."""
    command, rest = words[0], list(words[1:])
    function = lumagrove.COMMANDS.get(command)
    if function is None:
        raise UsageError(f"unknown command '{command}'")
    parameters = inspect.signature(function).parameters
    keywords = {}
    while rest:
        flag = rest.pop(0)
        flag, equals, value = flag.partition("=")
        name = flag[2:].replace("-", "_")
        name = name if name in parameters else name + "_"  # from -> from_
        if not flag.startswith("--") or name not in parameters or name == "image":
            raise UsageError(f"option {flag} does not apply to {command}")
        if not equals:
            if not rest:
                raise UsageError(f"option {flag} needs a value")
            value = rest.pop(0)
        keywords[name] = parse_value(value, parameters[name].default, flag)
    return function.__name__, keywords


def parse_chain(words):
    steps, current = [], []
    for word in [*words, "then"]:
        if word != "then":
            current.append(word)
            continue
        if not current:
            raise UsageError("a step is missing before or after 'then'")
        steps.append(parse_step(current))
        current = []
    return steps


def run_chain(source, target, steps, format):
    """Runs on a worker: read, every step, write. Returns the message of a
    failure, or None."""
    try:
        image = lumagrove.read(source)
        for name, keywords in steps:
            image = getattr(lumagrove, name)(image, **keywords)
        lumagrove.write(target, image, format=format)
        return None
    except (OSError, ValueError, MemoryError, RuntimeError) as error:
        return str(error)


def file_identity(path):
    """The device and inode of the file a path names, links followed, or None."""
    try:
        status = path.stat()
    except OSError:
        return None
    return status.st_dev, status.st_ino


def plan_outputs(inputs, out_folder, format):
    """Each input with its output, and the inputs that may not write theirs
    because it would overwrite an input, or the result of an earlier one."""
    jobs, clashes, writers = [], {}, {}
    input_files = {file_identity(source): source for source in inputs}
    input_files.pop(None, None)
    for source in inputs:
        target = out_folder / f"{source.stem}.{format}"
        overwritten = input_files.get(file_identity(target))
        if overwritten is not None:
            clashes[source] = f"its result {target} would overwrite the input {overwritten}"
        elif target in writers:
            clashes[source] = f"its result would overwrite {target}, the result of {writers[target]}"
        else:
            writers[target] = source
            jobs.append((source, target))
    return jobs, clashes


def open_client(arguments):
    if arguments.scheduler:
        return Client(arguments.scheduler)
    cluster = LocalCluster(
        n_workers=arguments.workers, threads_per_worker=1, dashboard_address=None, silence_logs=logging.ERROR
    )
    return Client(cluster)


def main(argv):
    parser = argparse.ArgumentParser(
        description="Runs a chain of Lumagrove operations over a folder of pictures on a Dask cluster."
    )
    parser.add_argument("--scheduler", metavar="ADDRESS", help="a running scheduler, e.g. tcp://host:8786")
    parser.add_argument("--workers", type=int, metavar="N", help="worker processes of the local cluster")
    parser.add_argument("--match", default="*", metavar="GLOB", help="which files of INPUT_FOLDER to take")
    parser.add_argument("--format", default="pgm", choices=lumagrove.WRITE_FORMATS, help="the results' format")
    parser.add_argument("input_folder", type=pathlib.Path)
    parser.add_argument("output_folder", type=pathlib.Path)
    parser.add_argument("chain", nargs=argparse.REMAINDER, help="STEP [then STEP]...")
    arguments = parser.parse_args(argv)
    try:
        steps = parse_chain(arguments.chain)
        if not arguments.input_folder.is_dir():
            raise UsageError(f"{arguments.input_folder} is not a folder")
        inputs = sorted(p for p in arguments.input_folder.glob(arguments.match) if p.is_file())
        if not inputs:
            raise UsageError(f"no file in {arguments.input_folder} matches {arguments.match}")
        arguments.output_folder.mkdir(parents=True, exist_ok=True)
        # Workers on other machines open the files by these names.
        inputs = [p.resolve() for p in inputs]
        jobs, clashes = plan_outputs(inputs, arguments.output_folder.resolve(), arguments.format)
    except (UsageError, OSError) as error:
        parser.error(str(error))

    start = time.monotonic()
    done, failed = 0, len(clashes)
    for source, message in clashes.items():
        print(f"{source.name}: {message}", file=sys.stderr)
    with open_client(arguments) as client:
        futures = [
            client.submit(run_chain, str(source), str(target), steps, arguments.format, pure=False)
            for source, target in jobs
        ]
        sources = {future.key: source for future, (source, _) in zip(futures, jobs)}
        for future in as_completed(futures):
            message = future.result()
            if message is None:
                done += 1
            else:
                failed += 1
                print(f"{sources[future.key].name}: {message}", file=sys.stderr)
            if sys.stderr.isatty():
                print(f"\r{done + failed}/{len(inputs)} files", end="", file=sys.stderr, flush=True)
    if sys.stderr.isatty():
        print(file=sys.stderr)
    print(f"{done} done, {failed} failed in {time.monotonic() - start:.1f} s")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
