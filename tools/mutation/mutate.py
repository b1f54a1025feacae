#!/usr/bin/env python3
"""Mutation runs: how many small faults in the code the suite catches.

A fixed-seed sample of one-token faults (a comparison or logic operator
flipped, true/false swapped, a constant off by one, a negation or a call
statement dropped) is drawn from the sources of one commit, BASE. Each fault
finds its line in the tree under test by the line's text, so the same set
runs on an older and a newer tree and the two results compare line by line.

    tools/mutation/mutate.py list LAYER
    tools/mutation/mutate.py run LAYER TREE OUT [--after BEFORE] [ID...]
    tools/mutation/mutate.py compare LAYER BEFORE AFTER

LAYER is core (the portable code, caught by the native tests and then the
fuzz targets) or win32 (the adapters, caught by the Windows suite under Wine).
TREE needs the presets built once. OUT gets one JSON line a fault; a fault
already in OUT is skipped, so a run can be resumed. Hand anchors, for lines
whose text changed in the newer tree, live in hand_anchors.json.
"""
import json
import os
import random
import re
import signal
import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parents[1]
BASE = "5534837"  # the last commit before the suite was cut
SEED = 16
LAYERS = {  # prefix, how many, which sources
    "core": ("c", 150, lambda p: p.startswith("src/") and not p.startswith("src/platform/")),
    "win32": ("w", 40, lambda p: p.startswith("src/platform/win32/")),
}

SWAPS = [(" == ", " != "), (" != ", " == "), (" < ", " <= "), (" <= ", " < "), (" > ", " >= "),
         (" >= ", " > "), (" && ", " || "), (" || ", " && ")]
WORDS = [("true", "false"), ("false", "true")]
CALL = re.compile(r"^\s*(?!return\b|if\b|for\b|while\b|switch\b|case\b|delete\b)[\w:.>\-\[\]]+(<[^;]*>)?\(.*\);\s*$")


def masked(line):
    """The line with string and character literals and any // comment blanked."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def candidates(line):
    text = line.strip()
    if not text or text.startswith(("#", "//", "*", "/*")) or "static_assert" in text:
        return
    m = masked(line)
    for old, new in SWAPS:
        for at in (k.start() for k in re.finditer(re.escape(old), m)):
            yield "swap", line[:at] + new + line[at + len(old):]
    for old, new in WORDS:
        for k in re.finditer(rf"\b{old}\b", m):
            yield "bool", line[: k.start()] + new + line[k.end():]
    for k in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", m):
        n = int(k.group(1))
        yield "const", line[: k.start()] + str(n + 1 if n == 0 else n - 1) + line[k.end():]
    for k in re.finditer(r"(?<=[(\s])!(?!=)", m):
        yield "not", line[: k.start()] + line[k.end():]
    if CALL.match(m) and "=" not in m.split("(")[0]:
        yield "drop", line[: len(line) - len(line.lstrip())] + "(void)0;"


def mutants(layer):
    prefix, count, wanted = LAYERS[layer]
    files = subprocess.run(["git", "ls-tree", "-r", "--name-only", BASE, "src/"], cwd=ROOT, check=True,
                           capture_output=True, text=True).stdout.split()
    pool = []
    for path in sorted(p for p in files if p.endswith(".cpp") and wanted(p)):
        source = subprocess.run(["git", "show", f"{BASE}:{path}"], cwd=ROOT, check=True, capture_output=True,
                                text=True).stdout.splitlines()
        for number, line in enumerate(source, 1):
            for op, changed in candidates(line):
                if op == "const" and "/layout_" in path:
                    continue  # a twip more or less rounds to the same pixel
                pool.append({"file": path, "line": number, "op": op, "from": line.strip(), "to": changed.strip(),
                             "around": context(source, number - 1)})
    chosen = sorted(random.Random(SEED).sample(range(len(pool)), count))
    return [dict(pool[i], id=f"{prefix}{n:03d}") for n, i in enumerate(chosen)]


def context(lines, i):
    """The two lines before and the two after, stripped: which of several
    equal lines a fault stood on."""
    return [lines[k].strip() if 0 <= k < len(lines) else "" for k in (i - 2, i - 1, i + 1, i + 2)]


def anchor(tree, m, hand):
    """(path, line index, mutated text) in TREE, or None where the line is
    gone. The line is looked for in the same file, else in a moved file of
    the same name; of several equal lines, the one whose neighbours match
    best, then the nearest, is taken."""
    if m["id"] in hand:
        h = hand[m["id"]]
        m = dict(m, file=h["file"], around=[], **{"from": h["from"], "to": h["to"]})
    tracked = subprocess.run(["git", "ls-files", "src"], cwd=tree, capture_output=True, text=True).stdout.split()
    same_name = [p for p in tracked if Path(p).name == Path(m["file"]).name and p != m["file"]]
    for paths in ([m["file"]], same_name):
        hits = []
        for path in paths:
            full = Path(tree) / path
            if not full.is_file():
                continue
            lines = full.read_text().splitlines()
            for i, line in enumerate(lines):
                if line.strip() == m["from"]:
                    score = sum(a == b for a, b in zip(context(lines, i), m.get("around", [])))
                    hits.append((-score, abs(i + 1 - m["line"]), path, i))
        if hits:
            _, _, path, i = min(hits)
            return path, i, m["to"]
    return None


RUNNING = []  # the command under way, ended with its whole process group


def sh(command, tree, timeout=3600):
    """(exit code, output); 124 when the command ran past `timeout`."""
    p = subprocess.Popen(["bash", "-c", command], cwd=tree, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                         text=True, start_new_session=True)
    RUNNING[:] = [p]
    try:
        out, _ = p.communicate(timeout=timeout)
        return p.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(p.pid, signal.SIGKILL)
        return 124, p.communicate()[0]
    finally:
        RUNNING.clear()


def stop(*_):
    for p in RUNNING:
        os.killpg(p.pid, signal.SIGKILL)
    sys.exit(1)  # the finally in run() puts the line back


def failing_gtests(out):
    return sorted(set(re.findall(r"^\[  FAILED  \] ([\w/.]+)", out, re.M)))


def failing_ctests(out):
    return re.findall(r"^\s*\d+ - (\S+) \(", out, re.M)


# The native tests, built without debug information or optimisation and
# linked by lld: a fault costs one file's compile and one link.
FAST = ("cmake -S . -B build/mutation -DCMAKE_BUILD_TYPE= -DCMAKE_CXX_FLAGS='-O0 -g0' "
        "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DTAVRIN_FORMAT_CHECK=OFF >/dev/null")


def kill_core(tree):
    code, out = sh(f"{{ [ -d build/mutation ] || {FAST}; }} && cmake --build build/mutation -j 2 --target tavrin_core_tests", tree)
    if code != 0:
        return "stillborn", []
    exe = Path(tree, "build/mutation/tests/tavrin_core_tests")
    code, out = sh(str(exe) + " --gtest_brief=1", tree, timeout=300)
    if code != 0:
        return "killed", failing_gtests(out) or (["timeout"] if code == 124 else [f"exit {code}"])
    if sh("cmake --build build/fuzz -j 2", tree)[0] != 0:
        return "stillborn", ["fuzz build"]
    code, out = sh("ctest --test-dir build/fuzz", tree)
    if code != 0:
        return "killed", failing_ctests(out) or [f"fuzz, exit {code}"]
    return "missed", []


def kill_win32(tree):
    code, _ = sh("cmake --build build/windows -j 2", tree)
    if code != 0:
        return "stillborn", []
    code, out = sh('[ -d build/locale/zh_CN.UTF-8 ] && export LOCPATH=$PWD/build/locale; source tools/lib/wine-env && export WINEPREFIX=$build/windows/wineprefix-unit && '
                   '{ [ -d "$WINEPREFIX" ] || make_prefix "$WINEPREFIX" unit; } && "$WINESERVER" -p && '
                   '"$WINE" wineboot >/dev/null 2>&1; ctest --test-dir build/windows --stop-on-failure; '
                   'r=$?; "$WINESERVER" -k; exit $r', tree)
    return ("killed", failing_ctests(out) or ["(ctest)"]) if code != 0 else ("missed", [])


def statuses(path):
    return {r["id"]: r["status"] for r in map(json.loads, Path(path).read_text().splitlines())} if path else {}


def run(layer, tree, out, only, before=None):
    """With BEFORE, a fault that the earlier tree did not catch is not run:
    only a caught fault can be lost."""
    hand = json.loads((HERE / "hand_anchors.json").read_text()) if (HERE / "hand_anchors.json").exists() else {}
    done = statuses(out) if Path(out).exists() else {}
    for m in mutants(layer):
        if m["id"] in done or (only and m["id"] not in only):
            continue
        if before and statuses(before).get(m["id"], "killed") != "killed":
            continue
        place = anchor(tree, m, hand)
        result = dict(id=m["id"], file=m["file"], line=m["line"], op=m["op"], at=None, status="gone", by=[])
        if place:
            path, i, changed = place
            full = Path(tree) / path
            original = full.read_text()
            lines = original.splitlines(keepends=True)
            indent = lines[i][: len(lines[i]) - len(lines[i].lstrip())]
            lines[i] = indent + changed + "\n"
            try:
                full.write_text("".join(lines))
                result["at"] = f"{path}:{i + 1}"
                result["status"], result["by"] = (kill_core if layer == "core" else kill_win32)(tree)
            finally:
                full.write_text(original)
                os.utime(full)
        with open(out, "a") as f:
            f.write(json.dumps(result, ensure_ascii=False) + "\n")
        print(result["id"], result["status"], " ".join(result["by"][:3]), flush=True)


def compare(layer, before, after):
    """A Markdown table: how many faults moved between which results, then
    each fault with the first test that caught it before and after."""
    read = lambda p: {r["id"]: r for r in map(json.loads, Path(p).read_text().splitlines())} if Path(p).exists() else {}
    b, a = read(before), read(after)
    rows, table = [], {}
    for m in mutants(layer):
        was, now = b.get(m["id"], {}), a.get(m["id"], {})
        key = (was.get("status", "not run"), now.get("status", "not run"))
        table.setdefault(key, []).append(m["id"])
        first = lambda r: (r.get("by") or [""])[0]
        rows.append(f"| {m['id']} | {m['file'].removeprefix('src/')}:{m['line']} | {m['op']} | {key[0]} {first(was)} "
                    f"| {key[1]} {first(now)} |")
    print("| before | after | faults |\n|---|---|---|")
    for (was, now), ids in sorted(table.items()):
        print(f"| {was} | {now} | {len(ids)}" + (f": {' '.join(ids)}" if was != now or was == "missed" else "") + " |")
    print("\n| fault | where (before) | kind | before, caught by | after, caught by |\n|---|---|---|---|---|")
    print("\n".join(rows))


if __name__ == "__main__":
    signal.signal(signal.SIGTERM, stop)
    verb, layer = sys.argv[1], sys.argv[2]
    if verb == "list":
        for m in mutants(layer):
            print(f"{m['id']} {m['file']}:{m['line']} {m['op']}: {m['from']}  ->  {m['to']}")
    elif verb == "run":
        args = sys.argv[5:]
        before = args[args.index("--after") + 1] if "--after" in args else None
        run(layer, sys.argv[3], sys.argv[4], {a for a in args if a != "--after" and a != before}, before)
    elif verb == "compare":
        compare(layer, sys.argv[3], sys.argv[4])
