"""Every function against the command-line tool: the same names, options and
defaults as its --help lists, and the same bytes on the samples."""
import inspect
import keyword
import pickle
import re

import lumagrove
import pytest

from conftest import SAMPLES, option_text, run_cli

# A value other than the default for every option the table has, so that each
# keyword is shown to reach the setting its flag sets. A new option needs one.
OTHER_VALUES = {
    "threshold": 100,
    "sigma": 2.5,
    "window": 7,
    "direction": 90,
    "cutoff": (40, 30),
    "from": (10, 20),
    "to": (200, 150),
    "radius": 9,
}


def default_value(text):
    if "," in text:
        return tuple(int(part) for part in text.split(","))
    return float(text) if "." in text else int(text)


def cli_commands():
    """{command: (summary, {flag name: (default, help)})} as lumagrove-cli's help gives them."""
    text = run_cli("--help").stdout
    listing = text[text.index("Commands") : text.index("Options for every command")]
    commands = {}
    for command, summary in re.findall(r"^  (\S+) +(.*)$", listing, re.M):
        if command in ("xyz", "histogram"):  # they make no image
            continue
        own_help = run_cli(command, "--help").stdout
        options = re.findall(r"^  --(\S+) \S+ +(.*) \[([^\]]*)\]$", own_help, re.M)
        commands[command] = (summary, {flag: (default_value(value), help) for flag, help, value in options})
    return commands


def python_name(cli_name):
    name = cli_name.replace("-", "_")
    return name + "_" if keyword.iskeyword(name) else name


def test_each_command_is_a_function_with_the_cli_options_and_defaults():
    commands = cli_commands()
    assert sorted(lumagrove.COMMANDS) == sorted(commands)
    for command, (summary, options) in commands.items():
        function = lumagrove.COMMANDS[command]
        assert getattr(lumagrove, python_name(command)) is function
        assert function.__doc__.split("\n\n")[0] == summary
        image, *keywords = inspect.signature(function).parameters.values()
        assert image.name == "image" and image.kind is inspect.Parameter.POSITIONAL_ONLY
        assert all(keyword.kind is inspect.Parameter.KEYWORD_ONLY for keyword in keywords)
        expected = [(python_name(flag), default, type(default)) for flag, (default, _) in options.items()]
        actual = [(keyword.name, keyword.default, type(keyword.default)) for keyword in keywords]
        assert actual == expected, command
        for flag, (_, help) in options.items():
            assert f"    {python_name(flag)}: {help}" in function.__doc__.splitlines(), (command, flag)


def same_as_cli(tmp_path, command, sample, keywords):
    """Runs the command both ways; the outputs must be the same file."""
    flags = [word for flag, value in keywords.items() for word in ("--" + flag, option_text(value))]
    cli_out = tmp_path / "cli.pgm"
    done = run_cli(command, *flags, sample, cli_out)
    function = lumagrove.COMMANDS[command]
    arguments = {python_name(flag): value for flag, value in keywords.items()}
    if done.returncode != 0:
        with pytest.raises(ValueError) as refused:
            function(lumagrove.read(sample), **arguments)
        assert done.stderr.splitlines()[-1] == f"lumagrove-cli: Error: {refused.value}"
        return
    ours = tmp_path / "python.pgm"
    lumagrove.write(ours, function(lumagrove.read(sample), **arguments))
    assert ours.read_bytes() == cli_out.read_bytes()


@pytest.mark.parametrize("sample", SAMPLES, ids=lambda path: path.name)
@pytest.mark.parametrize("command", sorted(lumagrove.COMMANDS))
def test_defaults_give_the_cli_bytes_on_every_sample(tmp_path, command, sample):
    same_as_cli(tmp_path, command, sample, {})


OPTION_CASES = [(command, flag) for command, (_, options) in cli_commands().items() for flag in options]


@pytest.mark.parametrize("command,flag", OPTION_CASES, ids=[f"{c}--{f}" for c, f in OPTION_CASES])
def test_each_keyword_gives_the_cli_bytes_of_its_flag(tmp_path, command, flag):
    same_as_cli(tmp_path, command, SAMPLES[0], {flag: OTHER_VALUES[flag]})


def test_several_keywords_at_once_and_a_real_given_as_int(tmp_path):
    same_as_cli(tmp_path, "gaussian", SAMPLES[0], {"sigma": 2, "threshold": 90})
    same_as_cli(tmp_path, "equalize-area", SAMPLES[0], {"from": (200, 180), "to": (20, 30)})


def test_every_function_pickles_by_name_for_other_processes():
    functions = [*lumagrove.COMMANDS.values(), lumagrove.read, lumagrove.write, lumagrove.read_xyz]
    for function in functions:
        assert pickle.loads(pickle.dumps(function)) is function
