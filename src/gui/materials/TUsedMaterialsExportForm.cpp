#include "help/Help.h"
#include "materials/TUsedMaterialsExportForm.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "document/TProgramOptions.h"
#include "platform/DialogSupport.h"
#include "platform/FontAttributes.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {
Qt::CheckState CheckStateOf(int state)
{
    return state == MaterialTreeNode::kChecked ? Qt::Checked
           : state == MaterialTreeNode::kPartly ? Qt::PartiallyChecked
                                                : Qt::Unchecked;
}

void AddNodes(QTreeWidgetItem* parent, QTreeWidget* tree, const std::vector<MaterialTreeNode>& nodes)
{
    for (const auto& node : nodes) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, Q(node.text));
        // The check marks only show the choice: a double click changes it.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        AddNodes(item, tree, node.children);
    }
}
} // namespace

TUsedMaterialsExportForm::TUsedMaterialsExportForm(UsedMaterialsExportEditor& editor, const Services& services,
                                                   QWidget* parent)
    : QDialog(parent), editor_(editor), services_(services)
{
    setObjectName(QStringLiteral("UsedMaterialsExportForm"));
    setWindowTitle(QStringLiteral("Felhasznált anyagok"));
    AllButton = new QRadioButton(QStringLiteral("Mind"), this);
    AllButton->setObjectName(QStringLiteral("AllButton"));
    SelectedButton = new QRadioButton(QStringLiteral("Csak a kijelöltek"), this);
    SelectedButton->setObjectName(QStringLiteral("SelectedButton"));
    ItemView = new QTreeWidget(this);
    ItemView->setObjectName(QStringLiteral("ItemView"));
    ItemView->setHeaderHidden(true);
    ItemView->setMinimumSize(420, 260);
    QFont font = ItemView->font();
    ApplyToFont(ListFontAttributes::LoadFontAttributes(FontKind::List), font);
    ItemView->setFont(font);
    ItemView->viewport()->installEventFilter(this);
    HintLabel = NamedLabel("HintLabel",
                           QStringLiteral("Dupla kattintás: a tétel ki- vagy bekapcsolása; Shift + dupla kattintás: "
                                          "egy egész csoporté."),
                           this);
    HintLabel->setWordWrap(true);
    WarningLabel = NamedLabel("WarningLabel", {}, this);
    WarningLabel->setWordWrap(true);
    WarningLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    OK = NamedButton("OK", QStringLiteral("OK"), this);
    OK->setDefault(true);
    Cancel = NamedButton("Cancel", QStringLiteral("Elvet"), this);
    SaveButton = NamedButton("SaveButton", QStringLiteral("Mentés fájlba..."), this);

    auto* choice = new QHBoxLayout;
    choice->addWidget(AllButton);
    choice->addWidget(SelectedButton);
    choice->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SaveButton);
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);
    auto* column = new QVBoxLayout(this);
    column->addLayout(choice);
    column->addWidget(ItemView, 1);
    column->addWidget(HintLabel);
    column->addWidget(WarningLabel);
    column->addLayout(buttons);

    TranslateForm(this);
    AddNodes(nullptr, ItemView, *editor_.GetView().tree);
    ShowView();

    connect(AllButton, &QRadioButton::toggled, this, [this](bool on) { editor_.SetAll(on); });
    connect(ItemView, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { ItemViewDblClick(item); });
    InstallHelp(this, HelpTopic::Export);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SaveButton, &QPushButton::clicked, this, &TUsedMaterialsExportForm::SaveButtonClick);
}

void TUsedMaterialsExportForm::ShowView()
{
    auto view = editor_.GetView();
    (view.all ? AllButton : SelectedButton)->setChecked(true);
    for (int i = 0; i < ItemView->topLevelItemCount(); ++i)
        ShowStates(ItemView->topLevelItem(i), (*view.tree)[i]);
    WarningLabel->setText(Q(view.warning));
    WarningLabel->setVisible(!view.warning.empty());
    OK->setEnabled(!view.empty);
    SaveButton->setEnabled(!view.empty);
}

void TUsedMaterialsExportForm::ShowStates(QTreeWidgetItem* item, const MaterialTreeNode& node)
{
    item->setCheckState(0, CheckStateOf(node.state));
    for (int i = 0; i < item->childCount() && i < static_cast<int>(node.children.size()); ++i)
        ShowStates(item->child(i), node.children[i]);
}

std::vector<int> TUsedMaterialsExportForm::PathOf(QTreeWidgetItem* item) const
{
    std::vector<int> path;
    for (; item; item = item->parent())
        path.insert(path.begin(), item->parent() ? item->parent()->indexOfChild(item)
                                                 : ItemView->indexOfTopLevelItem(item));
    return path;
}

bool TUsedMaterialsExportForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ItemView->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        shiftPressed = static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier;
        // While Shift is held a double click chooses a group instead of opening it.
        ItemView->setExpandsOnDoubleClick(!shiftPressed);
    }
    return QDialog::eventFilter(watched, event);
}

void TUsedMaterialsExportForm::ItemViewDblClick(QTreeWidgetItem* item)
{
    if (item && editor_.DoubleClick(PathOf(item), shiftPressed))
        ShowView();
}

void TUsedMaterialsExportForm::SaveButtonClick()
{
    FileDialogRequest request;
    request.save = true;
    request.title = "Felhaszn\xE1lt anyagok ment\xE9se";
    request.filter = "Excel munkalap (*.xls)|*.xls|RTF dokumentum (*.rtf)|*.rtf|CSV (*.csv)|*.csv|"
                     "HTML (*.html)|*.html";
    request.defaultExtension = "xls";
    std::string path = services_.files->Run(request);
    if (path.empty())
        return;
    try {
        if (editor_.Commit() > 0)
            editor_.SaveToFile(path);
    } catch (const KalorinaError& e) {
        ShowFailure(services_, e.what());
    }
}

} // namespace kalorina::gui
