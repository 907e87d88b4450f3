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
    ManifoldNameEdit = NamedEdit("ManifoldNameEdit");
    LocationEdit = NamedEdit("LocationEdit");
    DesignSpreadEdit = NamedEdit("DesignSpreadEdit");
    MaxSupplyEdit = NamedEdit("MaxSupplyEdit");
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
        in.designSpread = static_cast<double>(NumberFromControl(DesignSpreadEdit));
        in.maxSupply = static_cast<double>(NumberFromControl(MaxSupplyEdit));
        try {
            editor_.Commit(in);
        } catch (const KalorinaError&) {
            // The entry the message is about gets the focus: a range, else the name.
            auto within = [](double v, double low, double high) { return v >= low && v <= high; };
            QLineEdit* bad = ManifoldNameEdit;
            if (!within(in.designSpread, ManifoldEditor::kMinSpread, ManifoldEditor::kMaxSpread))
                bad = DesignSpreadEdit;
            else if (!within(in.maxSupply, ManifoldEditor::kMinSupply, ManifoldEditor::kMaxSupply))
                bad = MaxSupplyEdit;
            bad->setFocus();
            bad->selectAll();
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
