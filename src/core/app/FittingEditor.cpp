#include "app/FittingEditor.h"

#include <climits>

#include "app/DialogEditor.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TDevices.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
std::string General4(double value)
{
    return FloatToStrF(value, TFloatFormat::General, 4, 0);
}

// A stored 16-bit count or size; anything outside its range is refused.
std::int16_t Int16(const std::string& text, int minimum)
{
    int value = ParseInteger(text);
    if (value < minimum || value > SHRT_MAX)
        RaiseText("IDS_WRONGVALUE");
    return static_cast<std::int16_t>(value);
}
} // namespace

std::vector<std::string> ResistModeNames()
{
    std::vector<std::string> names;
    for (int mode = 0; mode < 3; ++mode)
        names.push_back(Txt("IDS_RESISTVALUMODES+" + std::to_string(mode)));
    return names;
}

CatalogueFittingEditor::CatalogueFittingEditor(TResist& fitting, const TDevices& devices)
    : fitting_(fitting), item_(devices.Find<ResistDBItem>(kResistKind, fitting.resistName))
{
}

CatalogueFittingView CatalogueFittingEditor::View() const
{
    CatalogueFittingView v;
    v.name = fitting_.resistName;
    v.count = std::to_string(fitting_.count);
    if (item_) {
        SizeComboEntries combo = item_->FillSizeCombo(true, fitting_.sizeName, TextOrBuiltIn("IDS_AUTO"));
        v.sizes = combo.entries;
        v.sizeIndex = fitting_.sizeName.empty() ? 0 : combo.selected;
        v.link = item_->homePage;
    }
    auto modes = ResistModeNames();
    if (fitting_.resistMode >= 0 && fitting_.resistMode < 3)
        v.mode = modes[fitting_.resistMode] + ":";
    v.value = General4(fitting_.value);
    v.listing = fitting_.listing != 0;
    return v;
}

void CatalogueFittingEditor::Read(const std::string& count, const std::string& sizeText, bool listing)
{
    fitting_.count = Int16(count, 1);
    fitting_.sizeName = sizeText == TextOrBuiltIn("IDS_AUTO") ? std::string() : sizeText;
    fitting_.listing = listing ? 1 : 0;
}

std::string CatalogueFittingEditor::SizeChanged(const std::string& count, const std::string& sizeText, bool listing)
{
    Read(count, sizeText, listing);
    if (item_) {
        fitting_.value = item_->defaultValue;
        if (!fitting_.sizeName.empty() && !item_->sizes.empty() && item_->FindSize(fitting_.sizeName) >= 0)
            fitting_.value = static_cast<float>(item_->ResistValue(fitting_.sizeName));
    }
    return General4(fitting_.value);
}

UniqueFittingEditor::UniqueFittingEditor(TResist& fitting) : fitting_(fitting)
{
    fitting_.unique = 1;
}

UniqueFittingView UniqueFittingEditor::View() const
{
    return {fitting_.resistName, std::to_string(fitting_.count), std::to_string(fitting_.dn), General4(fitting_.value),
            fitting_.resistMode, fitting_.listing != 0};
}

void UniqueFittingEditor::Commit(const UniqueFittingInputs& in)
{
    const std::int16_t count = Int16(in.count, 1);
    const std::int16_t size = Int16(in.size, 0);
    fitting_.resistName = in.name;
    fitting_.count = count;
    fitting_.dn = size;
    fitting_.resistMode = static_cast<std::int16_t>(in.mode >= 0 && in.mode < 3 ? in.mode : 0);
    fitting_.value = static_cast<float>(in.value);
    fitting_.listing = in.listing ? 1 : 0;
}

std::vector<RowCells> FittingList::Rows(const TListHeaderFormat& format) const
{
    std::vector<RowCells> rows;
    for (const TResist& fitting : fittings_) {
        RowCells cells;
        for (const TListHeaderFormatCol* col : format.VisibleColumns())
            cells.push_back(fitting.CellText(devices_, col->columnId, CellFormatOf(*col)));
        rows.push_back(std::move(cells));
    }
    return rows;
}

bool FittingList::AddFromCatalogue(const std::string& itemName, const FittingDialog& edit)
{
    if (!devices_.Find<ResistDBItem>(kResistKind, itemName))
        return false;
    TResist fitting;
    fitting.SelectItem(devices_, itemName);
    if (!edit || !edit(fitting))
        return false;
    fittings_.push_back(std::move(fitting));
    return true;
}

bool FittingList::AddUnique(const FittingDialog& edit)
{
    TResist fitting;
    fitting.unique = 1;
    if (!edit || !edit(fitting))
        return false;
    fittings_.push_back(std::move(fitting));
    return true;
}

bool FittingList::Modify(int index, const FittingDialog& editCatalogue, const FittingDialog& editUnique)
{
    if (index < 0 || index >= Count())
        return false;
    TResist& fitting = fittings_[index];
    const FittingDialog& edit = fitting.unique ? editUnique : editCatalogue;
    return edit && edit(fitting);
}

std::string FittingList::DeleteQuestion(int index) const
{
    std::string name = index >= 0 && index < Count() ? fittings_[index].resistName : std::string();
    return FormatText(Txt("IDS_WANTITEMDELETE"), {name});
}

void FittingList::Delete(int index)
{
    if (index >= 0 && index < Count())
        fittings_.erase(fittings_.begin() + index);
}

} // namespace kalorina
