#pragma once
// The fittings part of the circuit and project options dialogs: the catalogue
// fittings tree, the fitting list under its column header and the four commands.
#include <QWidget>
#include <functional>

#include "app/FittingEditor.h"
#include "platform/Services.h"

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

class TListHeader;
class TListViewWithHeader;

class FittingsPanel : public QWidget {
    Q_OBJECT
public:
    struct Setup {
        const char* headerName;     // the header's control name
        const char* formatName;     // its column format
        const char* registryName;   // where its layout is kept; nullptr: nowhere
        FittingsTreeMemory* memory; // the tree as the dialog last left it
    };
    FittingsPanel(const Setup& setup, const TDevices& devices, const Services& services,
                  std::function<FittingList()> list, QWidget* parent = nullptr);
    ~FittingsPanel() override;

    QTreeWidget* ResistsTree = nullptr;
    TListHeader* Header = nullptr;
    TListViewWithHeader* ResistsList = nullptr;
    QAction *AddResistAction = nullptr, *ModifyResistAction = nullptr, *AddUniqueResistAction = nullptr,
            *DeleteResistAction = nullptr;
    QMenu* PopupMenu = nullptr;

    // Runs after a fitting was added, changed or removed.
    std::function<void()> changed;

    // Rebuilds the list; rows are rewritten in place unless `rebuild`.
    void RefreshFittingList(bool rebuild);
    int SelectedFitting() const;
    void SelectFitting(int index);

    void AddResistActionExecute();
    void ModifyResistActionExecute();
    void AddUniqueResistActionExecute();
    void DeleteResistActionExecute();

private:
    void UpdateActions();
    // After the list grew or shrank: rebuilds it, selects row `select`, tells `changed`.
    void ListChanged(int select);
    void NotifyChanged();

    const TDevices& devices_;
    Services services_;
    std::function<FittingList()> list_;
    FittingsTreeMemory* memory_;
};

} // namespace kalorina::gui
