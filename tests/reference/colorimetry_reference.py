"""Independent reference for Solvane's colorimetric result vector.

Pure Python 3, standard library only. It is written apart from the C++ engine
so that the engine can be checked from outside: do not port code across in
either direction. Arithmetic follows the engine's documented order of
operations (sums accumulated in ascending order, wavelengths advanced by
repeated addition, general pow for the Planck powers) so that results agree to
about 1e-9 and the whole-number CCT and dominant wavelength agree exactly.

Undetermined quantities are NaN. Python raises on division by zero where C
gives inf or NaN, so every division whose divisor can reach zero goes through
_div().
"""

import csv
import math
import os

NAN = float("nan")

SLOT_NAMES = (
    ["x", "y", "u_prime", "v_prime", "cct", "duv", "X", "Y", "Z",
     "dominant_wavelength", "Ra"]
    + ["R%d" % j for j in range(1, 16)]
)

# White point of the dominant-wavelength search: the equal-energy point to 7 decimals.
W = 0.3333333
# Slopes from W to the 380-nm and 780-nm locus entries; they bound the purple sector.
PURPLE_SLOPE_380 = 2.062344518672832
PURPLE_SLOPE_780 = -0.1694834046622369

C2 = 0.014388
C1_CCT = 3.7417749e-16      # colour-temperature step
C1_RENDERING = 3.74177e-16  # Planckian reference of the rendering step
C1C2 = 5.38366572612e-18    # derivative of the radiance with respect to T

TRISTIMULUS_FACTOR = 47080.0
TRISTIMULUS_DIVISOR = 13.785

GRID_START = 3.8e-07
STEP_1NM = 1e-09
STEP_5NM = 5e-09

TABLE_T0 = 1800.0
TABLE_STEP = 200.0
TABLE_ROWS = 101


def _div(a, b):
    """a / b with C double semantics for a zero divisor."""
    try:
        return a / b
    except ZeroDivisionError:
        if a != a or a == 0.0:
            return NAN
        return math.copysign(math.inf, a) * math.copysign(1.0, b)


def _cbrt(value):
    """Real cube root: a negative Y gives a negative root rather than NaN."""
    if hasattr(math, "cbrt"):
        return math.cbrt(value)
    return math.copysign(abs(value) ** (1.0 / 3.0), value)


# ---------------------------------------------------------------- tables

class Tables:
    """The constant tables, as plain lists of floats."""

    def __init__(self, cmf2, cmf10, tcs, s0, s1, s2, locus_x, locus_y):
        self.cmf2 = cmf2            # (xbar, ybar, zbar), 401 each, 380..780 nm
        self.cmf10 = cmf10
        self.tcs = tcs              # 15 lists of 81 radiance factors
        self.s0, self.s1, self.s2 = s0, s1, s2  # 41 each
        self.locus_x, self.locus_y = locus_x, locus_y  # 401 each
        self._planckian_table = None
        self._locus = None

    def planckian_table(self):
        # Always the 2° table, so one build serves every call.
        if self._planckian_table is None:
            self._planckian_table = init_planckian_table(self.cmf2)
        return self._planckian_table

    def locus(self):
        if self._locus is None:
            slopes = locus_slopes(self.locus_x, self.locus_y)
            self._locus = (slopes, arc_boundaries(slopes))
        return self._locus


def _read_csv(path, first_nm, step_nm, rows, columns):
    with open(path, newline="", encoding="utf-8") as handle:
        reader = csv.reader(handle)
        next(reader)  # header
        data = [row for row in reader if row]
    if len(data) != rows:
        raise ValueError("%s: %d rows, expected %d" % (path, len(data), rows))
    for k, row in enumerate(data):
        if len(row) != columns + 1 or int(row[0]) != first_nm + step_nm * k:
            raise ValueError("%s: bad row %d: %r" % (path, k + 2, row))
    return [[float(row[c + 1]) for row in data] for c in range(columns)]


def load_tables(data_dir):
    j = os.path.join
    cmf2 = _read_csv(j(data_dir, "cie1931_2deg_cmf_380_780_1nm.csv"), 380, 1, 401, 3)
    cmf10 = _read_csv(j(data_dir, "cie1964_10deg_cmf_380_780_1nm.csv"), 380, 1, 401, 3)
    tcs = _read_csv(j(data_dir, "cie13_3_tcs01_tcs15_380_780_5nm.csv"), 380, 5, 81, 15)
    s0, s1, s2 = _read_csv(j(data_dir, "cie_daylight_s0_s1_s2_380_780_10nm.csv"), 380, 10, 41, 3)
    lx, ly = _read_csv(j(data_dir, "cie1931_spectral_locus_380_780_1nm.csv"), 380, 1, 401, 2)
    return Tables(tuple(cmf2), tuple(cmf10), tcs, s0, s1, s2, lx, ly)


# ---------------------------------------------------------------- Planck

def planck_radiance(lam, T, c1=C1_CCT):
    return c1 * lam ** -5 / (math.exp(C2 / (lam * T)) - 1)


def planck_radiance_derivative(lam, T):
    e = math.exp(C2 / (lam * T))
    return C1C2 * e / (lam ** 6 * (T * T) * ((e - 1) * (e - 1)))


def planck_spectrum(T, count, step, c1=C1_CCT):
    values = []
    lam = GRID_START
    for _ in range(count):
        values.append(planck_radiance(lam, T, c1))
        lam += step
    return values


def planck_derivative_spectrum(T, count, step):
    values = []
    lam = GRID_START
    for _ in range(count):
        values.append(planck_radiance_derivative(lam, T))
        lam += step
    return values


# ---------------------------------------------------------------- tristimulus and chromaticity

def _grid_pairs(count):
    """(spectrum index, table row) pairs of the grid that the count selects."""
    if count in (401, 400):
        return [(i, i) for i in range(count)]
    if count == 81:
        return [(k, 5 * k) for k in range(81)]
    if count == 41:
        return [(k, 10 * k) for k in range(41)]
    if count == 701:
        return [(i, i - 80) for i in range(80, 481)]
    return []


def tristimulus(spectrum, count, cmf):
    xbar, ybar, zbar = cmf
    X = Y = Z = 0.0
    for i, row in _grid_pairs(count):
        s = spectrum[i]
        X += s * xbar[row]
        Y += s * ybar[row]
        Z += s * zbar[row]
    return X, Y, Z


def chromaticity_xy(X, Y, Z):
    total = X + Y + Z
    if total == 0.0 or math.isinf(total) or math.isnan(total):
        return NAN, NAN
    return X / total, Y / total


def chromaticity_uv(X, Y, Z):
    """CIE 1960 u, v; none when the denominator overflows."""
    den = X + 15 * Y + 3 * Z
    if math.isinf(den):
        return NAN, NAN
    return _div(4 * X, den), _div(6 * Y, den)


def chromaticity_u_v_prime(x, y):
    """CIE 1976 u', v' from x, y."""
    den = -2 * x + 12 * y + 3
    if den == 0.0:
        return NAN, NAN
    return 4 * x / den, 9 * y / den


# ---------------------------------------------------------------- dominant wavelength

def locus_slopes(locus_x, locus_y):
    return [_div(ly - W, lx - W) for lx, ly in zip(locus_x, locus_y)]


def arc_boundaries(slopes):
    """Indices where the locus slope changes sign, scanning from 380 nm."""
    i0 = next(b for b in range(len(slopes)) if slopes[b] <= 0)
    i1 = next(b for b in range(i0 + 1, len(slopes)) if slopes[b] > 0)
    i2 = next(b for b in range(i1 + 1, len(slopes)) if slopes[b] <= 0)
    return i0, i1, i2


def dominant_wavelength(x, y, tables):
    slopes, (i0, i1, i2) = tables.locus()
    dx = x - W
    dy = y - W
    if dy - PURPLE_SLOPE_380 * dx < 0 and dy - PURPLE_SLOPE_780 * dx < 0:
        return NAN
    s = _div(y - W, x - W)
    if x <= W and y <= W:
        arc = range(0, i0 + 1)
    elif x <= W and y > W:
        arc = range(i0 + 1, i1 + 1)
    elif x > W and y >= W:
        arc = range(i1 + 1, i2 + 1)
    elif x > W and y < W:
        arc = range(i2 + 1, len(slopes))
    else:
        return NAN  # NaN chromaticity
    for b in arc:
        if s >= slopes[b]:
            return 380.0 + b
    return 380.0 + arc[-1]


# ---------------------------------------------------------------- correlated colour temperature

def isotemperature_slope(T, X, Y, Z, cmf):
    D = planck_derivative_spectrum(T, 81, STEP_5NM)
    Xd, Yd, Zd = tristimulus(D, 81, cmf)
    A = X * Yd - Y * Xd
    B = Z * Yd - Y * Zd
    C = Z * Xd - X * Zd
    return _div(-(2 * C - 10 * A), A + 3 * B)


def planckian_locus_point(T, cmf):
    M = planck_spectrum(T, 81, STEP_5NM)
    X, Y, Z = tristimulus(M, 81, cmf)
    u, v = chromaticity_uv(X, Y, Z)
    return u, v, isotemperature_slope(T, X, Y, Z, cmf)


def init_planckian_table(cmf):
    return [planckian_locus_point(TABLE_T0 + TABLE_STEP * k, cmf) for k in range(TABLE_ROWS)]


def _positive_side(u, v, point):
    uT, vT, tT = point
    return (v - vT) - tT * (u - uT) > 0  # NaN compares false


def _positive_side_normalised(u, v, point):
    uT, vT, tT = point
    d = (v - vT) - tT * (u - uT)
    return d / math.sqrt(1 + tT * tT) > 0


def calculate_cct(u, v, table, cmf):
    if not (math.isfinite(u) and math.isfinite(v)):
        return NAN, NAN  # no chromaticity, no temperature
    k = next((k for k in range(TABLE_ROWS) if _positive_side(u, v, table[k])), None)
    if k == 0:
        cct, point = TABLE_T0, table[0]
    elif k is None:
        cct, point = TABLE_T0 + TABLE_STEP * (TABLE_ROWS - 1), table[TABLE_ROWS - 1]
    else:
        upper = TABLE_T0 + TABLE_STEP * k
        T = TABLE_T0 + TABLE_STEP * (k - 1) + 20
        while T < upper:
            if _positive_side_normalised(u, v, planckian_locus_point(T, cmf)):
                upper = T
                break
            T += 20
        cct, point = upper, None
        T = upper - 20 + 1
        while T <= upper:
            candidate = planckian_locus_point(T, cmf)
            if _positive_side_normalised(u, v, candidate):
                cct, point = T, candidate
                break
            T += 1
        if point is None:  # cannot happen: the upper end tested positive
            point = planckian_locus_point(cct, cmf)
    uP, vP, _ = point
    duv = math.sqrt((u - uP) * (u - uP) + (v - vP) * (v - vP))
    if u > uP:
        duv = -duv
    return cct, duv


# ---------------------------------------------------------------- colour rendering

def adaptation_cd(u, v):
    c = _div(4 - u - 10 * v, v)
    d = _div(1.708 * v + 0.404 - 1.481 * u, v)
    return c, d


def daylight_components(T):
    """M1, M2 of CIE daylight at correlated colour temperature T."""
    if T <= 7000:
        xD = -4.607 * (1e9 / T ** 3) + 2.9678 * (1e6 / T ** 2) + 0.09911 * (1000 / T) + 0.244063
    else:
        xD = -2.0064 * (1e9 / T ** 3) + 1.9018 * (1e6 / T ** 2) + 0.24748 * (1000 / T) + 0.23704
    yD = -3.0 * (xD * xD) + 2.87 * xD - 0.275
    M = 0.0241 + 0.2562 * xD - 0.7341 * yD
    M1 = (-1.3515 - 1.7703 * xD + 5.9114 * yD) / M
    M2 = (0.03 - 31.4424 * xD + 30.0717 * yD) / M
    return M1, M2


def daylight_10nm(T, tables):
    M1, M2 = daylight_components(T)
    return [tables.s0[k] + M1 * tables.s1[k] + M2 * tables.s2[k] for k in range(41)]


def interpolate_10nm_to_1nm(values41):
    """Linear interpolation; the 10-nm values themselves are kept exactly."""
    out = []
    for k in range(40):
        a, b = values41[k], values41[k + 1]
        out.append(a)
        for m in range(1, 10):
            out.append(a + (b - a) * m / 10)
    out.append(values41[40])
    return out


def reference_spectrum(T, tables):
    """(spectrum, count) of the reference illuminant for CCT T: Planckian up to
    5000 K, else daylight interpolated to 1 nm, so that both sides see the
    same held test-colour-sample values."""
    if T <= 5000:
        return planck_spectrum(T, 401, STEP_1NM, C1_RENDERING), 401
    return interpolate_10nm_to_1nm(daylight_10nm(T, tables)), 401


def sample_uvw(S, count, u_k, v_k, c_r, d_r, u_r, v_r, cmf, tcs, test_side=False):
    """(U*, V*, W*) of the 15 test colour samples under illuminant S.

    count 41 is the 10-nm grid (products x10, sample entry 2k, table row 10k);
    otherwise the 1-nm grid over the first count values, the 5-nm sample value
    held over the 5 nm that start at it.
    """
    xbar, ybar, zbar = cmf
    if count == 41:
        grid = [(k, 2 * k, 10 * k) for k in range(41)]
        factor = 10
    else:
        grid = [(i, i // 5, i) for i in range(count)]
        factor = None

    total = 0.0
    for i, _, row in grid:
        total += S[i] * ybar[row] * factor if factor else S[i] * ybar[row]
    F = _div(100, total)

    c_k, d_k = adaptation_cd(u_k, v_k)
    c_ratio = _div(c_r, c_k)
    d_ratio = _div(d_r, d_k)

    triples = []
    for R in tcs:
        X = Y = Z = 0.0
        for i, j, row in grid:
            p = S[i] * R[j]
            if factor:
                X += p * xbar[row] * factor
                Y += p * ybar[row] * factor
                Z += p * zbar[row] * factor
            else:
                X += p * xbar[row]
                Y += p * ybar[row]
                Z += p * zbar[row]
        X *= F
        Y *= F
        Z *= F
        den = X + 15 * Y + 3 * Z
        if test_side and den == 0.0:
            den = 1e-05
        u_j = _div(4 * X, den)
        v_j = _div(6 * Y, den)
        c_j, d_j = adaptation_cd(u_j, v_j)
        cp = c_j * c_ratio
        dp = d_j * d_ratio
        N = 16.518 + 1.481 * cp - dp
        up = _div(10.872 + 0.404 * cp - 4 * dp, N)
        vp = _div(5.520, N)
        w_star = 25 * _cbrt(Y) - 17
        triples.append((13 * w_star * (up - u_r), 13 * w_star * (vp - v_r), w_star))
    return triples


def reference_illuminant(T, tables):
    """u_r, v_r, c_r, d_r and the reference triples for CCT T (2° observer)."""
    S, count = reference_spectrum(T, tables)
    u_r, v_r = chromaticity_uv(*tristimulus(S, count, tables.cmf2))
    c_r, d_r = adaptation_cd(u_r, v_r)
    triples = sample_uvw(S, count, u_r, v_r, c_r, d_r, u_r, v_r, tables.cmf2, tables.tcs)
    return u_r, v_r, c_r, d_r, triples


def rendering_indices(reference, test):
    """R1..R15 and Ra from the two sets of (U*, V*, W*)."""
    R = []
    for (Ur, Vr, Wr), (Ut, Vt, Wt) in zip(reference, test):
        dE = ((Ur - Ut) * (Ur - Ut) + (Vr - Vt) * (Vr - Vt) + (Wr - Wt) * (Wr - Wt)) ** 0.5
        R.append(100 - 4.6 * dE)
    total = 0.0
    for r in R[:8]:
        total += r
    return total * 0.125, R


# ---------------------------------------------------------------- result vector

def color_parameters(spectrum, observer, ratio, tables, data_count=401):
    """The 26 result slots for one 401-point spectrum (see SLOT_NAMES)."""
    if observer not in (0, 1):
        raise ValueError("observer must be 0 or 1")
    if len(spectrum) != 401:
        raise ValueError("spectrum must have 401 values")
    spectrum = [float(s) for s in spectrum]

    # u', v' belong to the selected observer; everything else is 2°.
    X, Y, Z = tristimulus(spectrum, 401, tables.cmf10 if observer else tables.cmf2)
    x, y = chromaticity_xy(X, Y, Z)
    u_p, v_p = chromaticity_u_v_prime(x, y)
    if observer:
        X, Y, Z = tristimulus(spectrum, 401, tables.cmf2)
        x, y = chromaticity_xy(X, Y, Z)
    u, v = chromaticity_uv(X, Y, Z)

    wavelength = dominant_wavelength(x, y, tables)
    if all(math.isfinite(c) for c in (x, y, u, v)):
        cct, duv = calculate_cct(u, v, tables.planckian_table(), tables.cmf2)
        u_r, v_r, c_r, d_r, ref = reference_illuminant(cct, tables)
        test = sample_uvw(spectrum, data_count, u, v, c_r, d_r, u_r, v_r,
                          tables.cmf2, tables.tcs, test_side=True)
        Ra, R = rendering_indices(ref, test)
    else:
        # An undetermined chromaticity leaves everything that follows from it undetermined.
        cct = duv = Ra = NAN
        R = [NAN] * 15

    scaled = [value * ratio * TRISTIMULUS_FACTOR / TRISTIMULUS_DIVISOR for value in (X, Y, Z)]
    return [x, y, u_p, v_p, cct, duv] + scaled + [wavelength, Ra] + R
