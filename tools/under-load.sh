#!/usr/bin/env bash
# Runs CTest presets again and again beside busy loops, one per core, as on a busy CI machine,
# and tells every test that failed at least once, with what it printed each time. A test that
# waits for a fixed time instead of for what it means fails here sooner or later.
#
#   tools/under-load.sh [-n RUNS] [-R REGEX] [-E REGEX] PRESET...
#
#   -n RUNS    runs of each preset (10)
#   -R, -E     only the tests that match, or all but those, as ctest takes them
#
# Each preset is configured and built first, before the load starts. Exits 1 when a test
# failed, with the runs' logs left in the folder it names.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: $0 [-n RUNS] [-R REGEX] [-E REGEX] PRESET..." >&2
  exit 2
}

runs=10
select=()
while getopts 'n:R:E:' option; do
  case $option in
    n) [[ $OPTARG =~ ^[1-9][0-9]*$ ]] || usage; runs=$OPTARG ;;
    R) select+=(-R "$OPTARG") ;;
    E) select+=(-E "$OPTARG") ;;
    *) usage ;;
  esac
done
shift $((OPTIND - 1))
(($#)) || usage
presets=("$@")
jobs=$(nproc)

for preset in "${presets[@]}"; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs" >/dev/null
done

logs=$(mktemp -d /tmp/under-load.XXXXXX)
loops=()
stop_loops() {
  ((${#loops[@]})) && kill "${loops[@]}" 2>/dev/null
  wait 2>/dev/null || true
}
trap stop_loops EXIT
for _ in $(seq "$jobs"); do
  bash -c 'while :; do :; done' &
  loops+=($!)
done
echo "$jobs busy loops beside $runs run(s) of ${presets[*]}; logs in $logs"

for run in $(seq "$runs"); do
  for preset in "${presets[@]}"; do
    start=$SECONDS
    ctest --preset "$preset" -j "$jobs" "${select[@]}" \
      --output-junit "$logs/$preset-$run.xml" >"$logs/$preset-$run.log" 2>&1 || true
    summary=$(grep -E '^[0-9]+% tests passed' "$logs/$preset-$run.log" || echo 'no summary')
    echo "$preset run $run/$runs: $summary ($((SECONDS - start)) s)"
  done
done
stop_loops
trap - EXIT

python3 - "$logs" "$runs" "${presets[@]}" <<'EOF'
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

logs, runs, presets = Path(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]
failed = {}
for preset in presets:
    for run in range(1, runs + 1):
        report = logs / f"{preset}-{run}.xml"
        if not report.exists():
            failed.setdefault((preset, "(no test report)"), []).append((run, ""))
            continue
        for case in ET.parse(report).getroot().iter("testcase"):
            if case.get("status") == "fail" or case.find("failure") is not None:
                out = case.findtext("system-out") or ""
                failed.setdefault((preset, case.get("name")), []).append((run, out))
for (preset, name), failures in sorted(failed.items()):
    print(f"\n=== {preset} {name}: failed in {len(failures)} of {runs} runs")
    for run, out in failures:
        print(f"--- run {run}\n{out.rstrip()}")
print(f"\n{len(failed)} test(s) failed at least once" if failed else "\nno test failed")
sys.exit(1 if failed else 0)
EOF
rm -r "$logs"
