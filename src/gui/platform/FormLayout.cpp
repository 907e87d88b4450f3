#include "platform/FormLayout.h"
#include "help/Help.h"
#include "platform/DialogSupport.h"
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace kalorina::gui {

void GridRows::Add(const char* name, const QString& caption, QWidget* field, const QString& unit)
{
    Add(name, caption, field, new QLabel(unit));
}

void GridRows::Add(const char* name, const QString& caption, QWidget* field, QWidget* after)
{
    grid_->addWidget(NamedLabel(name, caption), row_, 0);
    grid_->addWidget(field, row_, 1);
    grid_->addWidget(after, row_, 2);
    ++row_;
}

void GridRows::Span(QWidget* widget)
{
    grid_->addWidget(widget, row_++, 0, 1, 3);
}

DialogButtons MakeDialogButtons(QDialog* dialog, int helpTopic, const QString& cancelText,
                                const DialogButtonNames& names)
{
    DialogButtons b{NamedButton(names.ok, QStringLiteral("OK"), dialog), NamedButton(names.cancel, cancelText, dialog),
                    NamedButton(names.help, QStringLiteral("Súgó"), dialog)};
    b.ok->setDefault(true);
    InstallHelp(dialog, helpTopic, b.help);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}

QDialogButtonBox* ButtonBox(const DialogButtons& buttons)
{
    auto* box = new QDialogButtonBox;
    box->addButton(buttons.ok, QDialogButtonBox::AcceptRole);
    box->addButton(buttons.cancel, QDialogButtonBox::RejectRole);
    box->addButton(buttons.help, QDialogButtonBox::HelpRole);
    return box;
}

QHBoxLayout* ButtonRow(const DialogButtons& buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(buttons.ok);
    row->addWidget(buttons.cancel);
    row->addWidget(buttons.help);
    return row;
}

} // namespace kalorina::gui
