#include "catalogue/MediumDBItem.h"

#include <algorithm>
#include <cmath>

#include "catalogue/CatalogueReader.h"

namespace kalorina {

int MediumDBItem::FindCharacteristic(const std::string& name) const
{
    for (std::size_t i = 0; i < characteristics.size(); ++i)
        if (characteristics[i].name == name)
            return static_cast<int>(i);
    return -1;
}

double MediumDBItem::Evaluate(const MediumFunction& f, double x)
{
    double result = 0;
    if (f.mode == 0) {
        for (float c : f.polinomValues)
            result = result * x + c;
    } else {
        // Only points with both a temperature and a value count, and a point whose
        // temperature repeats an earlier one is left out: the curve through the
        // remaining points is then well defined.
        std::vector<double> t, y;
        std::size_t n = std::min(f.temperatures.size(), f.pointValues.size());
        for (std::size_t i = 0; i < n; ++i) {
            double ti = f.temperatures[i];
            if (std::find(t.begin(), t.end(), ti) != t.end())
                continue;
            t.push_back(ti);
            y.push_back(f.pointValues[i]);
        }
        std::vector<double> p(t.size());
        for (std::size_t i = 0; i < t.size(); ++i) {
            p[i] = y[i];
            for (std::size_t j = i; j-- > 0;)
                p[j] = p[j + 1] + (x - t[i]) / (t[i] - t[j]) * (p[j + 1] - p[j]);
        }
        result = p.empty() ? 0 : p[0];
    }
    return std::isfinite(result) ? result : 0;
}

} // namespace kalorina

namespace kalorina {

bool MediumDBItem::ReadFromXml(CatalogueReader& r)
{
    projektOptionsDefault = r.Attribute("ProjektOptionsDefault") == "yes";
    return r.ReadElements("TervaldDBMedium",
                          {
                              {"ItemHeader", [&] { ReadHeader(r); }},
                              r.FloatElement("TempMin", tempMin),
                              r.FloatElement("TempMax", tempMax),
                              {"Characteristic", [&] { ReadCharacteristic(r); }},
                          });
}

void MediumDBItem::ReadCharacteristic(CatalogueReader& r)
{
    MediumFunction f;
    f.mode = r.Attribute("Mode") == "polinom" ? 0 : 1;
    // Each value element adds one value to its list; an empty one adds none.
    auto append = [&](std::vector<float>& values) {
        float v = 0;
        if (r.ReadFloat(v))
            values.push_back(v);
    };
    bool complete = r.ReadElements("Characteristic",
                                   {
                                       r.TextElement("Name", f.name, false, true),
                                       {"PolinomValue", [&] { append(f.polinomValues); }},
                                       {"Temperature", [&] { append(f.temperatures); }},
                                       {"PointValue", [&] { append(f.pointValues); }},
                                   });
    if (complete)
        characteristics.push_back(std::move(f));
}

} // namespace kalorina
