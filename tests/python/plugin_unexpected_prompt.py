"""Run by test_plugin.py: fails on purpose, an InfoBox nobody expected."""

import xqtestdev as xq


def test_an_unexpected_prompt_fails_the_test(station, operator):
    xq.XQUtility32().InfoBox("Is the unit seated in the fixture?", xq.vbYesNo)
