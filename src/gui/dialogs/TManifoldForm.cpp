#include "dialogs/TManifoldForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/Help.h"
#include "lang/TLanguages.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

TManifoldForm::TManifoldForm(ManifoldEditor& editor, const Services& services, QWidget* parent)
    : QDialog(parent), editor_(editor), services_(services)
{
    setObjectName(QStringLiteral("ManifoldForm"));
    setWindowTitle(QStringLiteral("Osztó"));
    // Room for a name such as "Manifold (12)" and a place such as "Boiler room,
    // ground floor", whatever the width of the captions beside them.
    const QString longName(24, QLatin1Char('n'));
    ManifoldNameEdit = FitEditTo(NamedEdit("ManifoldNameEdit"), longName);
    LocationEdit = FitEditTo(NamedEdit("LocationEdit"), longName);
    DesignSpreadEdit = FitNumberEdit(NamedEdit("DesignSpreadEdit"), InputKind::Spread);
    MaxSupplyEdit = FitNumberEdit(NamedEdit("MaxSupplyEdit"), InputKind::SupplyLimit);
    auto* grid = new QGridLayout;
    GridRows rows(grid);
    rows.Add("ManifoldNameLabel", QStringLiteral("Név"), ManifoldNameEdit, QString());
    rows.Add("LocationLabel", QStringLiteral("Helye"), LocationEdit, QString());
    rows.Add("DesignSpreadLabel", QStringLiteral("Méretezési hőfoklépcső"), DesignSpreadEdit, QStringLiteral("K"));
    rows.Add("MaxSupplyLabel", QStringLiteral("Legmagasabb előremenő hőmérséklet"), MaxSupplyEdit,
             QStringLiteral("°C"));
    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::Manifold, QStringLiteral("Elvet"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(ButtonBox(buttons));
    TranslateForm(this);

    const ManifoldView v = editor_.View();
    ManifoldNameEdit->setText(Q(v.name));
    LocationEdit->setText(Q(v.location));
    DesignSpreadEdit->setText(Q(v.designSpread));
    MaxSupplyEdit->setText(Q(v.maxSupply));
    connect(buttons.ok, &QPushButton::clicked, this, [this] { OKClick(); });
}

void TManifoldForm::OKClick()
{
    try {
        ManifoldInputs in;
        in.name = Cp(ManifoldNameEdit->text());
        in.location = Cp(LocationEdit->text());
        in.designSpread = NumberFromControl(DesignSpreadEdit, InputKind::Spread);
        in.maxSupply = NumberFromControl(MaxSupplyEdit, InputKind::SupplyLimit);
        try {
            editor_.Commit(in);
        } catch (const KalorinaError&) {
            // The numbers are in range by now: the name is what the message is about.
            ManifoldNameEdit->setFocus();
            ManifoldNameEdit->selectAll();
            throw;
        }
        accept();
    } catch (const KalorinaError& e) {
        services_.messages->Show(MessageKind::Warning, Languages().GetText("IDS_PROGRAMTITLE"), e.what());
    }
}

bool EditManifoldInDialog(ManifoldEditor& editor, const Services& services, QWidget* parent)
{
    TManifoldForm form(editor, services, parent);
    return ExecWithPlacement(form, false) == QDialog::Accepted;
}

} // namespace kalorina::gui
