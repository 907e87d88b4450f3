#include "dialogs/FittingDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/Help.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/NumberInput.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

namespace {

QString T(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QCheckBox* NamedCheck(const char* name, const QString& text)
{
    auto* box = new QCheckBox(text);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QComboBox* NamedCombo(const char* name)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    return combo;
}

// OK, Cancel and the help button; F1 and the button open the fittings page.
QDialogButtonBox* Buttons(QDialog* dialog, const std::function<void()>& ok)
{
    const DialogButtons buttons = MakeDialogButtons(dialog, HelpTopic::Fittings, T("Elvet"));
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, ok);
    return ButtonBox(buttons);
}

// A label that opens its hint, the item's document, when clicked.
class LinkLabel : public QLabel {
public:
    std::function<void()> clicked;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (clicked && event->button() == Qt::LeftButton)
            clicked();
        QLabel::mouseReleaseEvent(event);
    }
};

} // namespace

TResistModifyForm::TResistModifyForm(TResist& fitting, const TDevices& devices, const Services& services,
                                     QWidget* parent)
    : QDialog(parent), editor_(fitting, devices), services_(services)
{
    setObjectName(QStringLiteral("ResistModifyForm"));
    setWindowTitle(T("Alaki ellenállás adatok módosítása"));
    auto* name = new LinkLabel;
    name->setObjectName(QStringLiteral("Name"));
    Name = name;
    NumOf = FitNumberEdit(NamedEdit("NumOf"), InputKind::Pieces);
    SizeName = NamedCombo("SizeName");
    Mode = NamedLabel("Mode", {});
    Value = NamedLabel("Value", {});
    List = NamedCheck("List", T("Listában gyűjtendő"));

    auto* form = new QFormLayout;
    form->addRow(NamedLabel("NameLabel", T("Megnevezés:")), Name);
    form->addRow(NamedLabel("NumOfLabel", T("Darabszám:")), NumOf);
    form->addRow(NamedLabel("SizeNameLabel", T("Méret:")), SizeName);
    form->addRow(Mode, Value);
    form->addRow(List);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons(this, [this] { OKClick(); }));
    TranslateForm(this);

    const CatalogueFittingView v = editor_.View();
    Name->setText(Q(v.name));
    NumOf->setText(Q(v.count));
    for (const auto& size : v.sizes)
        SizeName->addItem(Q(size));
    SizeName->setCurrentIndex(v.sizeIndex);
    link_ = v.link;
    if (!link_.empty()) {
        Name->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
        Name->setCursor(Qt::PointingHandCursor);
        Name->setToolTip(Q(link_));
        name->clicked = [this] {
            if (services_.documents)
                services_.documents->Open(link_);
        };
    }
    Mode->setText(Q(v.mode));
    Value->setText(Q(v.value));
    List->setChecked(v.listing);
    connect(SizeName, &QComboBox::activated, this, [this] { SizeNameChange(); });
}

bool TResistModifyForm::Read(bool sizeChange)
{
    try {
        const std::string count = std::to_string(IntegerFromControl(NumOf, InputKind::Pieces));
        const std::string size = Cp(SizeName->currentText());
        if (sizeChange)
            Value->setText(Q(editor_.SizeChanged(count, size, List->isChecked())));
        else
            editor_.Commit(count, size, List->isChecked());
        return true;
    } catch (const KalorinaError& e) {
        NumOf->setFocus();
        ShowFailure(services_, e.what());
        return false;
    }
}

void TResistModifyForm::SizeNameChange()
{
    Read(true);
}

void TResistModifyForm::OKClick()
{
    if (Read(false))
        accept();
}

TUniqueResistModifyForm::TUniqueResistModifyForm(TResist& fitting, const Services& services, QWidget* parent)
    : QDialog(parent), editor_(fitting), services_(services)
{
    setObjectName(QStringLiteral("UniqueResistModifyForm"));
    setWindowTitle(T("Alaki ellenállás adatok módosítása"));
    // Room for a catalogue-like name: "Golyóscsap DN20, belső menetes".
    Name = FitEditTo(NamedEdit("Name"), QStringLiteral("Golyóscsap DN20, belső menetes, préselt"));
    NumOf = FitNumberEdit(NamedEdit("NumOf"), InputKind::Pieces);
    SizeName = FitNumberEdit(NamedEdit("SizeName"), InputKind::NominalSize);
    Mode = NamedCombo("Mode");
    Value = FitNumberEdit(NamedEdit("Value"), InputKind::Zeta);
    List = NamedCheck("List", T("Listában gyűjtendő"));
    auto* form = new QFormLayout;
    form->addRow(NamedLabel("NameLabel", T("Megnevezés:")), Name);
    form->addRow(NamedLabel("NumOfLabel", T("Darabszám:")), NumOf);
    form->addRow(NamedLabel("SizeNameLabel", T("Méret:")), SizeName);
    form->addRow(Mode);
    form->addRow(NamedLabel("ValueLabel", T("Érték:")), Value);
    form->addRow(List);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Buttons(this, [this] { OKClick(); }));
    TranslateForm(this);

    const UniqueFittingView v = editor_.View();
    Name->setText(Q(v.name));
    NumOf->setText(Q(v.count));
    SizeName->setText(Q(v.size));
    for (const auto& mode : ResistModeNames())
        Mode->addItem(Q(mode));
    Mode->setCurrentIndex(v.mode);
    Value->setText(Q(v.value));
    List->setChecked(v.listing);
}

void TUniqueResistModifyForm::OKClick()
{
    try {
        UniqueFittingInputs in;
        in.name = Cp(Name->text());
        in.count = std::to_string(IntegerFromControl(NumOf, InputKind::Pieces));
        in.size = std::to_string(IntegerFromControl(SizeName, InputKind::NominalSize));
        in.mode = Mode->currentIndex();
        // What the value means follows the mode: a flow factor, a loss coefficient or
        // a pressure drop.
        static constexpr InputKind kValueKinds[] = {InputKind::Kv, InputKind::Zeta, InputKind::Pressure};
        in.value = NumberFromControl(Value, kValueKinds[in.mode >= 0 && in.mode < 3 ? in.mode : 0]);
        in.listing = List->isChecked();
        editor_.Commit(in);
        accept();
    } catch (const KalorinaError& e) {
        ShowFailure(services_, e.what());
    }
}

// The dialogs work on a copy: Cancel leaves the fitting as it was, also after a size
// was chosen.
bool EditCatalogueFitting(QWidget* parent, const Services& services, const TDevices& devices, TResist& fitting)
{
    TResist copy = fitting;
    TResistModifyForm form(copy, devices, services, parent);
    if (ExecWithPlacement(form) != QDialog::Accepted)
        return false;
    fitting = copy;
    return true;
}

bool EditUniqueFitting(QWidget* parent, const Services& services, TResist& fitting)
{
    TResist copy = fitting;
    TUniqueResistModifyForm form(copy, services, parent);
    if (ExecWithPlacement(form) != QDialog::Accepted)
        return false;
    fitting = copy;
    return true;
}

} // namespace kalorina::gui
