#!/usr/bin/env python3
"""Fails when a folder of src/ includes a header of a folder it must not use.

Dependencies point one way: text is at the bottom; records and settings
(document/plot_records.h, format_settings.h, read_target.h) are used by the
readers and the standard reading; intake (what the user opens) sits beside
loading, which uses it to join readers, the standard reading and the document;
geometry stands on the standard model, analysis on geometry and intake; view,
dialogs, app and cli sit above; only qt sees all. platform/ interfaces may be used from anywhere
above text. A folder not listed here (one yet to come) is not checked.
"""

import re
import sys
from pathlib import Path

# For each folder, the folders whose headers it may include (besides its own).
ALLOWED = {
    "text": set(),
    "platform": {"text"},
    "document": {"text", "platform"},
    "readers": {"text", "document"},
    "standard": {"text", "document", "readers"},
    "intake": {"text", "platform", "document", "readers", "standard"},
    "loading": {"text", "platform", "document", "readers", "standard", "intake"},
    "geometry": {"text", "document", "standard"},
    "analysis": {"text", "document", "standard", "intake", "geometry"},
    "view": {"text", "platform", "document", "readers", "loading", "standard", "intake",
             "geometry", "analysis"},
    "dialogs": {"text", "platform", "document", "readers", "loading", "standard", "intake",
                "geometry", "analysis", "view"},
    "cli": {"text", "platform", "document", "readers", "loading", "standard", "intake",
            "geometry", "analysis", "view"},
    "app": {"text", "platform", "document", "readers", "loading", "standard", "intake",
            "geometry", "analysis", "view", "dialogs", "cli"},
}
# Of document/, the readers may use only the records, the settings and the target.
READER_DOCUMENT_HEADERS = {"plot_records.h", "format_settings.h", "read_target.h",
                           "item_buffer.h", "layer_function.h"}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([^"]+)"', re.M)


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else ".") / "src"
    problems = []
    checked = 0
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in ALLOWED:
            continue
        for used, header in INCLUDE.findall(path.read_text(errors="replace")):
            checked += 1
            if used == folder:
                continue
            if used not in ALLOWED[folder]:
                problems.append("%s includes %s/%s" % (path.relative_to(src), used, header))
            elif folder in ("readers", "standard") and used == "document" \
                    and header not in READER_DOCUMENT_HEADERS:
                problems.append("%s includes document/%s" % (path.relative_to(src), header))
    for problem in problems:
        print(problem)
    print("%d includes checked, %d against the layering" % (checked, len(problems)))
    return 1 if problems or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
