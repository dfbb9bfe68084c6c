"""Tidies the stub stubgen makes of the module: an enum.IntEnum made at run
time comes out with every inherited member of int; it is written back as
its members only, as a hand-written stub would declare it.

    python3 tidy_stubs.py <path of xqtestdev.pyi>   (with the module importable)
"""

import enum
import sys

import xqtestdev


def enum_stub(name: str, cls: type) -> list[str]:
    lines = [f"class {name}(enum.IntEnum):"]
    for member in cls:  # type: ignore[attr-defined]
        lines.append(f"    {member.name} = {int(member)}")
    return lines


# What stubgen cannot read from the docstrings: keyword-only arguments,
# static members, the contents of a returned list or tuple.
REPLACED = {
    "    def processEvents(self, *args, **kwargs) -> Any: ...":
        "    @staticmethod\n    def processEvents(milliseconds: int = ...) -> None: ...",
    "    def quit(self, *args, **kwargs) -> Any: ...":
        "    @staticmethod\n    def quit() -> None: ...",
    "    def EnterUser(self, *args, **kwargs) -> Any: ...":
        "    def EnterUser(self, *, operator: str, serial_number: str, product: str = ..., "
        "model: str = ..., revision: str = ..., test_id: str = ..., work_order: str = ..., "
        "remarks: List[str] = ...) -> bool: ...",
    "    def TestLines(self, product: str) -> list: ...":
        "    def TestLines(self, product: str) -> List[dict[str, str]]: ...",
}
# The signal object is only ever handed out by the library.
DROPPED = ("    def __init__(self, *args, **kwargs) -> None: ...",)


def tidy(line: str) -> str | None:
    if line in DROPPED or line.startswith("def _"):
        return None
    line = REPLACED.get(line, line)
    if line.startswith("    def InfoBox("):
        line = line.replace(") -> tuple:", ") -> tuple[int, str]:")
    return line


def main(path: str) -> None:
    enums = {name: value for name, value in vars(xqtestdev).items()
             if isinstance(value, type) and issubclass(value, enum.IntEnum)}
    out: list[str] = []
    skipping = False
    for line in open(path).read().splitlines():
        if skipping:
            if not line or line.startswith((" ", "\t")):
                continue
            skipping = False
        name = line[len("class "):].split("(")[0] if line.startswith("class ") else ""
        if name in enums:
            out.extend(enum_stub(name, enums[name]))
            out.append("")
            skipping = True
            continue
        kept = tidy(line)
        if kept is not None:
            out.append(kept)
    with open(path, "w") as stub:
        stub.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(sys.argv[1])
