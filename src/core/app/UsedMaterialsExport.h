#pragma once
// The export of the bill of materials: the working state of the export dialog (the
// check tree and the choice between all rows and the chosen ones), and the tables it
// writes to the clipboard or to files.
#include <string>
#include <vector>

#include "app/UsedMaterialsChoice.h"

namespace kalorina {

class ClipboardService;
class TClipboardStream;

enum class ExportFileKind { Xls, Rtf, Csv, Html };

// The kind a file name asks for by its extension (case-insensitive); Csv when it has
// none of the four.
ExportFileKind ExportKindOfPath(const std::string& path);
// Writes every selected row of the bill into the stream (cursor reset first).
void WriteSelectedRows(TUsedMaterial& bill, TClipboardStream& stream);
// The bytes of a file of that kind holding the stream's table.
std::string ExportFileBytes(const TClipboardStream& stream, ExportFileKind kind);
// Replaces `path` only once the new file is complete; raises a KalorinaError.
void WriteExportFile(const std::string& path, const std::string& bytes);

class UsedMaterialsExportEditor : public UsedMaterialsChoice {
public:
    explicit UsedMaterialsExportEditor(TUsedMaterial bill) : UsedMaterialsChoice(std::move(bill)) {}

    struct View {
        const std::vector<MaterialTreeNode>* tree = nullptr;
        bool all = true;
        // One line per kit that refers back to itself (IDS_PIECELISTCYCLE), empty when
        // every kit was expanded.
        std::string warning;
        bool empty = true; // the bill has no rows: nothing to export
    };
    View GetView() const;

    // Marks the rows to export and answers how many there are (0: nothing to do).
    int Commit() { return SelectRows(); }
    // After Commit: the chosen rows on the clipboard, or in a file (its kind by the
    // extension).  Neither does anything when no row is chosen.
    void CopyToClipboard(ClipboardService& clipboard);
    void SaveToFile(const std::string& path);
};

// The warning of the bill's kits that refer back to themselves; empty when none does.
std::string CycleWarning(const TUsedMaterial& bill);

} // namespace kalorina
