"""pytest plugin for station programs written with xqtestdev.

Tests a station program on a desk or in CI with no instruments and no
operator. Enable it with ``-p xqtestdev.testing`` (or ``pytest_plugins =
["xqtestdev.testing"]`` in a conftest.py); installed with the library it is a
``pytest11`` entry point. Settings in pytest.ini / pyproject's [tool.pytest]:

    xq_station_template   the station folder the ``station`` fixture copies
    xq_admin_password     the admin password the station is given
    xq_test_timeout       seconds before a hanging test fails with every
                          thread's stack (default 60)

Fixtures: ``station`` (a temporary station folder), ``bench`` (the simulated
GPIB bus and ``xq-sim-lan`` serving the station's bench.gpib; the server is
found as XQ_SIM_LAN or on PATH, and ended at teardown), ``operator`` (answers message
boxes and InfoBoxes from a script and fails the test on any it did not
expect), ``records`` (the run records written during the test; a run that
ended with untested lines fails the test unless ``records.allow_untested()``).
"""

from __future__ import annotations

import faulthandler
import json
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
from typing import Any, Iterator

import pytest

# The library reads WinDir once, when its first object is made.
os.environ.setdefault("WinDir", tempfile.mkdtemp(prefix="xq-pytest-"))
if not os.environ.get("DISPLAY") and not os.environ.get("WAYLAND_DISPLAY"):
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

import xqtestdev as xq  # noqa: E402


def pytest_addoption(parser: pytest.Parser) -> None:
    parser.addini("xq_station_template", "the station folder the station fixture copies",
                  default="")
    parser.addini("xq_admin_password", "the admin password of the test station",
                  default="")
    parser.addini("xq_test_timeout", "seconds before a hanging test fails", default="60")


_stack_output = None


def pytest_configure(config: pytest.Config) -> None:
    global _stack_output
    _stack_output = open(os.dup(sys.stderr.fileno()), "w")


@pytest.fixture(autouse=True)
def _xq_hang_guard(request: pytest.FixtureRequest) -> Iterator[None]:
    """A test that hangs ends the run with the stack of every thread."""
    seconds = float(request.config.getini("xq_test_timeout"))
    faulthandler.dump_traceback_later(seconds, exit=True, file=_stack_output)
    yield
    faulthandler.cancel_dump_traceback_later()


@pytest.fixture(scope="session")
def xq_app() -> Any:
    return xq.Application(["pytest"])


class Operator:
    """Answers the library's windows from a script. Each expectation is a
    text the window's message contains and the answer; a window that matches
    none fails the test at its end (it was answered as nobody would)."""

    def __init__(self, admin_password: str) -> None:
        self.admin_password = admin_password
        self.expected: list[tuple[str, int, str]] = []
        self.seen: list[str] = []
        self.unexpected: list[str] = []

    def expect(self, text: str, button: int = 1, typed: str = "") -> None:
        """The next window whose text contains `text` is answered `button`
        (and `typed` for an input box)."""
        self.expected.append((text, button, typed))

    def _take(self, text: str) -> tuple[int, str] | None:
        self.seen.append(text)
        for index, (part, button, typed) in enumerate(self.expected):
            if part in text:
                del self.expected[index]
                return button, typed
        return None

    def message(self, text: str, title: str, buttons: Any, icon: Any) -> int:
        answer = self._take(text)
        if answer is not None:
            return answer[0]
        self.unexpected.append(f"message box: {text}")
        return int(xq.ResultNo if buttons == xq.MessageButtons.YesNo else xq.ResultCancel)

    def prompt(self, text: str, title: str, buttons: Any, asks_input: bool,
               password_char: str) -> tuple[int, str]:
        if asks_input and password_char and self.admin_password:
            self.seen.append(text)
            return int(xq.ResultOK), self.admin_password
        answer = self._take(text)
        if answer is not None:
            return answer
        self.unexpected.append(f"InfoBox: {text}")
        return int(xq.ResultCancel), ""


@pytest.fixture
def operator(request: pytest.FixtureRequest, xq_app: Any) -> Iterator[Operator]:
    who = Operator(request.config.getini("xq_admin_password"))
    xq.set_message_handler(who.message)
    xq.set_prompt_handler(who.prompt)
    yield who
    xq.set_message_handler(None)
    xq.set_prompt_handler(None)
    if who.unexpected:
        pytest.fail("unexpected windows:\n  " + "\n  ".join(who.unexpected), pytrace=False)


@pytest.fixture
def station(request: pytest.FixtureRequest, operator: Operator,
            tmp_path: pathlib.Path) -> pathlib.Path:
    """A copy of the template station folder, set as INIPath and AppPath."""
    template = request.config.getini("xq_station_template")
    if not template:
        pytest.fail("xq_station_template names no station folder", pytrace=False)
    source = pathlib.Path(request.config.rootpath, template)
    folder = tmp_path / "station"
    shutil.copytree(source, folder)
    utility = xq.XQUtility32()
    utility.INIPath = str(folder)
    utility.AppPath = str(folder)
    if operator.admin_password:
        utility.AdminPassword = operator.admin_password
    return folder


@pytest.fixture
def bench(station: pathlib.Path) -> Iterator[pathlib.Path]:
    """The simulated GPIB bus (XQ_GPIB_SIM_LIBRARY) and, where xq-sim-lan is
    at hand, its LAN instruments on loopback, both serving the station's
    bench.gpib."""
    library = os.environ.get("XQ_GPIB_SIM_LIBRARY", "")
    bus = station / "bench.gpib"
    if not pathlib.Path(library).is_file() or not bus.is_file():
        pytest.skip("no simulated bus (XQ_GPIB_SIM_LIBRARY) or no bench.gpib")
    saved = {key: os.environ.get(key) for key in ("XQ_GPIB_LIBRARY", "XQ_GPIB_SIM_BUS")}
    os.environ["XQ_GPIB_LIBRARY"] = library
    os.environ["XQ_GPIB_SIM_BUS"] = str(bus)
    lan = _start_lan_instruments(bus)
    try:
        yield bus
    finally:
        if lan is not None:
            lan.terminate()
            try:
                lan.wait(timeout=5)
            except subprocess.TimeoutExpired:
                lan.kill()
                lan.wait()
        for key, value in saved.items():
            if value is None:
                os.environ.pop(key, None)
            else:
                os.environ[key] = value


def _start_lan_instruments(bus: pathlib.Path) -> subprocess.Popen[bytes] | None:
    """xq-sim-lan serving the bench's [lan ...] instruments, once it says it is
    ready; None where the program is not at hand."""
    program = os.environ.get("XQ_SIM_LAN") or shutil.which("xq-sim-lan")
    if not program or not pathlib.Path(program).is_file():
        return None
    # Unbuffered, so that a line read never hides the next one from select().
    server = subprocess.Popen([program, str(bus)], stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, bufsize=0)
    assert server.stdout is not None
    said = []
    # One line per instrument it serves, then "ready".
    while not said or not said[-1].startswith(b"ready"):
        ready, _, _ = select.select([server.stdout], [], [], 10)
        line = server.stdout.readline() if ready else b""
        if not line:
            server.kill()
            _, errors = server.communicate()
            pytest.fail(f"xq-sim-lan did not start: {said!r} {errors.decode(errors='replace')}")
        said.append(line)
    return server


class Records:
    """The run records written since the fixture was made."""

    def __init__(self, results: pathlib.Path) -> None:
        self.results = results
        self.before = self._files()
        self.untested_allowed = False

    def _files(self) -> set[pathlib.Path]:
        return {path for path in self.results.rglob("*.json") if "runs" in path.parts}

    def runs(self) -> list[dict[str, Any]]:
        new = sorted(self._files() - self.before)
        return [json.loads(path.read_text()) for path in new]

    def allow_untested(self) -> None:
        self.untested_allowed = True


@pytest.fixture
def records(station: pathlib.Path) -> Iterator[Records]:
    kept = Records(pathlib.Path(os.environ["WinDir"]))
    yield kept
    if kept.untested_allowed:
        return
    partial = [run.get("serialNumber") for run in kept.runs() if run.get("untested")]
    if partial:
        pytest.fail(f"runs ended with untested lines: {partial}", pytrace=False)
