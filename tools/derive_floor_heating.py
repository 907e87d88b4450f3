#!/usr/bin/env python3
"""Derives the characteristic lines of the floor heating systems we ship and writes
data/include/floorheating.xml.

Method: EN 1264-2, systems of type A (tubes inside the screed):

    q = K_H * dT_H,   K_H = B * a_B * a_T^m_T * a_u^m_u * a_D^m_D

    a_B = (1/alpha + s_u0/lambda_u0) / (1/alpha + s_u/lambda_E + R)
          alpha = 10.8 W/m2K, s_u0 = 0.045 m, lambda_u0 = 1.0 W/mK
    m_T = 1 - T/0.075            (T tube spacing, m)
    m_u = 100 * (0.045 - s_u)    (s_u screed above the tube, m)
    m_D = 250 * (D - 0.020)      (D outer tube diameter, m)
    a_T, a_u, a_D from the tables of the standard's annex A (below), by the
    covering's resistance R and, for a_u and a_D, linearly between the tabulated
    spacings.
    B = B_0 = 6.7 W/m2K for tubes of lambda_R = 0.35 W/mK and 2 mm wall (all our
    tubes); other tubes are corrected with
    1/B = 1/B_0 + 1.1/pi * a_T^m_T a_u^m_u a_D^m_D * T *
          (ln(D/(D-2 s_R))/(2 lambda_R) - ln(D/(D-2 s_R0))/(2 lambda_R0)).

The catalogue's equation q = LineSteep * dT_H^Exponent + LineyIntersection then
has LineSteep = K_H, Exponent = 1, LineyIntersection = 0, and SurfaceTempFactor
= 1 (the basic characteristic q = 8.92 (t_F - t_i)^1.1 of the same standard).

Run from the repository root:  python3 tools/derive_floor_heating.py
"""
import math
import os
from xml.sax.saxutils import escape

ALPHA, SU0, LAMBDA_U0 = 10.8, 0.045, 1.0
B0, LAMBDA_R0, SR0 = 6.7, 0.35, 0.002

RESISTANCES = [0.0, 0.05, 0.10, 0.15]
A_T = {0.0: 1.23, 0.05: 1.188, 0.10: 1.156, 0.15: 1.134}
T_TAB = [0.05, 0.075, 0.1, 0.15, 0.2, 0.225, 0.3, 0.375]
A_U = {
    0.0: [1.069, 1.066, 1.063, 1.057, 1.051, 1.048, 1.040, 1.0315],
    0.05: [1.056, 1.053, 1.050, 1.046, 1.041, 1.038, 1.032, 1.025],
    0.10: [1.043, 1.041, 1.039, 1.035, 1.031, 1.029, 1.024, 1.019],
    0.15: [1.037, 1.035, 1.0335, 1.0305, 1.027, 1.0255, 1.021, 1.017],
}
A_D = {
    0.0: [1.013, 1.013, 1.012, 1.011, 1.009, 1.008, 1.006, 1.004],
    0.05: [1.013, 1.013, 1.012, 1.010, 1.009, 1.008, 1.006, 1.004],
    0.10: [1.012, 1.012, 1.011, 1.010, 1.008, 1.007, 1.005, 1.004],
    0.15: [1.011, 1.011, 1.011, 1.009, 1.008, 1.007, 1.005, 1.004],
}

# Projects store the covering's name, so it is the same in every language: the
# resistance first, then the kind of covering in Hungarian and English.
COVERINGS = [  # (R, stored name)
    (0.0, "R 0.00 esztrich/screed"),
    (0.05, "R 0.05 kerámia/tiles"),
    (0.10, "R 0.10 parketta/parquet"),
    (0.15, "R 0.15 szőnyeg/carpet"),
]

SYSTEMS = [
    dict(name="Vexalon FH-W16", path="%FH_PATH%\\%WET%", tube="%TUBE_PEXA%",
         size="16x2", D=0.016, sR=0.002, lambdaR=0.35, su=0.045, lambdaE=1.2,
         spacings=[100, 150, 200, 250, 300], code="VX-FH16",
         build_hu="Cementesztrich 45 mm a cső felett (1,2 W/mK), PE-Xa cső 16x2, rendszerlemez 30 mm",
         build_en="Cement screed 45 mm above the tube (1.2 W/mK), PE-Xa tube 16x2, system panel 30 mm"),
    dict(name="Vexalon FH-W17", path="%FH_PATH%\\%WET%", tube="%TUBE_PERT%",
         size="17x2", D=0.017, sR=0.002, lambdaR=0.40, su=0.035, lambdaE=1.2,
         spacings=[100, 150, 200, 250, 300], code="VX-FH17",
         build_hu="Anhidrit esztrich 35 mm a cső felett (1,2 W/mK), PE-RT cső 17x2, rendszerlemez 30 mm",
         build_en="Anhydrite screed 35 mm above the tube (1.2 W/mK), PE-RT tube 17x2, system panel 30 mm"),
    dict(name="Vexalon FH-D16", path="%FH_PATH%\\%DRY%", tube="%TUBE_PEXA%",
         size="16x2", D=0.016, sR=0.002, lambdaR=0.35, su=0.025, lambdaE=0.32,
         spacings=[100, 150, 200, 250, 300], code="VX-FHD16",
         build_hu="Gipszrost szárazesztrich 2x12,5 mm (0,32 W/mK) a cső felett, PE-Xa cső 16x2 marott EPS lapban; "
                  "a hővezető lemez hatása nélkül számolva",
         build_en="Gypsum fibre dry screed 2x12.5 mm (0.32 W/mK) above the tube, PE-Xa tube 16x2 in milled EPS "
                  "panel; computed without credit for heat-diffusion plates"),
]


def interp(table, T):
    if T <= T_TAB[0]:
        return table[0]
    for i in range(1, len(T_TAB)):
        if T <= T_TAB[i]:
            w = (T - T_TAB[i - 1]) / (T_TAB[i] - T_TAB[i - 1])
            return table[i - 1] + w * (table[i] - table[i - 1])
    return table[-1]


def k_h(system, R, spacing_mm):
    T = spacing_mm / 1000.0
    a_b = (1 / ALPHA + SU0 / LAMBDA_U0) / (1 / ALPHA + system["su"] / system["lambdaE"] + R)
    m_t = 1 - T / 0.075
    m_u = 100 * (0.045 - system["su"])
    m_d = 250 * (system["D"] - 0.020)
    prod = (A_T[R] ** m_t) * (interp(A_U[R], T) ** m_u) * (interp(A_D[R], T) ** m_d)
    D, sR, lR = system["D"], system["sR"], system["lambdaR"]
    inv_b = 1 / B0 + 1.1 / math.pi * prod * T * (
        math.log(D / (D - 2 * sR)) / (2 * lR) - math.log(D / (D - 2 * SR0)) / (2 * LAMBDA_R0))
    return (1 / inv_b) * a_b * prod


def item(system):
    out = ["  <TervaldDBFloorHeating>", "    <ItemHeader>",
           "      <Year>2024</Year><Month>9</Month><Day>1</Day>",
           f"      <ItemPath>{system['path']}</ItemPath>",
           f"      <ItemName>{escape(system['name'])}</ItemName>",
           "      <HomePage>%HOME%/floor-heating</HomePage>", "    </ItemHeader>",
           f"    <!-- {escape(system['build_en'])} -->",
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
                       "<SurfaceTempFactor>1</SurfaceTempFactor></Equation><!-- T=%d mm -->" % s)
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
        print(s["name"], [[round(k_h(s, R, t), 3) for t in s["spacings"]] for R, _ in COVERINGS])


if __name__ == "__main__":
    main()
