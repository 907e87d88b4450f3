#include "dialogs/TAreaForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/DesignRules.h"
#include "dialogs/ZoneCombo.h"
#include "help/Help.h"
#include "platform/DialogSupport.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

TAreaForm::TAreaForm(double proposal, double maximum, int zone, QWidget* parent)
    : QDialog(parent), area_(proposal), maximum_(maximum), zone_(zone)
{
    setObjectName(QStringLiteral("AreaForm"));
    setWindowTitle(QStringLiteral("Felület megadása"));
    auto* grid = new QGridLayout;
    HeatingArea = FitNumberEdit(NamedEdit("HeatingArea"), InputKind::FieldArea);
    AreaMax = NamedLabel("AreaMax", {});
    ZoneTypes = MakeZoneCombo("ZoneTypes");
    auto* all = NamedButton("AllArea", QStringLiteral("Teljes felület"));
    grid->addWidget(NamedLabel("HeatingAreaLabel", QStringLiteral("Felület:")), 0, 0);
    grid->addWidget(HeatingArea, 0, 1);
    grid->addWidget(NamedLabel("HeatingAreaUnit", QStringLiteral("m2")), 0, 2);
    grid->addWidget(NamedLabel("AreaMaxLabel", QStringLiteral("Legfeljebb:")), 1, 0);
    grid->addWidget(AreaMax, 1, 1);
    grid->addWidget(all, 1, 2);
    grid->addWidget(NamedLabel("ZoneTypesLabel", QStringLiteral("Zóna:")), 2, 0);
    grid->addWidget(ZoneTypes, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    auto* ok = NamedButton("OKButton", QStringLiteral("OK"));
    ok->setDefault(true);
    auto* cancel = NamedButton("CancelButton", QStringLiteral("Elvet"));
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    StatusBar = NamedStatusBar();
    auto* root = new QVBoxLayout(this);
    root->addLayout(grid);
    root->addLayout(buttons);
    root->addWidget(StatusBar);
    TranslateForm(this);

    HeatingArea->setText(Q(FloatToStrF(proposal, TFloatFormat::General, 5, 0)));
    AreaMax->setText(Q(AreaToStr(maximum)));
    ZoneTypes->setCurrentIndex(zone >= 0 && zone < 3 ? zone : 0);
    connect(all, &QPushButton::clicked, this, [this] { HeatingArea->setText(AreaMax->text()); });
    InstallHelp(this, HelpTopic::RoomArea);
    connect(ok, &QPushButton::clicked, this, &TAreaForm::accept);
    connect(cancel, &QPushButton::clicked, this, &TAreaForm::reject);
}

void TAreaForm::accept()
{
    // A bad entry keeps the dialog open with the focus on the area and says why.
    StatusBar->clearMessage();
    try {
        const double area = NumberFromControl(HeatingArea, InputKind::FieldArea);
        try {
            CheckAreaWithin(area, maximum_);
        } catch (const KalorinaError&) {
            HeatingArea->setFocus();
            throw;
        }
        area_ = area;
    } catch (const KalorinaError& e) {
        ShowWholeMessage(this, StatusBar, Q(e.what()));
        return;
    }
    if (ZoneTypes->isEnabled())
        zone_ = ZoneTypes->currentIndex();
    QDialog::accept();
}

} // namespace kalorina::gui
