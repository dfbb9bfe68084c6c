#!/usr/bin/python3
"""Validates run record files against xqtestdev.run-1.schema.json.

usage: validate-run-record.py FILE_OR_FOLDER...
A folder is searched for *.json below it. Prints each invalid file with its
first error and exits 1 when any is invalid or none was found.
"""
import json
import pathlib
import sys

import jsonschema

SCHEMA = pathlib.Path(__file__).with_name("xqtestdev.run-1.schema.json")


def record_files(arguments):
    for argument in arguments:
        path = pathlib.Path(argument)
        if path.is_dir():
            yield from sorted(path.rglob("*.json"))
        else:
            yield path


def main(arguments):
    validator = jsonschema.Draft202012Validator(json.loads(SCHEMA.read_text()))
    checked = 0
    invalid = 0
    for path in record_files(arguments):
        checked += 1
        try:
            errors = sorted(validator.iter_errors(json.loads(path.read_text(encoding="utf-8"))),
                            key=lambda e: list(e.path))
        except (OSError, ValueError) as error:
            errors = [error]
        if errors:
            invalid += 1
            first = errors[0]
            where = "/".join(str(p) for p in getattr(first, "path", []))
            print(f"{path}: {where}: {getattr(first, 'message', first)}")
    if checked == 0:
        print("no run record files found")
        return 1
    print(f"{checked} run record file(s) checked, {invalid} invalid")
    return 1 if invalid else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
