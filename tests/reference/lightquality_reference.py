"""Independent reference for the light-quality measures of solvane-calc --quality.

Pure Python 3, standard library only, written from the method note and apart
from the C++ engine: the absolute scale, the α-opic quantities, the photon flux
densities, S/P, the spectral shape and T_cp/Duv with their validity flag.
TM-30 is not reproduced here.

Sums are formed on the spectrum divided by its largest magnitude, so that a
finite spectrum cannot overflow them. A spectrum without positive luminance
(Σ S ȳ ≤ 0) has no scale, no ratio to it and no chromaticity: those are NaN.
"""

import math
import os

import colorimetry_reference as ref

NAN = float("nan")
K_M = 683.002  # lm/W
C2 = 1.4388e-2  # m·K
PHOTON_MOL = 6.62607015e-34 * 299792458.0 * 6.02214076e23  # h c N_A, J·m/mol
ALPHA = ("sc", "mc", "lc", "rh", "mel")
K_D65 = dict(zip(ALPHA, (0.8173e-3, 1.4558e-3, 1.6289e-3, 1.4497e-3, 1.3262e-3)))  # W/lm
BANDS = [("ppfd", 400, 700), ("pfd_blue", 400, 499), ("pfd_green", 500, 599),
         ("pfd_red", 600, 700), ("pfd_far_red", 701, 780)]
MIREDS = (40, 1000)  # T_cp is searched over 25 000..1000 K
DUV_LIMIT = 0.05
MIRED_TOL = 1e-8  # final bracket; below 0.01 K at 25 000 K

TM30_NAMES = (["tm30_rf", "tm30_rg"]
              + ["tm30_%s_h%d" % (kind, j) for kind in ("rf", "rcs", "rhs") for j in range(1, 17)]
              + ["cie2017_rf"])
NAMES = (["cct_ohno", "duv_ohno", "cct_valid"] + TM30_NAMES
         + ["%s_%s" % (a, kind) for kind in ("irradiance", "edi", "der") for a in ALPHA]
         + [b[0] for b in BANDS] + ["sp_ratio", "peak_wavelength", "fwhm", "centroid_wavelength"])


def _dot(a, b, first=0, last=400):
    return math.fsum(a[i] * b[i] for i in range(first, last + 1))


class Tables:
    def __init__(self, data_dir):
        def read(name, columns):
            return ref._read_csv(os.path.join(data_dir, name), 380, 1, 401, columns)
        self.cmf2 = read("cie1931_2deg_cmf_380_780_1nm.csv", 3)
        self.alpha = dict(zip(ALPHA, read("cie_s026_alpha_opic_380_780_1nm.csv", 5)))
        self.locus = [(m, self.planck_uv(m)) for m in range(MIREDS[0], MIREDS[1] + 1)]

    def planck_uv(self, mired):
        """CIE 1960 (u, v) of the Planckian radiator at 10⁶/mired K."""
        p = [1 / ((380 + i) ** 5 * math.expm1(C2 * 1e3 * mired / (380 + i))) for i in range(401)]
        X, Y, Z = (_dot(p, c) for c in self.cmf2)
        return 4 * X / (X + 15 * Y + 3 * Z), 6 * Y / (X + 15 * Y + 3 * Z)


def cct_duv(u, v, tables):
    """(T_cp, Duv, valid): a 1-mired scan, then a ternary search of the best interval."""
    def dist2(m):
        uP, vP = tables.planck_uv(m)
        return (u - uP) ** 2 + (v - vP) ** 2

    best = min(tables.locus, key=lambda e: (u - e[1][0]) ** 2 + (v - e[1][1]) ** 2)[0]
    lo, hi = max(best - 1, MIREDS[0]), min(best + 1, MIREDS[1])
    # A minimum still falling at the end of the range lies outside it: not valid.
    inward = 1e-6 if best == MIREDS[0] else -1e-6
    beyond = best in MIREDS and dist2(best) <= dist2(best + inward)
    while hi - lo > MIRED_TOL and not beyond:
        a, b = lo + (hi - lo) / 3, hi - (hi - lo) / 3
        if dist2(a) < dist2(b):
            hi = b
        else:
            lo = a
    m = best if beyond else (lo + hi) / 2
    uP, vP = tables.planck_uv(m)
    duv = math.copysign(math.hypot(u - uP, v - vP), v - vP)
    return 1e6 / m, duv, 0.0 if beyond or abs(duv) > DUV_LIMIT else 1.0


def quality(spectrum, illuminance, tables):
    """name -> value for every item of NAMES but TM-30; illuminance None for none."""
    out = dict.fromkeys((n for n in NAMES if n not in TM30_NAMES), NAN)
    out["cct_valid"] = 0.0
    S = [float(x) for x in spectrum]
    largest = max(abs(x) for x in S)
    if largest == 0 or not math.isfinite(largest):
        return out
    s = [x / largest for x in S]
    lams = [380.0 + i for i in range(401)]

    peak = max(S)
    if peak > 0:
        i = S.index(peak)
        half = peak / 2
        a = b = i
        while a > 0 and S[a - 1] >= half:
            a -= 1
        while b < 400 and S[b + 1] >= half:
            b += 1
        left = 380.0 if a == 0 else 379 + a + (half - S[a - 1]) / (S[a] - S[a - 1])
        right = 780.0 if b == 400 else 380 + b + (S[b] - half) / (S[b] - S[b + 1])
        out.update(peak_wavelength=380.0 + i, fwhm=right - left)
    if math.fsum(s) > 0:
        out["centroid_wavelength"] = _dot(lams, s) / math.fsum(s)

    X, Y, Z = (_dot(s, c) for c in tables.cmf2)
    if Y <= 0:
        return out
    Ev = NAN if illuminance is None else float(illuminance)
    k = Ev / (K_M * Y) if Ev > 0 and math.isfinite(Ev) else NAN  # W·m⁻²·nm⁻¹ per unit of s
    for a in ALPHA:
        weighted = _dot(s, tables.alpha[a])
        out[a + "_irradiance"] = k * weighted
        out[a + "_edi"] = k * weighted / K_D65[a]
        out[a + "_der"] = weighted / (K_M * Y * K_D65[a])
    for name, first, last in BANDS:
        out[name] = k * _dot(s, lams, first - 380, last - 380) * 1e-9 / PHOTON_MOL * 1e6
    out["sp_ratio"] = 1700 * _dot(s, tables.alpha["rh"]) / (K_M * Y)
    den = X + 15 * Y + 3 * Z
    if den > 0:
        out["cct_ohno"], out["duv_ohno"], out["cct_valid"] = cct_duv(4 * X / den, 6 * Y / den,
                                                                     tables)
    return out
