#include "app/ColumnSetupEditor.h"

#include <algorithm>
#include <cstdint>

#include "lang/TLanguages.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {

std::int16_t ToInt16(int value)
{
    return static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
}

std::string EntryCaption(const TListHeaderFormat& format, const TListHeaderFormatCol& col)
{
    std::string text = col.Caption(0);
    for (int line = 1; line < format.captionLineCount; ++line)
        text += "\\p " + col.Caption(line);
    return text;
}

} // namespace

ColumnSetupEditor::ColumnSetupEditor(TListHeaderFormat& format, std::string registryName, std::string productKey)
    : format_(format), saved_(format), registryName_(std::move(registryName)), productKey_(std::move(productKey))
{
    for (int i = 0; i < format_.ColumnCount(); ++i)
        ticked_.push_back(format_.ColumnAt(i)->visible);
    if (!ticked_.empty())
        current_ = 0;
}

ColumnSetupView ColumnSetupEditor::View() const
{
    ColumnSetupView v;
    for (int i = 0; i < format_.ColumnCount(); ++i)
        v.entries.push_back({EntryCaption(format_, *format_.ColumnAt(i)), ticked_[i]});
    v.current = current_;
    const TListHeaderFormatCol* col = format_.ColumnAt(current_);
    if (!col)
        return v;
    const bool real = col->valueKind == TValueKind::Real;
    v.width = std::to_string(col->width);
    v.titleAlignment = static_cast<int>(col->titleAlignment);
    v.dataAlignment = static_cast<int>(col->dataAlignment);
    v.zeroShown = col->zeroShown;
    v.precision = std::to_string(col->precision);
    v.digits = std::to_string(col->digits);
    v.realFormat = static_cast<int>(col->realFormat);
    v.customCaption = col->customCaption;
    v.factor = col->customCaption && real ? FloatToStrF(col->factor, TFloatFormat::General, 5, 0) : "1.";
    v.lines = col->customCaption ? col->customCaptionLines : col->captionLines;
    v.captionLines = col->captionLines;
    v.columnEnabled = true;
    v.alignmentsEnabled = current_ > 0;
    v.numberEnabled = col->IsNumber();
    v.realEnabled = real;
    v.moveUpEnabled = current_ > 1;
    v.moveDownEnabled = current_ > 0 && current_ < format_.ColumnCount() - 1;
    return v;
}

void ColumnSetupEditor::SetTicked(int entry, bool ticked)
{
    if (entry >= 0 && entry < static_cast<int>(ticked_.size()))
        ticked_[entry] = ticked;
}

void ColumnSetupEditor::Store(const ColumnInput& in)
{
    TListHeaderFormatCol* col = format_.ColumnAt(current_);
    if (!col)
        return;
    col->width = ToInt16(std::max(in.width, 3));
    col->titleAlignment = static_cast<TAlignment>(std::clamp(in.titleAlignment, 0, 2));
    col->dataAlignment = static_cast<TAlignment>(std::clamp(in.dataAlignment, 0, 2));
    if (col->IsNumber())
        col->zeroShown = in.zeroShown;
    if (col->valueKind == TValueKind::Real) {
        col->realFormat = static_cast<TFloatFormat>(std::clamp(in.realFormat, 0, 2));
        col->precision = ToInt16(in.precision);
        col->digits = ToInt16(in.digits);
    }
    col->customCaption = in.customCaption;
    if (in.customCaption) {
        col->customCaptionLines = in.lines;
        col->factor = static_cast<float>(in.factor);
    }
}

void ColumnSetupEditor::Select(int entry, const ColumnInput& input)
{
    if (entry == current_ || !format_.ColumnAt(entry))
        return;
    Store(input);
    current_ = entry;
}

void ColumnSetupEditor::Move(int delta, const ColumnInput& input)
{
    const int target = current_ + delta;
    if (current_ < 1 || target < 1 || target >= format_.ColumnCount())
        return;
    Store(input);
    std::vector<bool>::swap(ticked_[current_], ticked_[target]);
    format_.SwapColumns(current_, target);
    current_ = target;
}

std::string ColumnSetupEditor::Commit(const ColumnInput& input)
{
    Store(input);
    for (int i = 1; i < format_.ColumnCount(); ++i)
        format_.ColumnAt(i)->visible = ticked_[i];
    std::string notice;
    if (!ticked_.empty() && !ticked_[0]) {
        notice = Languages().GetResourceText(32000);
        ticked_[0] = true;
        format_.ColumnAt(0)->visible = true;
    }
    if (!registryName_.empty())
        format_.SaveLayout(productKey_, registryName_);
    return notice;
}

void ColumnSetupEditor::Cancel()
{
    format_ = saved_;
}

} // namespace kalorina
