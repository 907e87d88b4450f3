#!/usr/bin/env python3
"""The characteristic lines of tools/derive_floor_heating.py against values worked
out by hand from the annex tables of EN 1264-2, and the shipped file against the tool."""
import glob
import importlib.util
import os
import sys
import unittest
import xml.etree.ElementTree as ET

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
spec = importlib.util.spec_from_file_location("derive", os.path.join(ROOT, "tools", "derive_floor_heating.py"))
derive = importlib.util.module_from_spec(spec)
spec.loader.exec_module(derive)
SYSTEM = {s["name"]: s for s in derive.SYSTEMS}


class CharacteristicLines(unittest.TestCase):
    def test_reference_tube_under_45_mm_of_screed(self):
        # 16x2 tube of 0.35 W/mK (B = B_0 = 6.7), 45 mm of 1.2 W/mK screed (m_u = 0),
        # bare floor, 150 mm: a_B = (1/10.8 + 0.045) / (1/10.8 + 0.045/1.2) = 1.057651,
        # a_T^m_T = 1.23^-1, a_D^m_D = 1.040^-1 (m_D = -1).
        # K_H = 6.7 * 1.057651 / 1.23 / 1.040 = 5.5396
        self.assertAlmostEqual(derive.k_h(SYSTEM["Vexalon FH-W16"], 0.0, 150), 5.5396, places=3)

    def test_other_tube_under_35_mm_of_screed(self):
        # 17x2 tube of 0.40 W/mK, 35 mm of 1.2 W/mK screed, R = 0.10, 200 mm:
        # a_B = 0.137593 / (0.092593 + 0.0375 + 0.1) = 0.597989
        # a_T^m_T = 1.156^(1 - 0.2/0.075) = 0.785347, a_u^m_u = 1.0315^1,
        # a_D^m_D = 1.035^-0.75 = 0.974529; product 0.472083
        # 1/B = 1/6.7 + 1.1/pi * 0.472083 * 0.2 * (ln(17/13)/0.8 - ln(17/13)/0.7) = 0.147670
        # K_H = 0.472083 / 0.147670 = 3.1969
        self.assertAlmostEqual(derive.k_h(SYSTEM["Vexalon FH-W17"], 0.10, 200), 3.1969, places=3)

    def test_thin_tube_under_65_mm_of_screed_at_the_narrowest_spacing(self):
        # 14x2 tube of 0.35 W/mK and a 2 mm wall (B = B_0), bare floor, 50 mm:
        # a_B = 1.057651, a_T^m_T = 1.23^(1/3) = 1.071441,
        # a_u^m_u = 1.069^-2 = 0.875074 (m_u = -2), a_D^m_D = 1.013^-1.5 = 0.980812.
        # K_H = 6.7 * 1.057651 * 1.071441 * 0.875074 * 0.980812 = 6.5165
        self.assertAlmostEqual(derive.k_h(SYSTEM["Vexalon FH-W14-65"], 0.0, 50), 6.5165, places=3)

    def test_wide_tube_under_65_mm_of_screed_and_carpet(self):
        # 20x2 (m_D = 0), R = 0.15, 100 mm: a_B = 0.137593 / (0.092593 + 0.0375 + 0.15)
        # = 0.491240, a_T^m_T = 1.134^(-1/3) = 0.958949, a_u^m_u = 1.0335^-2 = 0.936222.
        # K_H = 6.7 * 0.491240 * 0.958949 * 0.936222 = 2.9549
        self.assertAlmostEqual(derive.k_h(SYSTEM["Vexalon FH-W20-65"], 0.15, 100), 2.9549, places=3)

    def test_limit_flux_of_a_wide_spacing(self):
        # 300 mm, s_u/lambda_E = 0.0375: B_G = 36.4, n_G = 0.245 (tables A.4, A.6);
        # dT_H,G = (36.4 / K_H)^(1/0.755), q_G = K_H * dT_H,G = 77.0 W/m2.
        s = SYSTEM["Vexalon FH-W16"]
        k = derive.k_h(s, 0.0, 300)
        self.assertAlmostEqual(derive.limit_flux(s, 0.0, 300), k * (36.4 / k) ** (1 / 0.755), places=6)
        self.assertAlmostEqual(derive.limit_flux(s, 0.0, 300), 77.0, delta=0.1)
        # At the limit flux the program's surface temperature is 9 K above the room.
        f = derive.surface_factor(s, 0.0, 300)
        self.assertAlmostEqual((77.0 * f / 8.92) ** 0.909, 9.0, delta=0.01)
        # Where the limit curve lies above the basic characteristic, nothing changes.
        self.assertEqual(derive.surface_factor(s, 0.15, 100), 1.0)

    def test_lines_fall_with_spacing_and_covering(self):
        for s in derive.SYSTEMS:
            for R, _ in derive.COVERINGS:
                lines = [derive.k_h(s, R, t) for t in s["spacings"]]
                self.assertEqual(lines, sorted(lines, reverse=True))
            self.assertGreater(derive.k_h(s, 0.0, 150), derive.k_h(s, 0.15, 150))

    def test_every_tube_size_is_laid_at_the_spacings_it_allows(self):
        for s in derive.SYSTEMS:
            self.assertEqual(s["spacings"], sorted(s["spacings"]), s["name"])
            self.assertEqual(s["spacings"][-1], 300, s["name"])
            # Within the tables of the method (50 to 375 mm) and no tighter than the size allows.
            self.assertGreaterEqual(s["spacings"][0], derive.SPACINGS[s["size"]][0], s["name"])
            self.assertTrue(all(derive.T_TAB[0] <= t / 1000 <= derive.T_TAB[-1] for t in s["spacings"]), s["name"])
        self.assertEqual(derive.SPACINGS["14x2"][0], 50)
        self.assertEqual(derive.SPACINGS["20x2"][0], 100)
        # Every size under both screeds, and each with a tube the catalogue ships.
        built = {(s["size"], round(s["su"] * 1000)) for s in derive.SYSTEMS}
        for size in ("14x2", "16x2", "17x2", "20x2"):
            for screed in (45, 65):
                self.assertIn((size, screed), built)

    def test_shipped_file_is_what_the_tool_writes(self):
        shipped = os.path.join(ROOT, "data", "include", "floorheating.xml")
        with open(shipped, encoding="utf-8") as f:
            text = f.read()
        self.assertNotIn('Language="Magyar"', text)
        self.assertNotIn('Language="English"', text)
        for s in derive.SYSTEMS:
            self.assertIn(derive.item(s), text)

    def test_every_system_in_the_catalogue_is_the_tools(self):
        # Wherever a floor heating system stands in the catalogue's files, it is one the
        # tool derives, and its lines, limit factors and spacings are what the tool gives.
        found = {}
        for path in glob.glob(os.path.join(ROOT, "data", "**", "*.xml"), recursive=True):
            for item in ET.parse(path).getroot().iter("TervaldDBFloorHeating"):
                found[item.find("ItemHeader/ItemName").text] = item
        self.assertEqual(sorted(found), sorted(SYSTEM))
        for name, item in found.items():
            s = SYSTEM[name]
            self.assertEqual([int(d.text) for d in item.iter("Distance")], s["spacings"], name)
            self.assertEqual(item.find("TubeType").text, s["tube"], name)
            self.assertEqual(item.find("TubeSize").text, s["size"], name)
            surfaces = item.findall("Surface")
            self.assertEqual([float(x.find("HeatResist").text) for x in surfaces], [r for r, _ in derive.COVERINGS])
            for surface, (R, _) in zip(surfaces, derive.COVERINGS):
                equations = surface.findall("Equation")
                self.assertEqual(len(equations), len(s["spacings"]), name)
                for eq, t in zip(equations, s["spacings"]):
                    self.assertAlmostEqual(float(eq.find("LineSteep").text), derive.k_h(s, R, t), delta=6e-5)
                    self.assertAlmostEqual(float(eq.find("SurfaceTempFactor").text),
                                           derive.surface_factor(s, R, t), delta=6e-5)
                    self.assertEqual(float(eq.find("Exponent").text), 1.0)
                    self.assertEqual(float(eq.find("LineyIntersection").text), 0.0)


if __name__ == "__main__":
    sys.exit(unittest.main())
