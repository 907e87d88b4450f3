#pragma once
// The column format of one table: its columns in resource order, the order the user
// shows them in, and the font metrics it was last measured with.  Row fillers ask it
// for the visible columns in display order and write one text per column id.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lang/TLanguages.h"
#include "listview/TListHeaderFormatCol.h"
#include "platform/Canvas.h"

namespace kalorina {

class TListHeaderFormat : public TitleTarget {
public:
    std::int16_t captionLineCount = 2;
    std::vector<TListHeaderFormatCol> columns; // resource order
    std::vector<std::int16_t> displayOrder;    // column indices, one per column

    // Metrics of the canvas font last measured.
    int lineHeight = 0; // text height + external leading
    int averageCharWidth = 0;
    int externalLeading = 0;

    void Clear();
    // Reads a built-in format by name (case does not matter) and lets the active
    // language translate its captions; false, with the format left empty, when there
    // is no such format.
    bool LoadFormat(const std::string& name);
    // Parses a format text (code page 1250, CR LF or LF line ends).
    void Parse(std::string_view text);

    // The user's layout below Software\Vexalon\<productKey>\Headers\<registryName>.
    void LoadLayout(const std::string& productKey, const std::string& registryName);
    void SaveLayout(const std::string& productKey, const std::string& registryName) const;
    // The stored text of one column and its reverse (which raises a KalorinaError
    // when the factor is not a number).
    static std::string LayoutValue(const TListHeaderFormatCol& column);
    static void ReadLayoutValue(TListHeaderFormatCol& column, std::string_view text);
    std::string OrderText() const;
    void ReadOrder(std::string_view text);

    int ColumnCount() const { return static_cast<int>(columns.size()); }
    // Swaps two display positions; ignored unless both are valid.
    void SwapColumns(int position1, int position2);
    // The column at a display position, or nullptr.
    TListHeaderFormatCol* ColumnAt(int position);
    const TListHeaderFormatCol* ColumnAt(int position) const;
    // The visible columns in display order.
    std::vector<const TListHeaderFormatCol*> VisibleColumns() const;

    // Takes line height, average character width and external leading from the font.
    void Measure(const TCanvas& canvas);
    int TextHeight() const { return lineHeight - externalLeading; }
    int HeaderHeight(const TCanvas& canvas, int extraLines);
    // The cell rectangle of `column` in a row at rect.top; x runs on by the column's width.
    TRect ColumnRect(const TListHeaderFormatCol& column, const TRect& rect, int& x) const;
    // Draws the short captions of the visible columns at the top of `area` and moves
    // the top below them.
    void PrintHeader(TCanvas& canvas, TRect& area);

    // TitleTarget
    int CaptionLineCount() const override { return captionLineCount; }
    void SetCaptionLine(int id, int row, const std::string& text) override;
};

} // namespace kalorina
