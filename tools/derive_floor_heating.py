#!/usr/bin/env python3
"""Derives the characteristic lines of the floor heating systems we ship and writes
data/include/floorheating.xml.

Method: EN 1264-2, systems of type A (tube inside the screed); each system below
declares its one build-up, and only systems of that type are derived.

No dry system (type B: tube in grooves of the insulation under a dry screed, with
heat-conducting plates) is shipped.  EN 1264-2 derives those with the plate's
own parameter (its thickness and conductivity through K_WL, the contact between
plate and tube) and with the type-B tables of its annex; the open source whose
type-A tables we use below publishes the type-A method only, and no published
source at hand gives the type-B tables to follow.  A dry system would have to be
measured by the test method of EN 1264-2 instead, so none is offered.

Characteristic line (annex A):

    q = K_H * dT_H,   K_H = B * a_B * a_T^m_T * a_u^m_u * a_D^m_D

    a_B = (1/alpha + s_u0/lambda_u0) / (1/alpha + s_u0/lambda_E + R)
          alpha = 10.8 W/m2K, s_u0 = 0.045 m, lambda_u0 = 1.0 W/mK; the real screed
          thickness enters through a_u^m_u only
    m_T = 1 - T/0.075            (T tube spacing, m)
    m_u = 100 * (0.045 - s_u)    (s_u screed above the tube, m)
    m_D = 250 * (D - 0.020)      (D outer tube diameter, m)
    a_T by the covering's resistance R (table A.1); a_u and a_D by R and the
    spacing (tables A.2 and A.3), linearly between tabulated spacings.
    B = B_0 = 6.7 W/m2K for tubes of lambda_R0 = 0.35 W/mK and a 2 mm wall; other
    tubes with
    1/B = 1/B_0 + 1.1/pi * a_B a_T^m_T a_u^m_u a_D^m_D * T *
          (ln(D/(D-2 s_R))/(2 lambda_R) - ln(D/(D-2 s_R0))/(2 lambda_R0)).

Limit curve (the heat flux at which the warmest spot of the floor reaches the
limit, 9 K above the room in the occupied zone):

    q_G = phi * B_G * (dT_H/phi)^n_G,  phi = 1 for 9 K,
    B_G and n_G by the spacing and s_u/lambda_E (tables A.4 and A.6, for
    s_u/lambda_E <= 0.0792).  The line meets the curve at
    dT_H,G = (B_G/K_H)^(1/(1-n_G)), q_G = K_H * dT_H,G.

The catalogue's equation q = LineSteep * dT_H^Exponent + LineyIntersection then
has LineSteep = K_H, Exponent = 1, LineyIntersection = 0.  The program finds the
surface temperature from the basic characteristic q = 8.92 (t_F - t_i)^1.1 with q
multiplied by SurfaceTempFactor: a factor of 100/q_G (where q_G < 100 W/m2, else
1) puts 9 K exactly where the limit curve puts the limit, so the surface turns
red where the standard's limit heat flux is exceeded.

The tables are those of EN 1264-2 annex A as published in the open building
simulation library AixLib (RWTH-EBC/AixLib, EN1264/TablesAndParameters/
K_H_TypeA.mo and qG_TypeA.mo).

Run from the repository root:  python3 tools/derive_floor_heating.py
"""
import math
import os
from xml.sax.saxutils import escape

ALPHA, SU0, LAMBDA_U0 = 10.8, 0.045, 1.0
B0, LAMBDA_R0, SR0 = 6.7, 0.35, 0.002

# Tables A.1 to A.3: by covering resistance R (m2K/W) and spacing T (m).
A_T = {0.0: 1.23, 0.05: 1.188, 0.10: 1.156, 0.15: 1.134}
T_TAB = [0.05, 0.075, 0.1, 0.15, 0.2, 0.225, 0.3, 0.375]
A_U = {
    0.0: [1.069, 1.066, 1.063, 1.057, 1.051, 1.048, 1.0395, 1.03],
    0.05: [1.056, 1.053, 1.05, 1.046, 1.041, 1.038, 1.031, 1.0221],
    0.10: [1.043, 1.041, 1.039, 1.035, 1.0315, 1.0295, 1.024, 1.0181],
    0.15: [1.037, 1.035, 1.0335, 1.0305, 1.0275, 1.026, 1.021, 1.015],
}
A_D = {
    0.0: [1.013, 1.021, 1.029, 1.04, 1.046, 1.049, 1.053, 1.056],
    0.05: [1.013, 1.019, 1.025, 1.034, 1.04, 1.043, 1.049, 1.051],
    0.10: [1.012, 1.016, 1.022, 1.029, 1.035, 1.038, 1.044, 1.046],
    0.15: [1.011, 1.014, 1.018, 1.024, 1.03, 1.033, 1.039, 1.042],
}

# Tables A.4 (B_G) and A.6 (n_G): by spacing (rows) and s_u/lambda_E (columns).
SL_TAB = [0.01, 0.0208, 0.0292, 0.0375, 0.0458, 0.0542, 0.0625, 0.0708, 0.0792]
BG_T = [0.05, 0.075, 0.1, 0.15, 0.2, 0.225, 0.3, 0.375]
B_G = [
    [85, 91.5, 96.8, 100, 100, 100, 100, 100, 100],
    [75.3, 83.5, 89.9, 96.3, 99.5, 100, 100, 100, 100],
    [66, 75.4, 82.9, 89.3, 95.5, 98.8, 100, 100, 100],
    [51, 61.1, 69.2, 76.3, 82.7, 87.5, 91.8, 95.1, 97.8],
    [38.5, 48.2, 56.2, 63.1, 69.1, 74.5, 81.3, 86.4, 90],
    [33, 42.5, 49.5, 56.5, 62, 67.5, 75.3, 81.6, 86.1],
    [20.5, 26.8, 31.6, 36.4, 41.5, 47.5, 57.5, 65.3, 72.4],
    [11.5, 13.7, 15.5, 18.2, 21.5, 27.5, 40, 49.1, 58.3],
]
NG_T = [0.05, 0.075, 0.1, 0.15, 0.2, 0.225, 0.2625, 0.3, 0.3375, 0.375]
N_G = [
    [0.008, 0.005, 0.002, 0, 0, 0, 0, 0, 0],
    [0.024, 0.021, 0.018, 0.011, 0.002, 0, 0, 0, 0],
    [0.046, 0.043, 0.041, 0.033, 0.014, 0.005, 0, 0, 0],
    [0.088, 0.085, 0.082, 0.076, 0.055, 0.038, 0.024, 0.014, 0.006],
    [0.131, 0.13, 0.129, 0.123, 0.105, 0.083, 0.057, 0.04, 0.028],
    [0.155, 0.154, 0.153, 0.146, 0.13, 0.11, 0.077, 0.056, 0.041],
    [0.197, 0.196, 0.196, 0.19, 0.173, 0.15, 0.11, 0.083, 0.062],
    [0.254, 0.253, 0.253, 0.245, 0.228, 0.195, 0.145, 0.114, 0.086],
    [0.322, 0.321, 0.321, 0.31, 0.293, 0.26, 0.187, 0.148, 0.115],
    [0.422, 0.421, 0.421, 0.405, 0.385, 0.325, 0.23, 0.183, 0.142],
]

# Projects store the covering's name, so it is the same in every language: the
# resistance first, then the kind of covering in Hungarian and English.
COVERINGS = [  # (R, stored name)
    (0.0, "R 0.00 esztrich/screed"),
    (0.05, "R 0.05 kerámia/tiles"),
    (0.10, "R 0.10 parketta/parquet"),
    (0.15, "R 0.15 szőnyeg/carpet"),
]

# One declared build-up per system.  The tubes' conductivities are those of the
# tube items (ThermalCond).
TUBES = {  # tube item macro: (material as the build-up names it, lambda_R in W/mK)
    "%TUBE_PEXA%": ("PE-Xa", 0.35),
    "%TUBE_PERT%": ("PE-RT", 0.40),
}

# The narrowest spacing each tube size is laid at: the thinner the tube, the
# tighter the turns it takes; all sizes go out to 300 mm.
SPACINGS = {
    "14x2": [50, 75, 100, 150, 200, 250, 300],
    "16x2": [75, 100, 150, 200, 250, 300],
    "17x2": [75, 100, 150, 200, 250, 300],
    "20x2": [100, 150, 200, 250, 300],
}

CEMENT = (1.2, "Cementesztrich", "Cement screed")
ANHYDRITE = (1.2, "Anhidrit esztrich", "Anhydrite screed")


def system(name, tube, size, screed_mm, screed=CEMENT, spacings=None, code=None):
    material, lambda_r = TUBES[tube]
    lambda_e, screed_hu, screed_en = screed
    outer = float(size.split("x")[0])
    return dict(
        name=name, type="A", path="%FH_PATH%\\%WET%\\" + size + " %TUBE_DIR%", tube=tube, size=size,
        D=outer / 1000, sR=0.002, lambdaR=lambda_r, su=screed_mm / 1000, lambdaE=lambda_e,
        spacings=spacings or SPACINGS[size], code=code or f"VX-FH{size.split('x')[0]}-{screed_mm}",
        build_hu=f"{screed_hu} {screed_mm} mm a cső felett ({lambda_e:g} W/mK), {material} cső {size}, "
                 "rendszerlemez 30 mm".replace(".", ","),
        build_en=f"{screed_en} {screed_mm} mm above the tube ({lambda_e:g} W/mK), {material} tube {size}, "
                 "system panel 30 mm")


# In catalogue order: wet systems by tube size, and within a size by screed.  The
# first two lines, FH-W16 and FH-W17 (spacings from 100 mm; FH-W17 under 35 mm of
# anhydrite), keep their names and data, since projects store both.
SYSTEMS = [
    system("Vexalon FH-W14-45", "%TUBE_PEXA%", "14x2", 45),
    system("Vexalon FH-W14-65", "%TUBE_PEXA%", "14x2", 65),
    system("Vexalon FH-W16", "%TUBE_PEXA%", "16x2", 45, spacings=[100, 150, 200, 250, 300], code="VX-FH16"),
    system("Vexalon FH-W16-45", "%TUBE_PEXA%", "16x2", 45),
    system("Vexalon FH-W16-65", "%TUBE_PEXA%", "16x2", 65),
    system("Vexalon FH-W17", "%TUBE_PERT%", "17x2", 35, screed=ANHYDRITE, spacings=[100, 150, 200, 250, 300],
           code="VX-FH17"),
    system("Vexalon FH-W17-45", "%TUBE_PERT%", "17x2", 45),
    system("Vexalon FH-W17-65", "%TUBE_PERT%", "17x2", 65),
    system("Vexalon FH-W20-45", "%TUBE_PEXA%", "20x2", 45),
    system("Vexalon FH-W20-65", "%TUBE_PEXA%", "20x2", 65),
]


def interp(xs, ys, x):
    """Linear between the tabulated points, the end values outside them."""
    if x <= xs[0]:
        return ys[0]
    for i in range(1, len(xs)):
        if x <= xs[i]:
            w = (x - xs[i - 1]) / (xs[i] - xs[i - 1])
            return ys[i - 1] + w * (ys[i] - ys[i - 1])
    return ys[-1]


def interp2(rows, row_keys, col_keys, r, c):
    return interp(row_keys, [interp(col_keys, row, c) for row in rows], r)


def products(system, R, T):
    """a_B and the product a_B a_T^m_T a_u^m_u a_D^m_D."""
    a_b = (1 / ALPHA + SU0 / LAMBDA_U0) / (1 / ALPHA + SU0 / system["lambdaE"] + R)
    m_t = 1 - T / 0.075
    m_u = 100 * (0.045 - system["su"])
    m_d = 250 * (system["D"] - 0.020)
    prod = a_b * (A_T[R] ** m_t) * (interp(T_TAB, A_U[R], T) ** m_u) * (interp(T_TAB, A_D[R], T) ** m_d)
    return a_b, prod


def k_h(system, R, spacing_mm):
    assert system["type"] == "A", "only systems with the tube inside the screed are derived"
    T = spacing_mm / 1000.0
    _, prod = products(system, R, T)
    D, sR, lR = system["D"], system["sR"], system["lambdaR"]
    inv_b = 1 / B0 + 1.1 / math.pi * prod * T * (
        math.log(D / (D - 2 * sR)) / (2 * lR) - math.log(D / (D - 2 * SR0)) / (2 * LAMBDA_R0))
    return prod / inv_b


def limit_flux(system, R, spacing_mm):
    """q_G where the characteristic line meets the limit curve (9 K, phi = 1)."""
    T = spacing_mm / 1000.0
    ratio = system["su"] / system["lambdaE"]
    assert ratio <= 0.0792, "thicker screeds take tables A.5 and A.7"
    b_g = interp2(B_G, BG_T, SL_TAB, T, ratio)
    n_g = interp2(N_G, NG_T, SL_TAB, T, ratio)
    k = k_h(system, R, spacing_mm)
    dt_g = (b_g / k) ** (1 / (1 - n_g))
    return k * dt_g


def surface_factor(system, R, spacing_mm):
    return max(1.0, 100.0 / limit_flux(system, R, spacing_mm))


def item(system):
    out = ["  <TervaldDBFloorHeating>", "    <ItemHeader>",
           "      <Year>2026</Year><Month>12</Month><Day>9</Day>",
           f"      <ItemPath>{system['path']}</ItemPath>",
           f"      <ItemName>{escape(system['name'])}</ItemName>",
           "      <HomePage>%HOME%/floor-heating</HomePage>", "    </ItemHeader>",
           f"    <!-- {escape(system['build_en'])}; EN 1264-2 type {system['type']}: D {system['D'] * 1000:g} mm, "
           f"wall {system['sR'] * 1000:g} mm, tube {system['lambdaR']:g} W/mK, screed {system['su'] * 1000:g} mm "
           f"of {system['lambdaE']:g} W/mK -->",
           f"    <BuildUp Language=\"hu\">{escape(system['build_hu'])}</BuildUp>",
           f"    <BuildUp Language=\"en\">{escape(system['build_en'])}</BuildUp>",
           f"    <TubeType>{system['tube']}</TubeType>", f"    <TubeSize>{system['size']}</TubeSize>"]
    for s in system["spacings"]:
        out.append(f"    <Division><Distance>{s}</Distance><EstimateCode>{system['code']}-{s}</EstimateCode></Division>")
    for R, name in COVERINGS:
        out += ["    <Surface>", f"      <SurfaceName>{escape(name)}</SurfaceName>",
                f"      <HeatResist>{R:.2f}</HeatResist>"]
        for s in system["spacings"]:
            out.append(f"      <Equation><LineSteep>{k_h(system, R, s):.4f}</LineSteep>"
                       "<LineyIntersection>0</LineyIntersection><Exponent>1</Exponent>"
                       f"<SurfaceTempFactor>{surface_factor(system, R, s):.4f}</SurfaceTempFactor></Equation>"
                       f"<!-- T={s} mm, q_G={limit_flux(system, R, s):.1f} W/m2 -->")
        out.append("    </Surface>")
    out.append("  </TervaldDBFloorHeating>")
    return "\n".join(out)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    path = os.path.join(root, "data", "include", "floorheating.xml")
    body = "\n".join(item(s) for s in SYSTEMS)
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                "<!-- Generated by tools/derive_floor_heating.py (EN 1264-2, type A); do not edit by hand. -->\n"
                f"<VexalonCatalogue>\n{body}\n</VexalonCatalogue>\n")
    for s in SYSTEMS:
        print(s["name"], "K_H", [[round(k_h(s, R, t), 3) for t in s["spacings"]] for R, _ in COVERINGS])
        print(s["name"], "q_G", [[round(limit_flux(s, R, t), 1) for t in s["spacings"]] for R, _ in COVERINGS])


if __name__ == "__main__":
    main()
