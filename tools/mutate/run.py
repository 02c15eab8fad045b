#!/usr/bin/env python3
"""Mutation check: how many plausible slips do the tests catch?

Each mutation in mutations.txt is applied alone to a scratch copy of the tree, which is built
(dev preset, or the one the mutation names) and tested with ctest. Run by hand: the whole list took 31 minutes on two shared
cores. A test that hangs counts as a kill only after its own timeout (300 s for the unit tests).

  tools/mutate/run.py                  the working tree as it is now
  tools/mutate/run.py --rev 8caa473    a commit
  tools/mutate/run.py --only NAME      one mutation (repeat or separate with commas for more)
  tools/mutate/run.py --list           the mutations, without building anything
  tools/mutate/run.py --full           also the slow whole-program tests (e2e, install, ...)
  tools/mutate/run.py --preset windows the mutations of the Windows files, tested under Wine
"""

import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
MUTATIONS = HERE / "mutations.txt"
# The whole-program tests that test.sh also leaves out of the sanitizer runs: minutes each.
SLOW = r"^(e2e|Install|replay\.Missing|Generator)\.|ScriptedPlayer\."
KEYS = ("name", "file", "after", "find", "replace", "why", "preset")


class Mutation:
    def __init__(self, fields, line):
        self.line = line
        self.name = fields.get("name", "")
        self.file = fields.get("file", "")
        self.after = Unescape(fields["after"]) if "after" in fields else None
        self.find = Unescape(fields.get("find", ""))
        self.replace = Unescape(fields.get("replace", ""))
        self.why = fields.get("why", "")
        self.preset = fields.get("preset", "dev")

    def module(self):
        return Path(self.file).parent.name

    # The mutated text, or a reason it cannot be applied.
    def Apply(self, text):
        start = 0
        if self.after is not None:
            count = text.count(self.after)
            if count != 1:
                return None, f"anchor occurs {count} times"
            start = text.index(self.after) + len(self.after)
        elif text.count(self.find) > 1:
            return None, f"text occurs {text.count(self.find)} times; give an anchor"
        at = text.find(self.find, start)
        if at < 0:
            return None, "text not found"
        return text[:at] + self.replace + text[at + len(self.find):], None


# "\n" stands for a line break, so that two lines can be swapped.
def Unescape(value):
    return value.replace("\\n", "\n")


def ReadMutations(path):
    mutations, fields, first = [], {}, 0
    lines = path.read_text().splitlines() + [""]
    for number, line in enumerate(lines, 1):
        if line.startswith("#"):
            continue
        if not line.strip():
            if fields:
                mutations.append(Mutation(fields, first))
                fields = {}
            continue
        key, sep, value = line.partition(":")
        if not sep or key not in KEYS:
            sys.exit(f"{path}:{number}: expected one of {', '.join(KEYS)} and a colon")
        if not fields:
            first = number
        fields[key] = value[1:] if value.startswith(" ") else value
    names = set()
    for m in mutations:
        if not m.name or not m.file or not m.find or m.name in names:
            sys.exit(f"{path}:{m.line}: each mutation needs a unique name, a file and a find")
        names.add(m.name)
    return mutations


def Run(command, cwd, log, env=None):
    with open(log, "a") as out:
        out.write(f"$ {' '.join(command)}\n")
        out.flush()
        return subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT,
                              env=env).returncode


# Makes `dest` hold what `source` holds, build/ apart. Files that change get the current time,
# so that make rebuilds them even when their content goes back to an older version.
def Sync(source, dest):
    keep = set()
    for root, dirs, files in os.walk(source):
        rel = Path(root).relative_to(source)
        dirs[:] = [d for d in dirs if not (rel == Path(".") and d in ("build", ".git"))]
        (dest / rel).mkdir(parents=True, exist_ok=True)
        for f in files:
            src, dst = Path(root) / f, dest / rel / f
            keep.add(dst)
            if src.is_symlink() or not dst.exists() or dst.read_bytes() != src.read_bytes():
                if dst.exists() or dst.is_symlink():
                    dst.unlink()
                shutil.copy2(src, dst, follow_symlinks=False)
                if not dst.is_symlink():
                    os.utime(dst)
    for root, dirs, files in os.walk(dest):
        rel = Path(root).relative_to(dest)
        dirs[:] = [d for d in dirs if not (rel == Path(".") and d == "build")]
        for f in files:
            if Path(root) / f not in keep:
                (Path(root) / f).unlink()


def PrepareTree(repo, rev):
    if rev is None:
        label, source = "worktree", repo
    else:
        full = subprocess.run(["git", "rev-parse", "--verify", rev + "^{commit}"], cwd=repo,
                              capture_output=True, text=True)
        if full.returncode != 0:
            sys.exit(f"unknown revision {rev}")
        label = full.stdout.strip()[:7]
    scratch = Path(tempfile.gettempdir()) / "mutate" / label
    scratch.mkdir(parents=True, exist_ok=True)
    # The tests find the public corpora beside the source tree, as ../shared.
    shared = scratch.parent / "shared"
    if (repo.parent / "shared").is_dir() and not shared.exists():
        shared.symlink_to((repo.parent / "shared").resolve())
    if rev is None:
        Sync(source, scratch)
    else:
        with tempfile.TemporaryDirectory() as staging:
            archive = subprocess.run(["git", "archive", label], cwd=repo, capture_output=True)
            if archive.returncode != 0:
                sys.exit(archive.stderr.decode())
            with tempfile.TemporaryFile() as tar:
                tar.write(archive.stdout)
                tar.seek(0)
                tarfile.open(fileobj=tar).extractall(staging)
            Sync(Path(staging), scratch)
    return scratch


def Environment(scratch, jobs):
    env = dict(os.environ)
    if shutil.which("ccache"):
        env.setdefault("CMAKE_CXX_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CMAKE_C_COMPILER_LAUNCHER", "ccache")
        env.setdefault("CCACHE_BASEDIR", str(scratch))
        env.setdefault("CCACHE_NOHASHDIR", "1")
    env["CTEST_PARALLEL_LEVEL"] = str(jobs)
    return env


# Test numbers of the selected tests, grouped by the tests/<module>/ directory they come from.
def SelectedTests(scratch, env, full, preset):
    shown = subprocess.run(["ctest", "--preset", preset, "--show-only=json-v1"], cwd=scratch,
                           capture_output=True, text=True, env=env)
    if shown.returncode != 0:
        sys.exit("ctest cannot list the tests:\n" + shown.stderr)
    tests = []
    for number, test in enumerate(json.loads(shown.stdout)["tests"], 1):
        if not full and re.search(SLOW, test["name"]):
            continue
        tests.append((number, test["name"], " ".join(test.get("command", []))))
    return tests


def Ctest(scratch, env, numbers, jobs, log, preset):
    if not numbers:
        return 0, None
    with tempfile.NamedTemporaryFile("w", suffix=".tests", delete=False) as f:
        f.write("0,0,0," + ",".join(str(n) for n in numbers) + "\n")
    try:
        before = Path(log).stat().st_size if Path(log).exists() else 0
        code = Run(["nice", "ctest", "--preset", preset, "-j", str(jobs), "--stop-on-failure",
                    "--timeout", "120", "-I", f.name], scratch, log, env)
    finally:
        os.unlink(f.name)
    failed = None
    if code != 0:
        with open(log, errors="replace") as out:
            out.seek(before)
            # Skipped tests are marked *** too, but do not fail the run.
            found = re.findall(r"Test +#\d+: (\S+) \.+\W*\*\*\*(?!Skipped)", out.read())
            failed = found[0] if found else "?"
    return code, failed


def Build(scratch, env, jobs, log, preset):
    return Run(["nice", "cmake", "--build", "--preset", preset, "-j", str(jobs)], scratch, log, env)


# Written after every mutation, so that a long run can be looked at while it goes on.
def Summary(path, results, total, heading, started):
    killed = sum(1 for _, o, _ in results if o.startswith("killed"))
    survived = [m for m, o, _ in results if o == "survived"]
    missing = [(m, d) for m, o, d in results if o == "not applied"]
    done = "" if len(results) == total else f" (so far: {len(results)} of {total} done)"
    lines = [heading,
             f"score: {killed}/{len(results)} killed, {len(survived)} survived, "
             f"{len(missing)} not applied; {(time.time() - started) / 60:.0f} min{done}", ""]
    lines += [f"{o:15} {m.name:34} {m.file:28} {d}" for m, o, d in results]
    if survived:
        lines += ["", "survivors:"]
        lines += [f"  {m.name} ({m.file}): {m.why}" for m in survived]
    if missing:
        lines += ["", "not applied (update mutations.txt):"]
        lines += [f"  {m.name} ({m.file}): {d}" for m, d in missing]
    path.write_text("\n".join(lines) + "\n")
    return lines


def Main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--rev", help="test this commit instead of the working tree")
    parser.add_argument("--only", action="append", default=[], help="only these mutations")
    parser.add_argument("--list", action="store_true", help="list the mutations and stop")
    parser.add_argument("--full", action="store_true", help="include the whole-program tests")
    parser.add_argument("--jobs", type=int, default=2, help="build and test jobs (2)")
    parser.add_argument("--preset", default="dev", help="the mutations of this preset (dev)")
    args = parser.parse_args()

    mutations = [m for m in ReadMutations(MUTATIONS) if m.preset == args.preset]
    only = {n for item in args.only for n in item.split(",") if n}
    if only:
        unknown = only - {m.name for m in mutations}
        if unknown:
            sys.exit("no such mutation: " + ", ".join(sorted(unknown)))
        mutations = [m for m in mutations if m.name in only]
    if args.list:
        for m in mutations:
            print(f"{m.name:34} {m.file:30} {m.why}")
        counts = {}
        for m in mutations:
            counts[m.module()] = counts.get(m.module(), 0) + 1
        print(f"\n{len(mutations)} mutations: " +
              ", ".join(f"{k} {v}" for k, v in sorted(counts.items())))
        return

    repo = Path(subprocess.run(["git", "rev-parse", "--show-toplevel"], cwd=HERE,
                               capture_output=True, text=True, check=True).stdout.strip())
    started = time.time()
    scratch = PrepareTree(repo, args.rev)
    env = Environment(scratch, args.jobs)
    logs = scratch / "build" / "mutate-logs"
    logs.mkdir(parents=True, exist_ok=True)
    print(f"tree: {scratch}  (logs in {logs})", flush=True)

    base_log = logs / "_unmutated.log"
    base_log.unlink(missing_ok=True)
    if Run(["nice", "cmake", "--preset", args.preset], scratch, base_log, env) != 0 or \
       Build(scratch, env, args.jobs, base_log, args.preset) != 0:
        sys.exit(f"ABORT: the unmutated tree does not build; see {base_log}")
    tests = SelectedTests(scratch, env, args.full, args.preset)
    t0 = time.time()
    code, failed = Ctest(scratch, env, [n for n, _, _ in tests], args.jobs, base_log, args.preset)
    if code != 0:
        sys.exit(f"ABORT: a test fails on the unmutated tree ({failed}); see {base_log}")
    print(f"unmutated: builds, {len(tests)} tests pass in {time.time() - t0:.0f} s", flush=True)

    results = []
    # A run of a few leaves the summary of the last whole run alone.
    kind = "-only" if only else "" if args.preset == "dev" else f"-{args.preset}"
    summary = scratch / "build" / f"mutate-summary{kind}.txt"
    heading = (f"mutation check of {args.rev or 'the working tree'} ({scratch}), "
               f"{'all' if args.full else 'without the whole-program'} tests")
    print(f"summary so far: {summary}", flush=True)
    for index, m in enumerate(mutations, 1):
        t0 = time.time()
        path = scratch / m.file
        log = logs / f"{m.name}.log"
        log.unlink(missing_ok=True)
        original = path.read_bytes() if path.exists() else None
        mutated, reason = (m.Apply(original.decode("utf-8", "surrogateescape"))
                           if original is not None else (None, "no such file"))
        if mutated is None:
            outcome, detail = "not applied", reason
        else:
            try:
                path.write_bytes(mutated.encode("utf-8", "surrogateescape"))
                if Build(scratch, env, args.jobs, log, args.preset) != 0:
                    outcome, detail = "killed (build)", ""
                else:
                    # The module's own tests first: they are the likeliest to fail, and soonest.
                    own = [n for n, _, cmd in tests if f"/tests/{m.module()}/" in cmd]
                    rest = [n for n, _, _ in tests if n not in own]
                    code, failed = Ctest(scratch, env, own, args.jobs, log, args.preset)
                    if code == 0:
                        code, failed = Ctest(scratch, env, rest, args.jobs, log, args.preset)
                    outcome, detail = ("survived", "") if code == 0 else ("killed", f"by {failed}")
            finally:
                path.write_bytes(original)
                os.utime(path)
        seconds = time.time() - t0
        results.append((m, outcome, detail))
        print(f"[{index:2}/{len(mutations)}] {outcome:15} {m.name:34} {m.file:28} "
              f"{detail} ({seconds:.0f} s)", flush=True)
        Summary(summary, results, len(mutations), heading, started)

    # The tree as it was, so that a later run starts from a built, unmutated tree.
    Build(scratch, env, args.jobs, logs / "_restore.log", args.preset)
    lines = Summary(summary, results, len(mutations), heading, started)
    print("\n" + "\n".join(lines[:2]) + f"\nsummary: {summary}")


if __name__ == "__main__":
    Main()
