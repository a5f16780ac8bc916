#!/usr/bin/python3
"""The disc check's JSON reports meet the schema the README documents (the block after
<!-- check-schema -->): those of the sample discs and of a disc whose names JSON must
escape; and the schema refuses a report that strays from it.

    report_schema.py DISCMENU README.md SAMPLES-FOLDER    (Debian's python3, its jsonschema)
"""
import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile

try:
    import jsonschema
except ImportError:
    print("skipped: no jsonschema for /usr/bin/python3 (Debian's python3-jsonschema)")
    sys.exit(77)

program, readme, samples = sys.argv[1:4]
block = re.search(r"<!-- check-schema -->\s*```json\n(.*?)```", pathlib.Path(readme).read_text(), re.S)
validator = jsonschema.Draft202012Validator(json.loads(block.group(1)))


def report(disc):
    done = subprocess.run([program, "--check", str(disc), "--json"], capture_output=True)
    return done.stdout.decode("utf-8"), done.returncode  # strict: the report is UTF-8


failures = []
with tempfile.TemporaryDirectory() as odd:
    disc = pathlib.Path(odd)
    (disc / "autorun").mkdir()
    (disc / "autorun" / "version").write_bytes(b"7.16\r\n")
    (disc / 'A"17.job').write_bytes(b"7.16\r\nline\ttab\r\n")
    (disc / os.fsdecode(b"bad\xff name.ini")).write_bytes(b"x")
    for d in [pathlib.Path(samples) / n for n in ("service-disc", "software-job-disc", "generic-disc")] + [disc]:
        text, status = report(d)
        doc = json.loads(text)
        failures += ["%s: %s" % (d.name, e.message) for e in validator.iter_errors(doc)]
        if doc["status"] != status:
            failures.append("%s: status %s, exit %s" % (d.name, doc["status"], status))
        if d == disc and (doc["state"]["JobName"], doc["state"]["JobDate"]) != ('A"17', "line\ttab"):
            failures.append("the odd names came out as %r" % doc["state"])

# A checker that accepted everything would prove nothing.
text, _ = report(pathlib.Path(samples) / "generic-disc")
for old, new in [('"status": 0', '"status": 5'), ('"kind": "generic"', '"kind": "other"'),
                 ('"jobs": []', '"jobs": [1]'), ('"summary":', '"extra": 1, "summary":'),
                 ('"browser": null', '"browser": {}')]:
    if old not in text or validator.is_valid(json.loads(text.replace(old, new, 1))):
        failures.append("the schema takes %s" % new)

for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
