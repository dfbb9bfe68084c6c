"""The pytest plugin xqtestdev.testing on the demo station's tests, and a
test that must fail: an InfoBox the test did not expect."""

import os
import pathlib
import subprocess
import sys

from conftest import ADMIN_PASSWORD, SAMPLE_STATION, SOURCE_DIR

HERE = pathlib.Path(__file__).resolve().parent


def run_pytest(test_file):
    environment = {key: value for key, value in os.environ.items()
                   if key not in ("XQ_HEADLESS_WINDOWS", "PYTEST_CURRENT_TEST")}
    return subprocess.run(
        [sys.executable, "-m", "pytest", "-q", "-p", "no:cacheprovider", "--noconftest",
         "-p", "xqtestdev.testing",
         "-o", f"xq_station_template={SAMPLE_STATION}", "-o", f"xq_admin_password={ADMIN_PASSWORD}",
         "--rootdir", str(SOURCE_DIR), str(test_file)],
        capture_output=True, text=True, timeout=150, env=environment, cwd=HERE)


def test_the_demo_station_passes_its_tests():
    result = run_pytest(SOURCE_DIR / "examples" / "python" / "test_demo_station.py")
    assert result.returncode == 0, result.stdout + result.stderr
    assert "3 passed" in result.stdout


def test_an_unexpected_prompt_fails_the_test():
    result = run_pytest(HERE / "plugin_unexpected_prompt.py")
    assert result.returncode == 1, result.stdout + result.stderr
    assert "unexpected windows:" in result.stdout
    assert "InfoBox: Is the unit seated in the fixture?" in result.stdout
