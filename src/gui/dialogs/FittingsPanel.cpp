#include "dialogs/FittingsPanel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "catalogue/DeviceKind.h"
#include "catalogue/DeviceTreeWidget.h"
#include "catalogue/TDevices.h"
#include "dialogs/FittingDialogs.h"
#include "lang/TLanguages.h"
#include "listview/ListRows.h"
#include "listview/TListHeader.h"
#include "listview/TListViewWithHeader.h"
#include "platform/QtText.h"
#include "platform/TreeRows.h"

namespace kalorina::gui {

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

void CollectExpanded(QTreeWidgetItem* item, std::vector<bool>& out)
{
    out.push_back(item->isExpanded());
    for (int i = 0; i < item->childCount(); ++i)
        CollectExpanded(item->child(i), out);
}

void RestoreExpanded(QTreeWidgetItem* item, const std::vector<bool>& flags, std::size_t& next)
{
    if (next < flags.size())
        item->setExpanded(flags[next]);
    ++next;
    for (int i = 0; i < item->childCount(); ++i)
        RestoreExpanded(item->child(i), flags, next);
}

} // namespace

FittingsPanel::FittingsPanel(const Setup& setup, const TDevices& devices, const Services& services,
                             std::function<FittingList()> list, QWidget* parent)
    : QWidget(parent), devices_(devices), services_(services), list_(std::move(list)), memory_(setup.memory)
{
    setObjectName(QStringLiteral("FittingsPanel"));
    ResistsTree = new QTreeWidget;
    ResistsTree->setObjectName(QStringLiteral("ResistsTree"));
    ResistsTree->setHeaderHidden(true);
    Header = new TListHeader;
    Header->setObjectName(QString::fromLatin1(setup.headerName));
    Header->SetServices(services);
    ResistsList = new TListViewWithHeader;
    ResistsList->setObjectName(QStringLiteral("ResistsList"));
    ResistsList->SetUp(Header, setup.formatName, setup.registryName ? setup.registryName : "");

    auto action = [this](const char* name, const QString& caption, auto slot) {
        auto* a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    AddResistAction = action("AddResistAction", T("Felvesz"), &FittingsPanel::AddResistActionExecute);
    ModifyResistAction = action("ModifyResistAction", T("Módosít..."), &FittingsPanel::ModifyResistActionExecute);
    AddUniqueResistAction =
        action("AddUniqueResistAction", T("Egyedi elem felvétele..."), &FittingsPanel::AddUniqueResistActionExecute);
    DeleteResistAction = action("DeleteResistAction", T("Töröl"), &FittingsPanel::DeleteResistActionExecute);
    DeleteResistAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    DeleteResistAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(DeleteResistAction);

    auto* buttons = new QHBoxLayout;
    for (QAction* a : {AddResistAction, AddUniqueResistAction, ModifyResistAction, DeleteResistAction}) {
        auto* b = new QToolButton;
        b->setObjectName(a->objectName() + QStringLiteral("Button"));
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("ResistsPopupMenu"));
    PopupMenu->addActions({AddUniqueResistAction, ModifyResistAction, DeleteResistAction});
    ResistsList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ResistsList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        UpdateActions();
        PopupMenu->popup(ResistsList->viewport()->mapToGlobal(at));
    });

    auto* right = new QVBoxLayout;
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(Header);
    right->addWidget(ResistsList, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ResistsTree, 2);
    layout->addLayout(right, 3);

    const DeviceTreeNode root = memory_ && memory_->savedTree
        ? *memory_->savedTree
        : devices_.FillDeviceTree(kResistKind, Txt("IDS_RESISTSTREEROOTNAME"));
    FillDeviceTreeWidget(ResistsTree, root);
    if (memory_ && memory_->savedTree) {
        std::size_t next = 0;
        if (ResistsTree->topLevelItemCount() > 0)
            RestoreExpanded(ResistsTree->topLevelItem(0), memory_->savedExpanded, next);
        memory_->savedTree.reset();
    }
    if (memory_ && !memory_->lastNode.empty() && ResistsTree->topLevelItemCount() > 0)
        if (auto* node =
                FindInSubtree(ResistsTree->topLevelItem(0), [text = Q(memory_->lastNode)](const QTreeWidgetItem* item) {
                    return item->text(0) == text;
                }))
            ResistsTree->setCurrentItem(node);

    connect(ResistsTree, &QTreeWidget::itemDoubleClicked, this, [this] { AddResistActionExecute(); });
    connect(ResistsList, &QTreeWidget::itemDoubleClicked, this, [this] { ModifyResistActionExecute(); });
    connect(ResistsList, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateActions(); });
    connect(ResistsTree, &QTreeWidget::currentItemChanged, this, [this] { UpdateActions(); });
    connect(Header, &TListHeader::ColumnsChanged, this, [this] { RefreshFittingList(true); });
    RefreshFittingList(true);
    // Kept as the tree was built: the catalogue does not change while the program runs.
    if (memory_)
        memory_->savedTree = root;
}

FittingsPanel::~FittingsPanel()
{
    if (!memory_)
        return;
    memory_->savedExpanded.clear();
    if (ResistsTree->topLevelItemCount() > 0)
        CollectExpanded(ResistsTree->topLevelItem(0), memory_->savedExpanded);
    else
        memory_->savedTree.reset();
    if (auto* node = ResistsTree->currentItem())
        memory_->lastNode = Cp(node->text(0));
}

void FittingsPanel::RefreshFittingList(bool rebuild)
{
    const int selected = SelectedFitting();
    ShowListRows(ResistsList, list_().Rows(Header->Format()), rebuild);
    SelectFitting(selected);
    UpdateActions();
}

int FittingsPanel::SelectedFitting() const
{
    return SelectedTopLevelRow(ResistsList);
}

void FittingsPanel::SelectFitting(int index)
{
    if (auto* item = TopLevelRow(ResistsList, index))
        ResistsList->setCurrentItem(item);
}

void FittingsPanel::UpdateActions()
{
    const bool selected = SelectedFitting() >= 0;
    ModifyResistAction->setEnabled(selected);
    DeleteResistAction->setEnabled(selected);
    AddResistAction->setEnabled(DeviceTreeTag(ResistsTree->currentItem()) != 0);
}

void FittingsPanel::ListChanged(int select)
{
    RefreshFittingList(true);
    SelectFitting(select);
    NotifyChanged();
}

void FittingsPanel::NotifyChanged()
{
    if (changed)
        changed();
}

void FittingsPanel::AddResistActionExecute()
{
    QTreeWidgetItem* node = ResistsTree->currentItem();
    if (DeviceTreeTag(node) == 0)
        return;
    FittingList list = list_();
    const bool added = list.AddFromCatalogue(
        Cp(node->text(0)), [this](TResist& f) { return EditCatalogueFitting(window(), services_, devices_, f); });
    if (!added)
        return;
    ListChanged(list.Count() - 1);
}

void FittingsPanel::AddUniqueResistActionExecute()
{
    FittingList list = list_();
    if (!list.AddUnique([this](TResist& f) { return EditUniqueFitting(window(), services_, f); }))
        return;
    ListChanged(list.Count() - 1);
}

void FittingsPanel::ModifyResistActionExecute()
{
    const int index = SelectedFitting();
    if (index < 0)
        return;
    list_().Modify(
        index, [this](TResist& f) { return EditCatalogueFitting(window(), services_, devices_, f); },
        [this](TResist& f) { return EditUniqueFitting(window(), services_, f); });
    // A size chosen in the catalogue dialog stays even when it was cancelled.
    RefreshFittingList(false);
    NotifyChanged();
}

void FittingsPanel::DeleteResistActionExecute()
{
    const int index = SelectedFitting();
    if (index < 0)
        return;
    FittingList list = list_();
    if (!AskYesNo(services_, list.DeleteQuestion(index)))
        return;
    list.Delete(index);
    ListChanged(std::min(index, list.Count() - 1));
}

} // namespace kalorina::gui
