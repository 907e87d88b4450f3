#include "materials/TUsedMaterialsExportForm.h"
#include "help/Help.h"
#include "materials/MaterialTreeView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/DialogSupport.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

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
    ItemView = new MaterialTreeView(this);
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
    ItemView->Fill(editor_.Tree());
    ShowView();

    connect(AllButton, &QRadioButton::toggled, this, [this](bool on) { editor_.SetAll(on); });
    connect(ItemView, &MaterialTreeView::NodeDoubleClicked, this, [this](const std::vector<int>& path, bool shift) {
        if (editor_.DoubleClick(path, shift))
            ShowView();
    });
    InstallHelp(this, HelpTopic::Export);
    connect(OK, &QPushButton::clicked, this, &TUsedMaterialsExportForm::OKClick);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(SaveButton, &QPushButton::clicked, this, &TUsedMaterialsExportForm::SaveButtonClick);
}

void TUsedMaterialsExportForm::ShowView()
{
    auto view = editor_.GetView();
    (view.all ? AllButton : SelectedButton)->setChecked(true);
    ItemView->ShowStates(*view.tree);
    WarningLabel->setText(Q(view.warning));
    WarningLabel->setVisible(!view.warning.empty());
    OK->setEnabled(!view.empty);
    SaveButton->setEnabled(!view.empty);
}

bool TUsedMaterialsExportForm::CommitChosen()
{
    return RunOrShowFailure(services_, [this] { editor_.CommitChosen(); });
}

void TUsedMaterialsExportForm::OKClick()
{
    // Without a chosen row there is nothing to copy: say how to choose, and stay.
    if (CommitChosen())
        accept();
}

void TUsedMaterialsExportForm::SaveButtonClick()
{
    if (!CommitChosen())
        return;
    FileDialogRequest request;
    request.save = true;
    request.title = "Felhaszn\xE1lt anyagok ment\xE9se";
    request.filter = ExportFileFilter();
    request.defaultExtension = ExportFileTypes().front().extension;
    const FileDialogChoice choice = services_.files->Choose(request);
    if (choice.path.empty())
        return;
    RunOrShowFailure(services_, [&] { editor_.SaveToFile(ExportTargetOfChoice(choice.path, choice.filter)); });
}

} // namespace kalorina::gui
