#!/usr/bin/env python3
"""SendData over a 498-line product from Python beside the same work from
C++ (bench_run's BM_SendData498: the same lines, limits and values, run right
after on the same machine), and a property read from Python beside a plain
Python attribute read. Reports; never fails on a timing.

    PYTHONPATH=build/python python3 bench/python/senddata_python_vs_cpp.py build/bench/bench_run
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time

LINES = 498
ROUNDS = 5
SOURCE = pathlib.Path(__file__).resolve().parents[2]

folder = pathlib.Path(tempfile.mkdtemp(prefix="xq-py-bench-"))
os.environ["WinDir"] = str(folder)
os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
sys.path.insert(0, str(SOURCE / "tests" / "python"))

import xqtestdev as xq  # noqa: E402
from operator_at_station import enter_unit  # noqa: E402


def station_with_498_lines():
    """The sample station whose product has bench_run's 498 lines."""
    station = folder / "station"
    shutil.copytree(SOURCE / "examples" / "station", station)
    products = (station / "PRODUCTS.INI").read_text(encoding="latin-1")
    head, _, rest = products.partition("[PSU5V-100 Spec]")
    tail = rest[rest.index("\n["):]
    lines = "".join(f"{n}=F{n},4.75,5.25,5.00,V,Group {(n - 1) // 10},Parameter {n},\r\n"
                    for n in range(1, LINES + 1))
    spec = f"[PSU5V-100 Spec]\r\n{lines}{LINES + 1}=<EOT>,,,,,,,\r\n"
    (station / "PRODUCTS.INI").write_text(head + spec + tail, encoding="latin-1")
    return station


def best_of(rounds, work):
    best = float("inf")
    for _ in range(rounds):
        start = time.perf_counter()
        work()
        best = min(best, time.perf_counter() - start)
    return best


def main():
    bench_run = sys.argv[1] if len(sys.argv) > 1 else "build/bench/bench_run"
    app = xq.Application(["bench"])
    xq.set_message_handler(lambda text, title, buttons, icon: xq.ResultOK)
    station = station_with_498_lines()
    utility = xq.XQUtility32()
    utility.INIPath = str(station)
    utility.AppPath = str(station)
    menu = xq.XQMenu32()
    if not enter_unit(menu, serial="SN-BENCH"):
        sys.exit("the user entry was not accepted")
    menu.EnableTestPrompt = False
    menu.ShowMenu()

    def send_all():
        for n in range(1, LINES + 1):
            menu.SendData(f"Group {(n - 1) // 10}", f"Parameter {n}", 5.0 if n % 50 else 5.3)

    python_send = best_of(ROUNDS, send_all)
    reads = 100_000
    python_property = best_of(ROUNDS, lambda: [menu.SerialNumber for _ in range(reads)]) / reads

    class Plain:
        SerialNumber = "SN-BENCH"

    plain = Plain()
    plain_attribute = best_of(ROUNDS, lambda: [plain.SerialNumber for _ in range(reads)]) / reads

    output = subprocess.run(
        [bench_run, "--benchmark_filter=^BM_SendData498$", "--benchmark_min_time=0.5"],
        capture_output=True, text=True, env=dict(os.environ, WinDir=tempfile.mkdtemp())).stdout
    found = re.search(r"BM_SendData498\s+([\d.]+) ms", re.sub(r"\x1b\[[0-9;]*m", "", output))
    cpp_send = float(found.group(1)) / 1000 if found else float("nan")

    print(f"SendData x {LINES} from Python: {python_send * 1000:8.1f} ms (best of {ROUNDS})")
    print(f"SendData x {LINES} from C++:    {cpp_send * 1000:8.1f} ms (bench_run)")
    print(f"ratio Python / C++ = {python_send / cpp_send:.2f} (goal <= 1.20)")
    print(f"property read from Python: {python_property * 1e9:.0f} ns "
          f"(a plain Python attribute: {plain_attribute * 1e9:.0f} ns)")
    xq.set_message_handler(None)
    app.quit()


if __name__ == "__main__":
    main()
