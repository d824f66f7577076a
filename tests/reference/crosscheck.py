#!/usr/bin/env python3
"""Cross-check solvane-calc against the independent Python reference.

    python3 crosscheck.py --calc PATH/solvane-calc --records-tool PATH/meter-records --data DATA_DIR

Runs the calculator on a set of spectra (synthetic ones and the virtual meter's
light sources) for both observers, compares all 26 slots and the 27 record
texts with the reference, checks the light sources against their labels, and
feeds it malformed spectrum files. It compares `--quality` on the same spectra
(two of them also without an illuminance) item by item with
lightquality_reference, itself first held to the method's check values; TM-30
only for being determined exactly when T_cp is. Known colorimetric facts are
checked on the engine itself (tst_colorimetry), so the two cannot share a
misreading unnoticed. Exit status 0 when everything agrees, 1 otherwise.
"""

import argparse
import math
import os
import re
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree clean when run by CTest
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import colorimetry_reference as ref  # noqa: E402
import lightquality_reference as lq  # noqa: E402

DEFAULT_DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                            "..", "..", "Solvane", "colorimetry", "data")
METER_RECORDS = 12
EXACT_SLOTS = {4, 9}  # CCT and dominant wavelength are whole numbers
# Spectra without a 2° chromaticity: every slot but X, Y, Z (and the 10°
# observer's own u', v') must be NaN, whatever the reference says.
UNDETERMINED = {"all-zero", "zero-sum-480-516nm", "equal-energy-1e306"}
REL_TOL = 1e-9
ABS_TOL = 1e-12

# Light-quality items compared to a tolerance of their own, or exactly.
QUALITY_TOLERANCE = {"cct_ohno": 1.0, "duv_ohno": 2e-5}
QUALITY_EXACT = {"cct_valid", "peak_wavelength"}
# Its sums overflow unless scaled first: the calculator may call it undetermined.
OVERFLOWING = "equal-energy-1e306"
WITHOUT_ILLUMINANCE = ("planck-2856K", "meter-00")

# The method's check values (T_cp, Duv or None when not white; items at 500 lx)
# of sums of g(c, σ)(λ) = exp(−½((λ − c)/σ)²), given as (weight, c, σ).
METHOD_CHECKS = [
    ("triband", [(1.0, 450, 10), (1.2, 540, 20), (1.5, 610, 15)], 3999.5, 0.00701,
     {"sc_edi": 256.63, "mc_edi": 431.88, "lc_edi": 490.85, "rh_edi": 313.66,
      "mel_edi": 257.48, "ppfd": 5.874}),
    ("pc_white", [(1.0, 452, 9), (2.2, 560, 55), (0.6, 640, 30)], 4201.6, 0.02243,
     {"mel_edi": 287.75, "ppfd": 6.347}),
    ("royal_red", [(1.0, 450, 9), (1.4, 660, 10)], None, None,
     {"mel_edi": 2049.25, "ppfd": 60.623}),
]

# Record entries 3..28 in slot order, with their decimals; entry 2 is the illuminance.
RECORD_SLOTS = [(4, 2), (10, 2)] + [(s, 2) for s in range(11, 26)] + [
    (9, 2), (0, 4), (1, 4), (2, 4), (3, 4), (6, 2), (7, 2), (8, 2), (5, 4)]


class Report:
    def __init__(self):
        self.passed = 0
        self.slot_rows = []   # (spectrum, run, item, calc, reference)
        self.messages = []

    def check(self, ok, message):
        if ok:
            self.passed += 1
        else:
            self.messages.append(message)
        return ok

    @property
    def failed(self):
        return len(self.messages) + len(self.slot_rows)


def same_value(a, b, exact=False):
    if math.isnan(a) or math.isnan(b):
        return math.isnan(a) and math.isnan(b)
    if exact or math.isinf(a) or math.isinf(b):
        return a == b
    return abs(a - b) <= REL_TOL * max(abs(a), abs(b)) + ABS_TOL


def relative_difference(a, b):
    if math.isnan(a) or math.isnan(b) or math.isinf(a) or math.isinf(b):
        return "n/a"
    scale = max(abs(a), abs(b))
    return "%.3g" % (abs(a - b) / scale if scale else 0.0)


# ---------------------------------------------------------------- spectra

def planck_1nm(T):
    return ref.planck_spectrum(float(T), 401, ref.STEP_1NM, ref.C1_CCT)


def band(centre, half_width):
    return [max(0.0, 1.0 - abs(380 + i - centre) / half_width) for i in range(401)]


def synthetic_cases(tables):
    """(name, spectrum, ratio text, illuminance text, file form)."""
    daylight = ref.interpolate_10nm_to_1nm(ref.daylight_10nm(6504.0, tables))
    line = [0.0] * 401
    line[175] = 1.0
    purple = [a + 2.0 * b for a, b in zip(band(450, 6), band(660, 6))]
    # X + Y + Z is exactly zero (2°) while X, Y, Z are not: no chromaticity.
    zero_sum = [0.0] * 401
    zero_sum[100] = 1.0
    zero_sum[136] = -1.3639597677410873
    return [
        ("planck-2856K", planck_1nm(2856), "1", "1000", "value"),
        ("planck-6500K", planck_1nm(6500), "0.75", "523.456", "nm"),
        ("planck-1500K", planck_1nm(1500), "1", "12.5", "value"),
        # Each lands on its own CCT: both sides of the reference switches.
        ("planck-5000K", planck_1nm(5000), "1.25", "77", "value"),
        ("planck-5001K", planck_1nm(5001), "1", "77", "nm"),
        ("planck-7000K", planck_1nm(7000), "1", "88.1", "nm"),
        ("planck-7001K", planck_1nm(7001), "1", "88.1", "value"),
        ("planck-40000K", planck_1nm(40000), "1", "99.99", "value"),
        ("daylight-6504K", daylight, "0.9934089058637618", "10994.51", "nm"),
        ("equal-energy", [1.0] * 401, "1", "1", "value"),
        ("equal-energy-ratio0", [1.0] * 401, "0", "1", "value"),
        ("line-555nm", line, "1", "0", "nm"),
        ("band-450nm", band(450, 6), "1", "3.3", "value"),
        ("purple-450+660nm", purple, "1.0125921577215196", "149.73", "value"),
        ("all-zero", [0.0] * 401, "1", "0", "value"),
        ("zero-sum-480-516nm", zero_sum, "1", "0", "nm"),
        # Finite X, Y, Z whose sums overflow.
        ("equal-energy-1e306", [1e306] * 401, "1", "0", "value"),
    ]


def meter_cases(records_tool, count):
    out = subprocess.run([records_tool, str(count)], capture_output=True, text=True,
                         timeout=60, check=True).stdout
    cases, label = [], None
    for line in out.splitlines():
        if line.startswith("#"):
            label = line.lstrip("# ").strip()
            continue
        if not line.strip():
            continue
        fields = line.split(",")
        if len(fields) != 404:
            raise ValueError("meter-records line with %d fields: %.60s" % (len(fields), line))
        name = "meter-%02d %s" % (len(cases), label or "")
        form = "nm" if len(cases) % 2 else "value"
        cases.append((name, [int(v) for v in fields[3:]], fields[2], fields[1], form))
    if len(cases) != count:
        raise ValueError("meter-records gave %d records, expected %d" % (len(cases), count))
    return cases


def spectrum_text(values, form):
    def text(v):
        return str(v) if isinstance(v, int) else repr(float(v))
    if form == "nm":
        return "".join("%d,%s\n" % (380 + i, text(v)) for i, v in enumerate(values))
    return "".join(text(v) + "\n" for v in values)


def write_spectrum(tmp, n, values, form):
    path = os.path.join(tmp, "spectrum%02d.txt" % n)
    with open(path, "w") as handle:
        handle.write(spectrum_text(values, form))
    return path


# ---------------------------------------------------------------- calculator runs

def parse_output(stdout, report, where):
    """Slot values from the calculator's output, or None; checks the text forms."""
    lines = stdout.splitlines()
    if not report.check(len(lines) == 53, "%s: %d output lines, expected 53" % (where, len(lines))):
        return None, None
    return parse_values(ref.SLOT_NAMES, lines[:26], report, where), lines[26:]


def parse_values(names, lines, report, where):
    """Values of lines 'name <%.17g value>', NaN for each line (reported) that is not."""
    values, ok = [], True
    for name, line in zip(names, lines):
        parts = line.split()
        try:
            value = float(parts[1]) if len(parts) == 2 and parts[0] == name else None
        except ValueError:
            value = None
        if value is None or "%.17g" % value != parts[1]:
            ok = report.check(False, "%s: line %r, expected '%s <%%.17g value>'" % (where, line, name))
            value = float("nan")
        values.append(value)
    if ok:
        report.passed += 1
    return values


def check_texts(texts, values, illuminance, report, where):
    expected = ["%.2f" % float(illuminance)]
    expected += ["%.*f" % (decimals, values[slot]) for slot, decimals in RECORD_SLOTS]
    bad = [(i + 2, got, want) for i, (got, want) in enumerate(zip(texts, expected)) if got != want]
    report.check(not bad, "%s: record texts differ (entry, calc, expected): %r" % (where, bad))


def run_tool(arguments):
    try:
        return subprocess.run(arguments, capture_output=True, text=True, timeout=120)
    except subprocess.TimeoutExpired:
        return subprocess.CompletedProcess(arguments, -1, "", "timed out after 120 s")


def run_calc(calc, observer, ratio, illuminance, path):
    return run_tool([calc, "--observer", str(observer), "--ratio", ratio,
                     "--illuminance", illuminance, path])


def check_calculator(calc, cases, tables, tmp, report):
    for n, (name, spectrum, ratio, illuminance, form) in enumerate(cases):
        path = write_spectrum(tmp, n, spectrum, form)
        by_observer = {}
        for observer in (0, 1):
            where = "%s, observer %d" % (name, observer)
            done = run_calc(calc, observer, ratio, illuminance, path)
            if not report.check(done.returncode == 0, "%s: exit code %d, stderr %r"
                                % (where, done.returncode, done.stderr.strip())):
                continue
            values, texts = parse_output(done.stdout, report, where)
            if values is None:
                continue
            check_texts(texts, values, illuminance, report, where)
            if name in UNDETERMINED:
                kept = {6, 7, 8} | ({2, 3} if observer else set())
                shown = [ref.SLOT_NAMES[s] for s in range(26)
                         if s not in kept and not math.isnan(values[s])]
                report.check(not shown, "%s: no chromaticity, yet %r have values"
                             % (where, shown))
            expected = ref.color_parameters(spectrum, observer, float(ratio), tables)
            for slot, (a, b) in enumerate(zip(values, expected)):
                if same_value(a, b, slot in EXACT_SLOTS):
                    report.passed += 1
                else:
                    report.slot_rows.append((name, "obs %d" % observer, "%d %s"
                                             % (slot, ref.SLOT_NAMES[slot]), a, b))
            by_observer[observer] = values
        if len(by_observer) == 2:
            # Only u' and v' follow the observer; the rest must be bit-identical.
            differ = [s for s in range(26) if s not in (2, 3)
                      and not same_value(by_observer[0][s], by_observer[1][s], exact=True)]
            report.check(not differ, "%s: observer 1 changes slots %r" % (name, differ))
            check_label(name, by_observer[0], report)


# The virtual meter's light sources must be what their labels say.
LABEL_CCT = re.compile(r"(\d{4,5}) K\b")
LABEL_DAYLIGHT = {"D65": 6504, "D50": 5003}


def check_label(name, values, report):
    if not name.startswith("meter-"):
        return
    found = LABEL_CCT.search(name)
    named = [cct for key, cct in LABEL_DAYLIGHT.items() if key in name]
    cct = int(found.group(1)) if found else (named[0] if named else None)
    if cct is not None:
        report.check(abs(values[4] - cct) <= 0.02 * cct and abs(values[5]) < 0.006,
                     "%s: CCT %g K, duv %.4f" % (name, values[4], values[5]))


def check_reference(qtables, report):
    """The light-quality reference against the method's own check values."""
    for name, terms, cct, duv, at_500lx in METHOD_CHECKS:
        spectrum = [math.fsum(w * math.exp(-0.5 * ((380 + i - c) / s) ** 2) for w, c, s in terms)
                    for i in range(401)]
        q = lq.quality(spectrum, 500, qtables)
        if cct is None:
            ok = q["cct_valid"] == 0
        else:
            ok = q["cct_valid"] == 1 and abs(q["cct_ohno"] - cct) <= 1 \
                and abs(q["duv_ohno"] - duv) <= 1e-4
        report.check(ok, "reference, %s: T_cp %.2f K, Duv %.5f, valid %g"
                     % (name, q["cct_ohno"], q["duv_ohno"], q["cct_valid"]))
        off = {item: q[item] for item, value in at_500lx.items()
               if not abs(q[item] - value) <= 1e-4 * value}
        report.check(not off, "reference, %s at 500 lx: %r" % (name, off))


def check_quality(calc, cases, qtables, tmp, report):
    for n, (name, spectrum, _, illuminance, form) in enumerate(cases):
        path = write_spectrum(tmp, n, spectrum, form)
        for lux in [illuminance] + ([None] if name.startswith(WITHOUT_ILLUMINANCE) else []):
            option = ["--illuminance", lux] if lux else []
            where = " ".join([name + ", --quality"] + option)
            done = run_tool([calc, "--quality"] + option + [path])
            lines = done.stdout.splitlines()
            if not report.check(done.returncode == 0 and len(lines) == len(lq.NAMES),
                                "%s: exit code %d, %d output lines (expected %d), stderr %r"
                                % (where, done.returncode, len(lines), len(lq.NAMES),
                                   done.stderr.strip())):
                continue
            values = dict(zip(lq.NAMES, parse_values(lq.NAMES, lines, report, where)))
            for item, b in lq.quality(spectrum, lux, qtables).items():
                a = values[item]
                if (same_value(a, b, item in QUALITY_EXACT)
                        or abs(a - b) <= QUALITY_TOLERANCE.get(item, -1)
                        or (name == OVERFLOWING and math.isnan(a))):
                    report.passed += 1
                else:
                    report.slot_rows.append((name, "lux " + lux if lux else "no lux", item, a, b))
            # TM-30 needs T_cp and some light; then it is a number, else undetermined.
            determined = math.isfinite(values["cct_ohno"]) and any(spectrum)
            wrong = [item for item in lq.TM30_NAMES if not (
                math.isfinite(values[item]) if determined else math.isnan(values[item]))]
            report.check(not wrong, "%s: TM-30 items %r should be %s"
                         % (where, wrong, "finite" if determined else "nan"))


def check_malformed(calc, tmp, report):
    good = planck_1nm(2856)
    values = [repr(v) for v in good]
    abc = list(values)
    abc[16] = "abc"
    wrong_nm = ["%d,%s" % (380 + i, v) for i, v in enumerate(values)]
    wrong_nm[122] = "503,%s" % values[122]
    files = [
        ("400 values", values[:400], r"\b40[01]\b"),
        ("'abc' on line 17", abc, r"\b17\b"),
        ("wavelength 503 on line 123", wrong_nm, r"\b123\b"),
    ]
    for n, (what, lines, pattern) in enumerate(files):
        path = os.path.join(tmp, "malformed%d.txt" % n)
        with open(path, "w") as handle:
            handle.write("\n".join(lines) + "\n")
        done = run_calc(calc, 0, "1", "100", path)
        report.check(done.returncode == 2 and done.stdout == ""
                     and re.search(pattern, done.stderr) is not None,
                     "malformed file (%s): exit code %d, stdout %d chars, stderr %r"
                     % (what, done.returncode, len(done.stdout), done.stderr.strip()))


def print_failures(report):
    for message in report.messages:
        print("FAIL " + message)
    if report.slot_rows:
        header = ("spectrum", "run", "item", "calc", "reference", "rel.diff")
        rows = [(name, run, item, "%.17g" % a, "%.17g" % b, relative_difference(a, b))
                for name, run, item, a, b in report.slot_rows]
        widths = [max(len(r[c]) for r in rows + [header]) for c in range(len(header))]
        for row in [header] + rows:
            print("  ".join(cell.ljust(w) for cell, w in zip(row, widths)).rstrip())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--calc", required=True, help="solvane-calc executable")
    parser.add_argument("--records-tool", help="meter-records executable")
    parser.add_argument("--data", default=DEFAULT_DATA, help="directory of the CIE table CSV files")
    args = parser.parse_args()

    tables = ref.load_tables(args.data)
    qtables = lq.Tables(args.data)
    report = Report()
    check_reference(qtables, report)

    cases = synthetic_cases(tables)
    if args.records_tool:
        try:
            cases += meter_cases(args.records_tool, METER_RECORDS)
        except (OSError, subprocess.SubprocessError, ValueError) as error:
            report.check(False, "meter records from %s: %s" % (args.records_tool, error))
    if report.check(os.access(args.calc, os.X_OK), "no executable %s" % args.calc):
        with tempfile.TemporaryDirectory(prefix="solvane-crosscheck-") as tmp:
            check_calculator(args.calc, cases, tables, tmp, report)
            check_quality(args.calc, cases, qtables, tmp, report)
            check_malformed(args.calc, tmp, report)

    print_failures(report)
    print("crosscheck: %d passed, %d failed" % (report.passed, report.failed))
    return 1 if report.failed else 0


if __name__ == "__main__":
    sys.exit(main())
