"""The README's Python examples run as written (with this build's module and
a scratch folder for /tmp)."""
import os
import re
import shlex
import subprocess
import sys

import lumagrove

from conftest import SOURCE

README = (SOURCE / "README.md").read_text()


def scratch(text, tmp_path):
    return text.replace("/tmp/", f"{tmp_path}/")


def test_the_shell_examples(tmp_path):
    commands = re.findall(r"^PYTHONPATH=build/python /usr/bin/python3 (.*)$", README, re.M)
    assert len(commands) >= 2
    for command in commands:
        words = [sys.executable, *shlex.split(scratch(command, tmp_path))]
        done = subprocess.run(words, cwd=SOURCE, capture_output=True, text=True, timeout=300, check=False)
        assert done.returncode == 0, (command, done.stderr)
    assert "[[255 255 255 255]" in subprocess.run(
        [sys.executable, "-c", re.search(r'^~/lumagrove-env/bin/python -c "(.*)"$', README, re.M).group(1)],
        capture_output=True, text=True, check=True, env=os.environ,
    ).stdout


def test_the_python_example(tmp_path, monkeypatch):
    code = re.search(r"```python\n(.*?)```", README, re.S).group(1)
    monkeypatch.chdir(SOURCE)
    exec(compile(scratch(code, tmp_path), "README.md", "exec"), {})
    assert lumagrove.read(tmp_path / "lines.png").shape == (128, 128)
    assert (tmp_path / "lines").read_bytes()[:4] in (b"II*\0", b"MM\0*")  # a TIFF, whatever the name
