#include "dialogs/TFieldAreaModifyForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "help/Help.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

TFieldAreaModifyForm::TFieldAreaModifyForm(FloorHeatingRoundField& part, double maximum, QWidget* parent)
    : QDialog(parent), editor_(part, maximum)
{
    setObjectName(QStringLiteral("FieldAreaModifyForm"));
    setWindowTitle(QStringLiteral("Beépített felület megadása"));
    Area = FitNumberEdit(NamedEdit("Area"), InputKind::FieldArea);
    AreaMax = NamedLabel("AreaMax", {});
    StatusBar = NamedStatusBar();
    auto* grid = new QGridLayout;
    grid->addWidget(NamedLabel("AreaLabel", QStringLiteral("Beépített felület:")), 0, 0);
    grid->addWidget(Area, 0, 1);
    grid->addWidget(NamedLabel("AreaUnit", QStringLiteral("m2")), 0, 2);
    grid->addWidget(NamedLabel("AreaMaxLabel", QStringLiteral("A beépíthető felület maximuma:")), 1, 0);
    grid->addWidget(AreaMax, 1, 1);
    grid->addWidget(NamedLabel("AreaMaxUnit", QStringLiteral("m2")), 1, 2);
    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::FieldArea, QStringLiteral("Elvet"));
    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addLayout(ButtonRow(buttons));
    root->addWidget(StatusBar);
    TranslateForm(this);

    Area->setText(Q(editor_.AreaText()));
    AreaMax->setText(Q(editor_.MaximumText()));
    connect(buttons.ok, &QPushButton::clicked, this, &TFieldAreaModifyForm::accept);
}

void TFieldAreaModifyForm::accept()
{
    StatusBar->clearMessage();
    try {
        editor_.Commit(NumberFromControl(Area, InputKind::FieldArea));
    } catch (const KalorinaError& e) {
        ShowWholeMessage(this, StatusBar, Q(e.what()));
        return;
    }
    QDialog::accept();
}

bool AskCircuitFieldArea(FloorHeatingRoundField& part, double maximum, QWidget* parent)
{
    TFieldAreaModifyForm form(part, maximum, parent);
    return ExecWithPlacement(form, false) == QDialog::Accepted;
}

} // namespace kalorina::gui
