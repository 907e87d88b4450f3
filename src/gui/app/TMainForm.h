#pragma once
#include <QList>
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/MainController.h"
#include "app/ProjectRecovery.h"
#include "app/TItemsTree.h"
#include "platform/Services.h"

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

class PlanPage;

class TDesignCheckPanel;

// The main window: the project tree, the totals and every command.  The rules live
// in MainController; this class shows its state and forwards the commands.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm() : TMainForm(SystemServices()) {}
    explicit TMainForm(const Services& services, QWidget* parent = nullptr);
    ~TMainForm() override;

    MainController& Controller() { return *controller_; }
    const Services& GetServices() const { return services_; }
    const TProject& Project() const { return std::as_const(*controller_).Project(); }

    // "Refresh": tree, title, command states and totals.
    void Refresh();
    // Translates the window into the user-interface language and takes the
    // translated file dialog filters.
    void Retranslate();
    // Opens a project named on the command line: the same messages as the open
    // command; a file that cannot be read leaves the empty project.
    void OpenCommandLineFile(const QString& path);
    // Keeps unsaved work in a recovery file of this program's own in `folder`, so
    // that a crash, a killed program or a power cut loses none of it; nothing is
    // written while `folder` is empty.
    void EnableRecovery(const std::string& folder);
    const ProjectRecovery* Recovery() const { return recovery_.get(); }
    // Offers the work that programs killed earlier left behind, one file after the
    // other until one is restored; a damaged file is reported and put aside.
    void OfferRecoveredWork();
    // What the recovery timer does: writes the modified project, or removes the
    // file when there is nothing unsaved; waits while a dialog is open.
    void UpdateRecovery();
    // Puts the window where it was last closed; saved when the window closes.
    void RestorePlacement();
    void SavePlacement() const;
    void UpdateTitle();
    void UpdateCommandStates();
    void ShowTotals();
    void FillTree();

    TItemsTree* ItemsTree = nullptr;
    QAction *FileNew = nullptr, *FileOpen = nullptr, *FileSave = nullptr, *FileSaveAs = nullptr, *FileExit = nullptr;
    QAction *EditUndo = nullptr, *EditRedo = nullptr;
    QAction *EditCut = nullptr, *EditCopy = nullptr, *EditPaste = nullptr;
    QAction *NewRoomItemAction = nullptr, *NewRoundItemAction = nullptr, *ModifyItemAction = nullptr,
            *RenameItemAction = nullptr, *DeleteItemAction = nullptr;
    QAction *NewManifoldAction = nullptr, *DesignAction = nullptr, *LayTubesAction = nullptr;
    // The manifolds the selected circuit can move to.
    QMenu* MoveRoundMenu = nullptr;
    QAction *PrintAction = nullptr, *UsedMaterialsPrintAction = nullptr, *UsedMaterialsExportAction = nullptr;
    QAction *ProjectDataAction = nullptr, *ProjektOptionsAction = nullptr, *ProgramOptionsAction = nullptr;
    QAction *HelpContent = nullptr, *HelpIndex = nullptr, *HelpAbout = nullptr;
    // HeatingLoss, SurfaceSum, FieldPowers, RoundPowers, TubeLengths, RemainderSurfaceSum
    std::array<QLabel*, 6> totals{};
    QMenu* PopupMenu = nullptr;
    QMenu* File1 = nullptr;
    // The recent projects in the File menu, newest first (hidden when unused).
    std::array<QAction*, RecentProjects::kMaxEntries> RecentFiles{};
    // Carriers of the file dialogs' translatable filters.
    QObject *OpenDialog = nullptr, *SaveDialog = nullptr;

    // A command whose window is not part of the program yet stays disabled whatever
    // its rule says; the window's arrival makes it available.
    void SetWindowAvailable(QAction* command, bool available);
    bool WindowAvailable(QAction* command) const { return !unavailable_.contains(command); }

    // The selected room, manifold or circuit node, or nullptr (group nodes are not items).
    QTreeWidgetItem* SelectedItem() const;
    // The manifold of the selected manifold or circuit node; nothing for any other.
    std::optional<int> SelectedManifold() const;
    // The node of the named item, or nullptr.
    QTreeWidgetItem* FindNode(ItemGroup group, const std::string& name) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildPanels();
    QAction* MakeAction(const char* name, const QString& caption, const QString& hint,
                        const QKeySequence& shortcut = {});
    void AfterNewItem(ItemGroup group, const std::string& name);
    bool ClipboardHasItem() const;

    void FileNewExecute();
    void FileOpenExecute();
    void SaveExecute();
    void FileSaveAsExecute();
    void NewRoomItemActionExecute();
    void NewRoundItemActionExecute();
    void NewManifoldActionExecute();
    // The selected manifold (that of a selected circuit), or every manifold.
    void DesignActionExecute();
    // The selected room's circuits, the selected manifold's, or every circuit.
    void LayTubesActionExecute();
    void FillMoveRoundMenu();
    // Where a new or pasted circuit goes: the manifold selected last.
    int TargetManifold() const;
    void SelectNode(ItemGroup group, const std::string& name);
    void ModifyItemActionExecute();
    void ProjektOptionsActionExecute();
    void RenameItemActionExecute();
    void DeleteItemActionExecute();
    void ProjectDataActionExecute();
    void ProgramOptionsActionExecute();
    void HelpAboutExecute();
    void EditUndoExecute();
    void EditRedoExecute();
    void EditCutExecute();
    void EditCopyExecute();
    void EditPasteExecute();
    void UsedMaterialsPrintActionExecute();
    void UsedMaterialsExportActionExecute();
    // The group and the stored name of the selected room or circuit node.
    bool SelectedGroupAndName(ItemGroup& group, std::string& name) const;
    void PrintActionExecute();
    void ItemsTreeEdited(QTreeWidgetItem* item, int column);
    // The design check of the project as it stands, in the panel and as the figures
    // of the tree (red where an item has an error).
    void UpdateDesignCheck();
    // The banner and the status bar's note while the catalogue locks the calculation.
    void ShowCalculationLock();
    // The one slot every change, undo and redo of the project reaches.
    void ProjectChanged(const ChangeKinds& kinds);
    void ShowTreeFigures();
    // Selects the named room or circuit and opens its dialog.
    void OpenItemDialog(ItemGroup group, const std::string& name);
    // A name still being typed in the tree is taken before any command runs and
    // before the window closes; false when it was refused (its editor then opens
    // again with the text typed).
    bool TakePendingRename();
    // Connects the command to its handler, the pending name taken first.
    void Bind(QAction* action, void (TMainForm::*handler)());
    void OpenRecentFile(int index);
    void UpdateRecentFiles();

    // A change is written to the recovery file at most this often.
    static constexpr int kRecoveryIntervalMs = 2000;
    void ScheduleRecovery();
    // No unsaved work (saved, given up, or a project replaced): no recovery file.
    void DropRecoveryWhenSaved();

    std::unique_ptr<ProjectRecovery> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> unavailable_;
    Services services_;
    std::unique_ptr<MainController> controller_;
    bool filling_ = false;
    bool renameRefused_ = false;
    int lastManifold_ = 0;
    TDesignCheckPanel* DesignCheck = nullptr;
    QDockWidget* DesignCheckDock = nullptr;
    QLabel* CalculationLockBanner = nullptr;
    QLabel* CalculationLockStatus = nullptr;

public:
    // Beside the tree: the totals, and the plan of the project.
    QTabWidget* Pages = nullptr;
    PlanPage* Plan = nullptr;
};

} // namespace kalorina::gui
