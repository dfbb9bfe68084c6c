"""Shared set-up of the Python tests: one Qt application and one results
folder per process (the library fixes its results folder at start-up), a
station folder per test, and the message seam answering from a queue."""

import faulthandler
import gc
import os
import pathlib
import shutil
import sys
import tempfile

import pytest

# The library reads WinDir once, when its first object is made.
os.environ.setdefault("WinDir", tempfile.mkdtemp(prefix="xq-py-windir-"))
os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
# These tests press the real buttons of the library's windows offscreen;
# test_unattended.py runs its scripts without this.
os.environ.setdefault("XQ_HEADLESS_WINDOWS", "driven")

import xqtestdev as xq  # noqa: E402

SOURCE_DIR = pathlib.Path(__file__).resolve().parents[2]
SAMPLE_STATION = SOURCE_DIR / "examples" / "station"
ADMIN_PASSWORD = "bench-admin"


# A window nobody drives waits for ever: each test gets this long (seconds,
# XQ_TEST_WATCHDOG_SECONDS), then the stacks of all threads go to stderr and
# the process ends with a failure, well before ctest's own time-out.
TEST_WATCHDOG_SECONDS = float(os.environ.get("XQ_TEST_WATCHDOG_SECONDS", 60))
_watchdog_output = None


def pytest_configure(config):
    # The stacks must reach the real stderr, not the test's captured one,
    # which goes with the process. Output capture is paused at this point.
    global _watchdog_output
    _watchdog_output = open(os.dup(sys.stderr.fileno()), "w")


@pytest.fixture(autouse=True)
def watchdog():
    faulthandler.dump_traceback_later(TEST_WATCHDOG_SECONDS, exit=True, file=_watchdog_output)
    yield
    faulthandler.cancel_dump_traceback_later()


@pytest.fixture(scope="session")
def app():
    return xq.Application(["xqtestdev-tests"])


@pytest.fixture
def results_dir():
    return pathlib.Path(os.environ["WinDir"])


class RecordingMessages:
    """Keeps every message the library shows; answers from `answers`, then OK
    (Yes for a question)."""

    def __init__(self):
        self.messages = []
        self.answers = []

    def __call__(self, text, title, buttons, icon):
        self.messages.append((text, title, buttons, icon))
        if self.answers:
            return self.answers.pop(0)
        return xq.ResultYes if buttons == xq.MessageButtons.YesNo else xq.ResultOK

    @property
    def texts(self):
        return [text for text, *_ in self.messages]


@pytest.fixture
def messages(app):
    recorder = RecordingMessages()
    xq.set_message_handler(recorder)
    yield recorder
    xq.set_message_handler(None)


@pytest.fixture
def station(app, messages, tmp_path):
    """A copy of the sample station folder, set as INIPath and AppPath, with
    the admin password set."""
    folder = tmp_path / "station"
    shutil.copytree(SAMPLE_STATION, folder)
    utility = xq.XQUtility32()
    utility.INIPath = str(folder)
    utility.AppPath = str(folder)
    utility.AdminPassword = ADMIN_PASSWORD
    yield folder
    # A menu held in a cycle (a handler that refers to its own menu) would
    # keep its header on screen into the next test, where a test presses the
    # first header it finds.
    gc.collect()
