#pragma once
// The manifold dialog's working copy and rules: the name, where the manifold sits,
// and the two limits its design keeps to.
#include <string>

#include "document/TManifold.h"
#include "util/InputRange.h"

namespace kalorina {

class TProject;

struct ManifoldView {
    std::string name, location, designSpread, maxSupply;
};

// What the dialog reads on OK, the numbers already parsed.
struct ManifoldInputs {
    std::string name, location;
    double designSpread = TManifold::kDefaultDesignSpread;
    double maxSupply = TManifold::kDefaultMaxSupply;
};

class ManifoldEditor {
public:
    // The ranges a design can work with: a spread below 1 K asks for endless flows,
    // above 20 K for a floor too uneven to walk on; supplies outside 25..90 °C are no
    // floor heating.
    static constexpr double kMinSpread = RangeOf(InputKind::Spread).low, kMaxSpread = RangeOf(InputKind::Spread).high;
    static constexpr double kMinSupply = RangeOf(InputKind::SupplyLimit).low,
                            kMaxSupply = RangeOf(InputKind::SupplyLimit).high;

    // Edits the manifold at `index` of `project`.
    ManifoldEditor(const TProject& project, int index);

    ManifoldView View() const;
    // Raises a KalorinaError naming what is allowed for a spread or supply out of its
    // range, then for a blank or taken name; otherwise the edited manifold.
    const TManifold& Commit(const ManifoldInputs& inputs);
    // The working copy, as committed last.
    const TManifold& Manifold() const { return manifold_; }

private:
    const TProject& project_;
    int index_;
    TManifold manifold_;
};

// A manifold's name typed in the tree or the dialog: a blank name or one another
// manifold of the project has raises a KalorinaError.
void CheckManifoldName(const TProject& project, int index, const std::string& name);

} // namespace kalorina
