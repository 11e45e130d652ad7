#!/usr/bin/env python3
# The fault sweep: breaks the game one committed fault at a time (faults.tsv), rebuilds, runs the tests and
# reports which test caught each fault. How to run it and read its report: CONTRIBUTING.md, Tests.
import argparse, json, os, re, signal, subprocess, sys, time

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
FAULTS = os.path.join(TOP, "tools", "mutants", "faults.tsv")
# The package and Wine tests take minutes each and test packaging, not the game's code.
EXCLUDE_LABEL, EXCLUDE_NAME = "package", "wine"
ESCAPES = {"n": "\n", "t": "\t", "\\": "\\"}


def unescape(field):
    return re.sub(r"\\(.)", lambda m: ESCAPES[m.group(1)], field)


def escape(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")


def read_faults():
    """Faults in list order, numbered from 1: file, pattern, replacement, what it breaks."""
    faults = []
    with open(FAULTS, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            path, pattern, replacement, breaks = line.rstrip("\n").split("\t")
            faults.append(dict(number=len(faults) + 1, path=path, pattern=unescape(pattern),
                               replacement=unescape(replacement), breaks=breaks))
    return faults


def numbers(text):
    chosen = set()
    for part in text.split(","):
        first, _, last = part.partition("-")
        chosen.update(range(int(first), int(last or first) + 1))
    return chosen


child = None  # the build or test running now, ended with its process group on an interrupt


def run(command, cwd, timeout=None, env=None):
    """Runs command in its own process group; returns (exit status or None on timeout, output)."""
    global child
    child = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                             text=True, errors="replace", start_new_session=True)
    try:
        out, _ = child.communicate(timeout=timeout)
        return child.returncode, out
    except subprocess.TimeoutExpired:
        os.killpg(child.pid, signal.SIGKILL)
        return None, child.communicate()[0]
    finally:
        child = None


def stop_child():
    if child:
        try:
            os.killpg(child.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def interrupted(*_):
    raise KeyboardInterrupt


def start_xvfb():
    status, out = run(["bash", "-c", "source scripts/xvfb.sh && start_xvfb && echo $DISPLAY $XVFB_PID"], TOP)
    if status != 0:
        sys.exit("Xvfb did not start")
    display, pid = out.split()[-2:]
    return display, int(pid)


def list_tests(build):
    _, out = run(["ctest", "--show-only=json-v1", "-LE", EXCLUDE_LABEL, "-E", EXCLUDE_NAME], build)
    return [t["name"] for t in json.loads(out)["tests"]]


def ctest(build, name, timeout, env):
    """One test: 'passed', 'failed' or 'timeout', and its output."""
    status, out = run(["ctest", "--output-on-failure", "--no-tests=error", "-R", "^" + re.escape(name) + "$",
                       "--timeout", str(int(timeout))], build, timeout + 30, env)
    return ("passed" if status == 0 else "timeout" if status is None or "***Timeout" in out else "failed"), out


def build_once(build):
    status, out = run(["cmake", "--build", build, "-j", str(os.cpu_count() or 2)], TOP)
    return status == 0, out


def main():
    parser = argparse.ArgumentParser(description="Apply each fault of faults.tsv, rebuild, run the tests.")
    parser.add_argument("-n", "--numbers", help="only these faults, e.g. 3,7-9")
    parser.add_argument("-f", "--file", action="append", help="only faults in files containing this (repeatable)")
    parser.add_argument("-b", "--build", default=os.path.join(TOP, "build-mutants"), help="build folder")
    parser.add_argument("--check", action="store_true", help="only check that every pattern occurs once")
    parser.add_argument("--every", action="store_true",
                        help="run every test on each fault and list all that catch it (mutants-every.tsv)")
    parser.add_argument("--others", action="store_true",
                        help="leave out each fault's catcher in the last full sweep; a fault missed then has no "
                             "other catcher (mutants-others.tsv)")
    args = parser.parse_args()

    faults = read_faults()
    subset = bool(args.numbers or args.file)
    if args.numbers:
        faults = [f for f in faults if f["number"] in numbers(args.numbers)]
    if args.file:
        faults = [f for f in faults if any(s in f["path"] for s in args.file)]
    stale = []
    for f in faults:
        with open(os.path.join(TOP, f["path"]), encoding="utf-8") as src:
            count = src.read().count(f["pattern"])
        if count != 1:
            stale.append(f)
            print(f"stale fault {f['number']}: its pattern occurs {count} times in {f['path']}")
    if args.check:
        print(f"{len(faults) - len(stale)} faults apply, {len(stale)} stale")
        return 1 if stale else 0

    build = os.path.abspath(args.build)
    os.makedirs(build, exist_ok=True)
    journal = os.path.join(build, "mutants-applied.json")
    # A sweep of every catcher shows which tests are the only ones to catch a fault: what a trim must keep.
    report = os.path.join(build, "mutants-every.tsv" if args.every else "mutants-others.tsv" if args.others else
                          "mutants-recheck.tsv" if subset else "mutants-report.tsv")
    logs = os.path.join(build, "mutants-logs")
    os.makedirs(logs, exist_ok=True)
    # A sweep killed outright leaves its fault in place: put the file back before anything else.
    if os.path.exists(journal):
        with open(journal, encoding="utf-8") as j:
            left = json.load(j)
        with open(left["path"], "w", encoding="utf-8") as src:
            src.write(left["original"])
        os.remove(journal)
        print(f"restored {left['path']}, left faulty by an interrupted sweep")

    # The catching test of the last full sweep runs first, so a re-run costs about one test per fault.
    last_catcher = {}
    previous = os.path.join(build, "mutants-report.tsv")
    if os.path.exists(previous):
        with open(previous, encoding="utf-8") as p:
            for row in p:
                cells = row.rstrip("\n").split("\t")
                if len(cells) >= 6 and cells[3] == "caught":
                    last_catcher[(cells[1], cells[2])] = cells[4].replace(" (timeout)", "")

    signal.signal(signal.SIGTERM, interrupted)
    display, xvfb = start_xvfb()
    env = dict(os.environ, DISPLAY=display, QUINTET_SEED=os.environ.get("QUINTET_SEED", "1"))
    started = time.time()
    results = []
    try:
        if not os.path.exists(os.path.join(build, "CMakeCache.txt")):
            run(["cmake", "-S", TOP, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DQUINTET_BENCH=OFF"], TOP)
        built, out = build_once(build)
        if not built:
            sys.exit(out[-3000:] + "\nthe build fails without a fault")
        # Every test once without a fault: each must pass, and its time sets its order and its time limit.
        seconds = {}
        for name in list_tests(build):
            t = time.time()
            result, out = ctest(build, name, 600, env)
            if result != "passed":
                sys.exit(out[-3000:] + f"\n{name} fails without a fault")
            seconds[name] = time.time() - t
        order = sorted(seconds, key=seconds.get)
        print(f"{len(order)} tests pass in {sum(seconds.values()):.0f} s; sweeping {len(faults) - len(stale)} faults")

        # By file, so a file is compiled once for each of its faults.
        for f in sorted((f for f in faults if f not in stale), key=lambda f: (f["path"], f["number"])):
            t = time.time()
            path = os.path.join(TOP, f["path"])
            with open(path, encoding="utf-8") as src:
                original = src.read()
            with open(journal, "w", encoding="utf-8") as j:
                json.dump(dict(path=path, original=original), j)
            try:
                with open(path, "w", encoding="utf-8") as src:
                    src.write(original.replace(f["pattern"], f["replacement"]))
                built, out = build_once(build)
                result = "build failed" if not built else "missed"
                first = last_catcher.get((f["path"], escape(f["pattern"])))
                names = ([first] if first in seconds and not args.others else []) + [n for n in order if n != first]
                catchers = []
                for name in names if built else []:
                    outcome, test_out = ctest(build, name, 10 + 5 * seconds[name], env)
                    if outcome != "passed":
                        if not catchers:
                            out = test_out  # the log shows the first catcher's failure
                        result = "caught"
                        catchers.append(name + (" (timeout)" if outcome == "timeout" else ""))
                        if not args.every:
                            break
                catcher = ", ".join(catchers) or (f"only {first}" if args.others and built and first else "")
                if result != "missed":
                    with open(os.path.join(logs, f"{f['number']}.log"), "w", encoding="utf-8") as log:
                        log.write(out)
            finally:
                with open(path, "w", encoding="utf-8") as src:
                    src.write(original)
                os.remove(journal)
            results.append((f, result, catcher, time.time() - t))
            print(f"{f['number']:4} {result:12} {time.time() - t:5.0f} s  {f['path']}: {f['breaks']}  {catcher}",
                  flush=True)
    except KeyboardInterrupt:
        stop_child()
        report = report[:-len(".tsv")] + "-partial.tsv"  # the last whole sweep's report stays
        print("interrupted: the faulty file is restored")
    finally:
        os.kill(xvfb, signal.SIGTERM)

    caught = [r for r in results if r[1] == "caught"]
    missed = [r for r in results if r[1] == "missed"]
    broken = [r for r in results if r[1] == "build failed"]
    with open(report, "w", encoding="utf-8") as out:
        out.write("number\tfile\tpattern\tresult\tcaught by\tseconds\tbreaks\n")
        for f, result, catcher, secs in sorted(results, key=lambda r: r[0]["number"]):
            out.write(f"{f['number']}\t{f['path']}\t{escape(f['pattern'])}\t{result}\t{catcher}\t{secs:.0f}\t{f['breaks']}\n")
    minutes = (time.time() - started) / 60
    summary = [f"caught {len(caught)} of {len(results)} faults in {minutes:.0f} min; report: {report}"]
    summary += [f"  not caught: {f['number']} {f['path']}: {f['breaks']}" for f, _, _, _ in missed]
    summary += [f"  does not build: {f['number']} {f['path']}" for f, _, _, _ in broken]
    summary += [f"  stale, refused: {f['number']} {f['path']}" for f in stale]
    with open(report[:-len(".tsv")] + "-summary.txt", "w", encoding="utf-8") as out:
        out.write("\n".join(summary) + "\n")
    print("\n" + "\n".join(summary))
    return 1 if stale or broken or len(results) < len(faults) - len(stale) else 0


if __name__ == "__main__":
    sys.exit(main())
