#!/usr/bin/env python3
"""Builds the embedded language resources from their UTF-8 sources.

tools/lang/langN.txt (UTF-8, one entry per line) becomes resources/lang/LANGN:
UTF-16LE with a byte-order mark and CR LF line ends, the form the program
reads. With --check nothing is written; the exit code tells whether the
committed resources are up to date.
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
OUT = HERE.parent.parent / "resources" / "lang"


def encode(source: pathlib.Path) -> bytes:
    lines = source.read_text(encoding="utf-8").splitlines()
    text = "".join(line + "\r\n" for line in lines)
    return b"\xff\xfe" + text.encode("utf-16-le")


def main() -> int:
    check = "--check" in sys.argv[1:]
    stale = []
    for number in (1, 2, 3):
        wanted = encode(HERE / f"lang{number}.txt")
        target = OUT / f"LANG{number}"
        if target.exists() and target.read_bytes() == wanted:
            continue
        stale.append(target.name)
        if not check:
            target.write_bytes(wanted)
    if check and stale:
        print("out of date:", ", ".join(stale), "(run tools/lang/make_lang.py)")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
