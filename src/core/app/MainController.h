#pragma once
// The main window's logic without widgets: the document lifecycle (new, open, save,
// the save question), the project tree, the totals, the command rules and the
// item commands.  The Qt main window shows what it says and forwards the commands.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include <memory>
#include <optional>
#include <utility>

#include "app/EditItem.h"
#include "app/RecentProjects.h"
#include "building/HeatLoad.h"
#include "catalogue/TDevices.h"
#include "design/ManifoldDesign.h"
#include "document/TProgramOptions.h"
#include "document/TProject.h"
#include "history/History.h"
#include "platform/Dialogs.h"

namespace kalorina {

class ClipboardService;
class ManifoldEditor;

// Rooms and circuits are the tree's two groups; manifolds stand in the circuits'
// group with their circuits under them.
enum class ItemGroup { Rooms = 0, Rounds = 1, Manifolds = 2 };

struct TreeContent {
    struct Group {
        std::string text;
        std::vector<std::string> children;
    };
    std::array<Group, 2> groups;
    struct Manifold {
        std::string name;
        std::vector<std::string> rounds; // in list order
    };
    std::vector<Manifold> manifolds;
};

// The enabling column of the command table.
struct CommandStates {
    bool fileSave = false;
    bool editCut = false, editCopy = false, editPaste = false;
    bool modifyItem = false, renameItem = false, deleteItem = false;
    bool print = false;  // print, and the two bill-of-materials commands
    bool design = false; // there is a circuit to design
    bool projectOptions = true;
};

class MainController {
public:
    MainController(MessageService& messages, FileDialogService& files);

    const TProject& Project() const { return project_; }
    TProgramOptions& ProgramOptions() { return programOptions_; }
    bool catalogueFailed = false;
    // A failed or partial catalogue computes results from what is missing and would
    // blank what the project stores: until it loads whole, nothing recalculates, and
    // the project shows and saves its stored results.  The commands that recalculate
    // (modify, design, project options, deleting a room circuits use) are off and
    // refuse when called.
    bool CalculationLocked() const { return catalogueFailed; }
    // Why, in the words of the active language, with the catalogue's own failure.
    std::string CalculationLockedText() const;
    // A project holding stored values outside what a building can need gives no
    // design, bill or report: warns naming each of them and answers true.
    bool RefusedForImplausibleValues();
    // Loads the catalogue once, with the user-interface language's filter; a failure
    // only sets catalogueFailed (and keeps what loaded).
    void LoadCatalogue(const std::string& dataDir, const std::string& catalogueLanguage);
    const TDevices& Devices() const { return *devices_; }
    // After a change of the user-interface language: reads the catalogue again when
    // the new language asks for other catalogue texts (folder names, units), and
    // forgets the catalogue trees the dialogs kept, which still show the old ones.
    // Answers whether the catalogue was read again.
    bool FollowCatalogueLanguage(const std::string& catalogueLanguage);
    // The catalogue's default valve, for new projects.
    std::string defaultValveName;
    // Formats today's date for new projects, in the language's date form.
    std::function<std::string()> shortDate = ShortDateToday;

    NewProjectDefaults MakeDefaults() const;
    void NewProject();

    // May the caller discard the project?  Asks when it is modified.
    bool QuerySave();
    // Writes the project; asks for a name when `saveAs` or when it has none.
    // Returns true when the file was written.  Unless the name dialog was cancelled,
    // afterSave runs once the attempt is over, whether it succeeded or not.
    bool SaveProject(bool saveAs);
    // The open command: save question, dialog, read.  Cancelled when the user stopped
    // at the question or the dialog; Failed when the file was refused (the old project
    // stays); Opened when the new project replaced it.
    enum class OpenResult { Cancelled, Failed, Opened };
    OpenResult OpenProject();
    // Reads `path` into a fresh project and keeps it only when the read succeeds;
    // otherwise shows the reason and leaves the open project as it was.
    bool OpenFile(const std::string& path);
    // A project named on the command line or picked from the recent list: the save
    // question, then OpenFile.  A recent entry whose file is gone leaves the list.
    OpenResult OpenNamed(const std::string& path);
    bool FileNew();
    // Reads the work a recovery file holds, as a project file is read; `fileName`
    // gets the name of the file it belongs to.  Raises a KalorinaError when the
    // recovery file is damaged.
    TProject ReadRecovered(const std::string& path, std::string& fileName) const;
    // Restored work replaces the open project: it stands under the name of the file
    // it belongs to and stays modified until it is saved.
    void RestoreRecovered(TProject project, const std::string& fileName);
    // The projects opened or saved last, newest first.
    RecentProjects recent;

    // The caption up to the file name, which is a path in the file system's encoding
    // and is appended by the window.
    std::string WindowTitle() const;
    std::function<void()> afterSave;
    TreeContent FillTree() const;
    CommandStates UpdateCommandStates(bool itemSelected, bool clipboardHasItem) const;
    // The six totals in the order heat loss, surface, field powers, circuit powers,
    // tube lengths, remaining surface, formatted for the totals panel.
    std::array<std::string, 6> ShowTotals(char decimalSeparator);

    // Every change of the project goes through its history, one step per user
    // action; `name` is the step's name for the Edit menu.
    History& Changes() { return history_; }
    // Rooms drawn on the plan and rooms computed from their building follow every
    // change at once, in the same step: a corner moves a room's area, an element, a
    // construction or the outdoor temperature its heat loss.
    bool Change(const StepLabel& name, const std::function<void(TProject&)>& edit)
    {
        return history_.Change(name, [&edit](TProject& p) {
            edit(p);
            p.ApplyOutlineAreas();
            ApplyHeatLoads(p);
        });
    }
    // The name of a step done to an item: the step's text (IDS_STEP...) with the name.
    static StepLabel StepName(const char* id, const std::string& item);

    std::string NewRoom();
    // A new circuit fed from the manifold at `manifold` (the first when out of range).
    std::string NewRound(int manifold = 0);
    std::string NewManifold();
    // Moves the named circuit to the manifold at `manifold`; true when it moved.
    bool MoveRound(const std::string& round, int manifold);
    // The manifold dialog on the named manifold: `dialog` edits the editor and
    // answers whether it was committed (OK).  True when the manifold changed.
    bool EditManifold(const std::string& name, const std::function<bool(ManifoldEditor&)>& dialog);
    // Designs the manifold at `manifold`, or every manifold; `dialog` shows the
    // outcome and answers OK (apply) or Cancel.  Applied, the designed project is one
    // step.  Nothing to design shows the design's warnings instead of the dialog.
    // True when the design was applied.
    bool Design(std::optional<int> manifold, const std::function<bool(const DesignOutcome&)>& dialog);
    // Lays the tubes ("Csővezetés") of every circuit, of the manifold at `index`, or
    // of the circuits with a part in the room whose identifier is `index`, as one
    // step; circuits unchanged since they were laid stay.  What could not be laid is
    // shown; circuits too long for their tube are offered to be split into as many
    // as their length needs, split and laid as a second step.  True when the project
    // changed.
    enum class LayScope { All, Manifold, Room };
    bool LayTubes(LayScope scope, int index = 0);
    // Asks, then deletes the named item.  A manifold goes with its circuits, and the
    // question says how many.  A room whose fields circuits use is asked
    // about naming those circuits, and goes with its parts of them; the circuits are
    // recalculated.  True when it was deleted.
    bool DeleteItem(ItemGroup group, const std::string& name);
    // The modify command: the named item in its dialog (EditItem); failures of the
    // circuits recalculated on OK are shown.  True when the item changed.
    bool EditItem(ItemGroup group, const std::string& name, const ItemDialogs& dialogs);
    // Asked on OK of the room dialog: when `edited` has lost fields that circuits
    // use, the question naming those circuits.  True when nothing is lost or the
    // user agreed to remove those parts; false sends the user back to the dialog.
    bool ConfirmRoomEdit(const TRoomItem& edited);
    // A rename typed in the tree: true when accepted; a blank name or one another
    // item of the list has is refused with a message, and false answered.
    bool RenameItem(ItemGroup group, const std::string& oldName, const std::string& newName);

    // The item clipboard.  Copy and cut answer whether the item went to the clipboard;
    // paste answers the pasted item's group and name, or nothing (a damaged item is
    // refused with a message and changes nothing).
    bool CopyItem(ClipboardService& clipboard, ItemGroup group, const std::string& name);
    bool CutItem(ClipboardService& clipboard, ItemGroup group, const std::string& name);
    // A circuit is pasted into the manifold at `manifold`.
    std::optional<std::pair<ItemGroup, std::string>> PasteItem(const ClipboardService& clipboard, int manifold = 0);

    static constexpr const char* kFileFilter = "Kalorina projektek (*.klp)|*.klp|Minden f\xE1jl (*.*)|*.*";
    // The open and save dialogs' filters; the window puts the translated ones here.
    std::string openFilter = kFileFilter, saveFilter = kFileFilter;

private:
    void Warn(const std::string& text);
    // Warns with CalculationLockedText and answers true while the calculation is locked.
    bool RefusedWhileLocked();
    // Before room `index` goes: the question naming the circuits that use its
    // fields, else `plain` (no question without it).  True when the deletion may go on.
    bool MayDeleteRoom(int index, const std::optional<std::string>& plain);
    void WarnFailures(const std::vector<std::string>& failures);

    MessageService& messages_;
    FileDialogService& files_;
    TProgramOptions programOptions_;
    std::unique_ptr<TDevices> devices_ = std::make_unique<TDevices>();
    std::string dataDir_, catalogueLanguage_;
    TProject project_;
    History history_{project_};
};

} // namespace kalorina
