#!/usr/bin/env bash
# Turns the raw figures of one bench/run into the results table: printed, and
# written as Markdown with the machine, the date and the commit.
#
#   bench/report.sh RAW_FILE RESULTS_MD
#
# RAW_FILE holds "KEY VALUE" lines, one per measurement, and "info TEXT"
# lines. Each row below reports the median and the worst of its key's values
# (the worst is the largest where lower is better, the smallest otherwise);
# a ratio row divides the medians of two keys, and its worst pairs the worst
# of the first with the best of the second. A target holds when the worst
# meets it; "median only" when just the median does.
set -euo pipefail

if (($# != 2)) || [[ ! -f $1 ]]; then
    echo "usage: $0 RAW_FILE RESULTS_MD" >&2
    exit 2
fi
raw=$1
out=$2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# KEY (or "A/B" for a ratio) | figure | unit | better: lower or higher | target: "< N", ">= N" or empty
rows() {
    cat <<'ROWS'
section|Linux: the core's WaitSeconds on QtEventLoop, in a QApplication on Xvfb
linux.wait.0.001.p50|Wait error, 0.001 s requested, p50|ms|lower|
linux.wait.0.001.p99|Wait error, 0.001 s requested, p99|ms|lower|< 1
linux.wait.0.001.p99_on_core|  same, less time the thread waited for a core, p99|ms|lower|
linux.sleep.0.001.p99|  plain clock_nanosleep of as long, p99|ms|lower|
linux.wait.0.01.p50|Wait error, 0.01 s requested, p50|ms|lower|
linux.wait.0.01.p99|Wait error, 0.01 s requested, p99|ms|lower|< 1
linux.wait.0.01.p99_on_core|  same, less time the thread waited for a core, p99|ms|lower|
linux.sleep.0.01.p99|  plain clock_nanosleep of as long, p99|ms|lower|
linux.wait.0.1.p50|Wait error, 0.1 s requested, p50|ms|lower|
linux.wait.0.1.p99|Wait error, 0.1 s requested, p99|ms|lower|< 1
linux.wait.0.1.p99_on_core|  same, less time the thread waited for a core, p99|ms|lower|
linux.sleep.0.1.p99|  plain clock_nanosleep of as long, p99|ms|lower|
linux.wait.1.p50|Wait error, 1 s requested, p50|ms|lower|
linux.wait.1.p99|Wait error, 1 s requested, p99|ms|lower|< 1
linux.wait.1.p99_on_core|  same, less time the thread waited for a core, p99|ms|lower|
linux.sleep.1.p99|  plain clock_nanosleep of as long, p99|ms|lower|
linux.cpu.ours|CPU while waiting 5 s, WaitSeconds|% of a core|lower|< 1
linux.cpu.busy|CPU while waiting 5 s, busy-polling baseline|% of a core|higher|
linux.cpu.ours/linux.cpu.busy|CPU, WaitSeconds / busy polling|ratio|lower|
linux.jitter.step_ns|Position and wait jitter draws, per step|ns|lower|
section|Linux: recording, the cursovia binary on Xvfb, beside the run's own wait error
linux.recording.p50|Recorded wait minus the real gap, 200 gaps of 1 ms to 1 s, p50 of the size|ms|lower|
linux.recording.p99|Recorded wait minus the real gap, 200 gaps of 1 ms to 1 s, p99 of the size|ms|lower|
linux.wait.0.001.p50|  the run's wait error, 0.001 s requested, p50|ms|lower|
linux.wait.0.001.p99|  the run's wait error, 0.001 s requested, p99|ms|lower|
linux.wait.1.p50|  the run's wait error, 1 s requested, p50|ms|lower|
linux.wait.1.p99|  the run's wait error, 1 s requested, p99|ms|lower|
section|Linux: the cursovia binary on Xvfb + openbox + trayer, driven from outside
linux.throughput.cursovia|Throughput, zero-wait Single Click rows|actions/s|higher|
linux.throughput.xdotool_chain|  xdotool, "mousemove X Y click 1" chained|actions/s|higher|
linux.throughput.xdotool_chain_no_delay|  xdotool, "mousemove X Y click --delay 0 1" chained|actions/s|higher|
linux.throughput.xdotool_repeat|  xdotool, "click --repeat N --delay 0"|clicks/s|higher|
linux.throughput.cursovia/linux.throughput.xdotool_chain|Throughput, cursovia / xdotool chained|ratio|higher|>= 1
linux.throughput.cursovia/linux.throughput.xdotool_chain_no_delay|Throughput, cursovia / xdotool chained, no delay|ratio|higher|>= 1
linux.throughput.cursovia/linux.throughput.xdotool_repeat|Throughput, cursovia / xdotool click --repeat|ratio|higher|>= 1
linux.throughput.kind.double_click|Throughput, zero-wait Double Click rows|actions/s|higher|
linux.throughput.kind.right_click|  Right Click rows|actions/s|higher|
linux.throughput.kind.middle_click|  Middle Click rows|actions/s|higher|
linux.throughput.kind.right_double_click|  Right Double Click rows|actions/s|higher|
linux.throughput.kind.scroll_up|  Scroll Up rows|actions/s|higher|
linux.throughput.kind.scroll_down|  Scroll Down rows|actions/s|higher|
linux.throughput.kind.hold|  Left Down and Left Up rows, alternating|actions/s|higher|
linux.stop.long_wait|Stop latency, Ctrl+S during a 60 s wait, to the window mapped|ms|lower|< 5
linux.stop.long_wait.program|  to the program's first change of its window|ms|lower|< 5
linux.stop.zero_wait|Stop latency, Ctrl+S during a zero-wait run, to the window mapped|ms|lower|< 5
linux.stop.zero_wait.program|  to the program's first change of its window|ms|lower|< 5
linux.startup.empty|Start-up to the mapped window, empty list|ms|lower|< 300
linux.startup.10000_rows|Start-up to the mapped window, 10,000 rows|ms|lower|< 300
linux.rss.empty|Resident memory after start-up, empty list|MB|lower|
linux.rss.10000_rows|Resident memory after start-up, 10,000 rows|MB|lower|< 40
section|Windows build under Wine: the core's WaitSeconds on MessageLoop (measured under Wine, not Windows)
wine.wait.0.001.p50|Wait error, 0.001 s requested, p50|ms|lower|
wine.wait.0.001.p99|Wait error, 0.001 s requested, p99|ms|lower|< 2
wine.sleep.0.001.p99|  plain waitable-timer wait of as long, p99|ms|lower|
wine.wait.0.01.p50|Wait error, 0.01 s requested, p50|ms|lower|
wine.wait.0.01.p99|Wait error, 0.01 s requested, p99|ms|lower|< 2
wine.sleep.0.01.p99|  plain waitable-timer wait of as long, p99|ms|lower|
wine.wait.0.1.p50|Wait error, 0.1 s requested, p50|ms|lower|
wine.wait.0.1.p99|Wait error, 0.1 s requested, p99|ms|lower|< 2
wine.sleep.0.1.p99|  plain waitable-timer wait of as long, p99|ms|lower|
wine.wait.1.p50|Wait error, 1 s requested, p50|ms|lower|
wine.wait.1.p99|Wait error, 1 s requested, p99|ms|lower|< 2
wine.sleep.1.p99|  plain waitable-timer wait of as long, p99|ms|lower|
wine.cpu.ours|CPU while waiting 5 s, WaitSeconds|% of a core|lower|< 1
wine.cpu.busy|CPU while waiting 5 s, busy-polling baseline|% of a core|higher|
wine.cpu.ours/wine.cpu.busy|CPU, WaitSeconds / busy polling|ratio|lower|
section|Windows build under Wine: recording, Cursovia.exe beside the run's own wait error (measured under Wine, not Windows)
wine.recording.p50|Recorded wait minus the real gap, 200 gaps of 1 ms to 1 s, p50 of the size|ms|lower|
wine.recording.p99|Recorded wait minus the real gap, 200 gaps of 1 ms to 1 s, p99 of the size|ms|lower|
wine.wait.0.001.p50|  the run's wait error, 0.001 s requested, p50|ms|lower|
wine.wait.0.001.p99|  the run's wait error, 0.001 s requested, p99|ms|lower|
wine.wait.1.p50|  the run's wait error, 1 s requested, p50|ms|lower|
wine.wait.1.p99|  the run's wait error, 1 s requested, p99|ms|lower|
ROWS
}

table() {
    rows | awk -F'|' -v raw="$raw" '
        function fmt(v, a) {
            a = v < 0 ? -v : v
            if (v == "") return "n/a"
            if (a == 0) return "0"
            if (a < 0.01) return sprintf("%.2g", v)
            if (a < 1) return sprintf("%.3f", v)
            if (a < 10) return sprintf("%.2f", v)
            if (a < 100) return sprintf("%.1f", v)
            return sprintf("%.0f", v)
        }
        # Sorts the values of `key` into s[1..n]; returns n.
        function sorted(key, s,   n, i, j, t) {
            n = count[key]
            for (i = 1; i <= n; i++) s[i] = value[key, i]
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && s[j - 1] > s[j]; j--) { t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
            return n
        }
        function median(key,   s, n) {
            n = sorted(key, s)
            if (n == 0) return ""
            return n % 2 ? s[(n + 1) / 2] : (s[n / 2] + s[n / 2 + 1]) / 2
        }
        function extreme(key, largest,   s, n) {
            n = sorted(key, s)
            if (n == 0) return ""
            return largest ? s[n] : s[1]
        }
        function meets(v, target,   op, limit, part) {
            if (v == "") return 0
            split(target, part, " ")
            op = part[1]; limit = part[2] + 0
            return op == "<" ? v < limit : v >= limit
        }
        BEGIN {
            while ((getline line < raw) > 0) {
                split(line, f, " ")
                if (f[1] == "info" || f[2] == "") continue
                value[f[1], ++count[f[1]]] = f[2] + 0
            }
        }
        $1 == "section" { printf "\n**%s**\n\n| Figure | Median | Worst | Samples | Target | Holds |\n|---|---|---|---|---|---|\n", $2; next }
        {
            key = $1; lower = $4 == "lower"
            if (index(key, "/")) {
                split(key, k, "/")
                m = (median(k[1]) == "" || median(k[2]) == "" || median(k[2]) == 0) ? "" : median(k[1]) / median(k[2])
                bottom = extreme(k[2], !lower)
                w = (m == "" || bottom == 0) ? "" : extreme(k[1], lower) / bottom
                samples = count[k[1]] + 0 " / " count[k[2]] + 0
            } else {
                m = median(key); w = extreme(key, lower); samples = count[key] + 0
            }
            holds = ""
            if ($5 != "") holds = meets(w, $5) ? "yes" : meets(m, $5) ? "median only" : m == "" ? "not measured" : "no"
            unit = $3 == "ratio" ? "" : " " $3
            printf "| %s | %s%s | %s%s | %s | %s | %s |\n", $2, fmt(m), unit, fmt(w), unit, samples, $5 == "" ? "" : $5 unit, holds
        }'
}

machine() {
    local cpu memory
    cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
    memory=$(awk '/^MemTotal:/ { printf "%.0f GB", $2 / 1024 / 1024 }' /proc/meminfo)
    printf '%s, %s, %s cores, %s RAM; %s' "$(uname -srm)" "$cpu" "$(nproc)" "$memory" \
        "$(. /etc/os-release && printf '%s' "$PRETTY_NAME")"
}

commit() {
    local id
    id=$(git -C "$root" rev-parse --short HEAD 2>/dev/null) || { printf 'unknown'; return; }
    git -C "$root" update-index -q --refresh >/dev/null 2>&1
    # The results file itself is the one change a run makes.
    git -C "$root" diff-index --quiet HEAD -- . ':!bench/results.md' 2>/dev/null || id+=" with uncommitted changes"
    printf '%s' "$id"
}

measured="$(date -u '+%Y-%m-%d %H:%M UTC'), commit $(commit)"
{
    printf '# Benchmark results\n\n'
    printf 'Measured by `bench/run` on %s.\n\n' "$measured"
    printf 'Machine: %s.\n' "$(machine)"
    printf 'The machine is shared: other builds and tests ran on its cores during the run (see the load\n'
    printf 'averages below), so figures that need a core at once (the p99 of waits, stop latency) carry\n'
    printf 'their noise. Median and worst are over the samples counted in the Samples column.\n'
    table
    printf '\n**How the figures were taken**\n\n'
    awk '$1 == "info" && !seen[$0]++ { print "- " substr($0, 6) }' "$raw"
    cat "$(dirname "${BASH_SOURCE[0]}")/method.md"
} >"$out"
cat "$out"
