#include "report/TGotoPageForm.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "lang/TLanguages.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/Error.h"

namespace kalorina::gui {

TGotoPageForm::TGotoPageForm(GotoPageEditor& editor, MessageService& messages, QWidget* parent)
    : QDialog(parent), editor_(editor), messages_(messages)
{
    setObjectName(QStringLiteral("GotoPageForm"));
    setWindowTitle(QStringLiteral("Lapszám megadás"));
    PageNumber = new QLineEdit(Q(editor.Text()), this);
    PageNumber->setObjectName(QStringLiteral("PageNumber"));
    PageUpDown = new QSpinBox(this);
    PageUpDown->setObjectName(QStringLiteral("PageUpDown"));
    PageUpDown->setRange(1, std::max(1, editor.Maximum()));
    PageUpDown->setWrapping(false);
    PageUpDown->setValue(editor.Value());
    PageUpDown->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    PageUpDown->setFixedWidth(PageUpDown->sizeHint().height());
    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    Cancel = new QPushButton(QStringLiteral("Elvet"), this);
    Cancel->setObjectName(QStringLiteral("Cancel"));

    auto* row = new QHBoxLayout;
    row->addWidget(PageNumber);
    row->addWidget(PageUpDown);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OK);
    buttons->addWidget(Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);

    // The arrows step the number in the edit, as an up-down control beside it does.
    connect(PageUpDown, &QSpinBox::valueChanged, this, [this](int v) { PageNumber->setText(QString::number(v)); });
    connect(OK, &QPushButton::clicked, this, &TGotoPageForm::accept);
    connect(Cancel, &QPushButton::clicked, this, &TGotoPageForm::reject);
    TranslateForm(this);
}

void TGotoPageForm::accept()
{
    try {
        editor_.Commit(Cp(PageNumber->text()));
    } catch (const KalorinaError& e) {
        messages_.Show(MessageKind::Warning, Txt("IDS_PROGRAMTITLE"), e.what());
        PageNumber->setFocus();
        PageNumber->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace kalorina::gui
