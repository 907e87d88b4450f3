#include "app/TProjektDataForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "help/Help.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"

namespace kalorina::gui {

TProjektDataForm::TProjektDataForm(TProject& project, QWidget* parent) : QDialog(parent), editor_(project)
{
    setObjectName(QStringLiteral("ProjektDataForm"));
    setWindowTitle(QStringLiteral("Projekt adatok"));
    auto* root = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    auto memo = [&](const char* name, const QString& caption) {
        auto* edit = new QPlainTextEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setTabChangesFocus(true);
        QLabel* label = NamedLabel((std::string(name) + "Label").c_str(), caption, this);
        label->setBuddy(edit);
        grid->addWidget(label, row, 0, Qt::AlignTop);
        grid->addWidget(edit, row++, 1);
        return edit;
    };
    Address = memo("Address", QStringLiteral("Építmény:"));
    Customer = memo("Customer", QStringLiteral("Megrendelő:"));
    Planer = memo("Planer", QStringLiteral("Tervező:"));
    Comment = memo("Comment", QStringLiteral("Megjegyzés:"));
    Date = NamedEdit("Date", this);
    QLabel* dateLabel = NamedLabel("DateLabel", QStringLiteral("Dátum:"), this);
    dateLabel->setBuddy(Date);
    grid->addWidget(dateLabel, row, 0);
    grid->addWidget(Date, row, 1);
    root->addLayout(grid);

    const DialogButtons buttons =
        MakeDialogButtons(this, HelpTopic::ProjectData, QStringLiteral("Elvet"), {"OK", "Cancel", "Help"});
    root->addLayout(ButtonRow(buttons));
    connect(buttons.ok, &QPushButton::clicked, this, &TProjektDataForm::accept);
    TranslateForm(this);

    const ProjectDataView v = editor_.View();
    Address->setPlainText(Q(v.building));
    Customer->setPlainText(Q(v.customer));
    Planer->setPlainText(Q(v.designer));
    Comment->setPlainText(Q(v.comment));
    Date->setText(Q(v.date));
    resize(480, 460);
}

void TProjektDataForm::accept()
{
    editor_.Commit({Cp(Address->toPlainText()), Cp(Customer->toPlainText()), Cp(Planer->toPlainText()),
                    Cp(Comment->toPlainText()), Cp(Date->text())});
    QDialog::accept();
}

} // namespace kalorina::gui
