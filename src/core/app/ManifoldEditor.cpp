#include "app/ManifoldEditor.h"

#include "app/HydraulicChoices.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
[[noreturn]] void Refuse(const std::string& id, const std::vector<std::string>& args)
{
    throw KalorinaError(FormatText(TextOrBuiltIn(id), args));
}

std::string Limit(double v)
{
    return General(v, 4);
}
} // namespace

void CheckManifoldName(const TProject& project, int index, const std::string& name)
{
    if (name.find_first_not_of(" \t") == std::string::npos)
        Refuse("IDS_EMPTYITEMNAME", {});
    const int other = project.FindManifold(name);
    if (other >= 0 && other != index)
        Refuse("IDS_MANIFOLDNAMETAKEN", {name});
}

ManifoldEditor::ManifoldEditor(const TProject& project, int index)
    : project_(project), index_(index), manifold_(project.manifolds.at(index))
{
}

ManifoldView ManifoldEditor::View() const
{
    return {manifold_.name, manifold_.location, General(manifold_.designSpread, 4), General(manifold_.maxSupply, 4)};
}

const TManifold& ManifoldEditor::Commit(const ManifoldInputs& in)
{
    if (!(in.designSpread >= kMinSpread && in.designSpread <= kMaxSpread))
        Refuse("IDS_MANIFOLDSPREADRANGE", {Limit(kMinSpread), Limit(kMaxSpread)});
    if (!(in.maxSupply >= kMinSupply && in.maxSupply <= kMaxSupply))
        Refuse("IDS_MANIFOLDSUPPLYRANGE", {Limit(kMinSupply), Limit(kMaxSupply)});
    CheckManifoldName(project_, index_, in.name);
    manifold_.name = in.name;
    manifold_.location = in.location;
    // What still reads as View showed it is the stored value, to the last bit.
    manifold_.designSpread =
        static_cast<float>(Retyped(manifold_.designSpread, in.designSpread, General(manifold_.designSpread, 4)));
    manifold_.maxSupply =
        static_cast<float>(Retyped(manifold_.maxSupply, in.maxSupply, General(manifold_.maxSupply, 4)));
    return manifold_;
}

} // namespace kalorina
