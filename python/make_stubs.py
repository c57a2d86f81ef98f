"""Writes lumagrove.pyi from the built module's own signatures and docstrings.

Every function of the module states its signature in the form inspect reads,
so the stubs follow the operation table without a list of their own: types
come from the parameter names and from the defaults' types.
"""
import inspect
import sys

import lumagrove

PARAMETER_TYPES = {"image": "NDArray[numpy.uint8]", "path": "_Path", "n": "int"}
RETURN_TYPES = {
    "write": "None",
    "read_xyz": "NDArray[numpy.float32]",
    "histogram": "NDArray[numpy.int64]",
    "set_num_threads": "None",
    "get_num_threads": "int",
}
DEFAULT_TYPES = {int: "int", float: "float", tuple: "tuple[int, int]", type(None): "str | None"}

HEADER = '''\
# Written from the built module by python/make_stubs.py; rebuilt with it.
import os
from typing import Callable, Mapping

import numpy
from numpy.typing import NDArray

_Path = str | bytes | os.PathLike[str] | os.PathLike[bytes]

__version__: str
WRITE_FORMATS: tuple[str, ...]
COMMANDS: Mapping[str, Callable[..., NDArray[numpy.uint8]]]
'''


class Annotation:
    """A type written out as text, shown as it is by inspect.Signature."""

    def __init__(self, text):
        self.text = text

    def __repr__(self):
        return self.text


def annotated(parameter):
    if parameter.default is inspect.Parameter.empty:
        text = PARAMETER_TYPES[parameter.name]
    else:
        text = DEFAULT_TYPES[type(parameter.default)]
    return parameter.replace(annotation=Annotation(text))


def stub(name, function):
    signature = inspect.signature(function)
    signature = signature.replace(
        parameters=[annotated(parameter) for parameter in signature.parameters.values()],
        return_annotation=Annotation(RETURN_TYPES.get(name, "NDArray[numpy.uint8]")),
    )
    doc = inspect.getdoc(function).replace('"""', r'\"\"\"').replace("\n", "\n    ")
    return f'def {name}{signature}:\n    """{doc}"""\n'


def main(path):
    functions = [(name, value) for name, value in vars(lumagrove).items() if inspect.isfunction(value)]
    with open(path, "w", encoding="utf-8") as out:
        out.write(HEADER)
        for name, function in sorted(functions):
            out.write("\n" + stub(name, function))


if __name__ == "__main__":
    main(sys.argv[1])
