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
class TDevices;
class TProject;

enum class ExportFileKind { Xls, Rtf, Csv, Html };

// The kind a file name asks for by its extension (case-insensitive); Csv when it has
// none of the four.
ExportFileKind ExportKindOfPath(const std::string& path);

// The file types of the export's save dialog, in the order of its filter.
struct ExportFileType {
    ExportFileKind kind;
    const char* caption;   // code page 1250
    const char* extension; // without the dot
};
const std::vector<ExportFileType>& ExportFileTypes();
// "Caption (*.xls)|*.xls|..." of the file types, for the save dialog.
std::string ExportFileFilter();
// What a choice of the save dialog writes: the chosen file type decides the kind and
// the suffix (appended unless the name already ends with it).  Without a known type
// the name's extension decides, as ExportKindOfPath.
struct ExportTarget {
    std::string path;
    ExportFileKind kind;
};
ExportTarget ExportTargetOfChoice(const std::string& path, int fileType);

// The bill as it is printed and exported: its texts (the unit of pieces, kit parts)
// in the printing language, like the headings and captions of its tables.
TUsedMaterial BuildPrintedUsedMaterials(const TProject& project, const TDevices& devices);

// Writes every selected row of the bill into the stream (cursor reset first), then
// the bill's warnings as notes under the table.
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
        // The bill's warnings (BillWarnings), one a line; empty when it has none.
        std::string warning;
        bool empty = true; // the bill has no rows: nothing to export
    };
    View GetView() const;

    // Marks the rows to export and answers how many there are (0: nothing to do).
    int Commit() { return SelectRows(); }
    // Commit for a command that needs rows: raises the IDS_NOEXPORTROWS error, which
    // tells how rows are chosen, when there are none.
    void CommitChosen();
    // After Commit: the chosen rows on the clipboard; nothing when no row is chosen.
    void CopyToClipboard(ClipboardService& clipboard);
    // After Commit: the chosen rows in the target's file, of the target's kind; raises
    // IDS_NOEXPORTROWS when no row is chosen.
    void SaveToFile(const ExportTarget& target);
};

// The bill's warnings (BillWarnings) one a line; empty when there are none.
std::string CycleWarning(const TUsedMaterial& bill);

} // namespace kalorina
