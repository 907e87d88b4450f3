#include "app/TProgramOptionsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
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
QWidget* Page(QTabWidget* tabs, const char* name, const QString& caption, const QString& intro)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    tabs->addTab(page, caption);
    auto* layout = new QVBoxLayout(page);
    QLabel* text = NamedLabel((std::string(name) + "Label").c_str(), intro, page);
    text->setWordWrap(true);
    layout->addWidget(text);
    return page;
}

bool QtFontChooser(QFont& font, QWidget* parent)
{
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = chosen;
    return ok;
}
} // namespace

TProgramOptionsForm::TProgramOptionsForm(TProgramOptions& options, const Services& services, QWidget* parent)
    : QDialog(parent), chooseFont(QtFontChooser), editor_(options, Languages()), services_(services)
{
    setObjectName(QStringLiteral("ProgramOptionsForm"));
    setWindowTitle(QStringLiteral("Program beállítások"));
    auto* root = new QVBoxLayout(this);
    PageControl = new QTabWidget(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    root->addWidget(PageControl);

    QWidget* data = Page(PageControl, "ProjektData", QStringLiteral("Projekt adatok"),
                         QStringLiteral("Egy új projekt létrehozásakor az itt megadott tervezői adatokkal, és ha "
                                        "kérjük az aktuális dátummal töltődnek fel a projekt adatok"));
    auto* dataLayout = static_cast<QVBoxLayout*>(data->layout());
    dataLayout->addWidget(NamedLabel("PlanerLabel", QStringLiteral("Tervező:"), data));
    Planer = new QPlainTextEdit(data);
    Planer->setObjectName(QStringLiteral("Planer"));
    dataLayout->addWidget(Planer);
    InitDate = new QCheckBox(QStringLiteral("Aktuális dátum"), data);
    InitDate->setObjectName(QStringLiteral("InitDate"));
    dataLayout->addWidget(InitDate);

    QWidget* print = Page(PageControl, "PrintPage", QStringLiteral("Nyomtatási lap"),
                          QStringLiteral("A nyomtatási lap margóinak mérete mellett az alkalmazott betűtípus "
                                         "választhatók itt meg. A nyomtatási betűtípus megváltoztatása a szövegek "
                                         "egymásra csúszását, tabulálási problémákat okozhat!"));
    auto* margins = new QFormLayout;
    auto margin = [&](const char* name, const char* labelName, const QString& caption) {
        QLineEdit* edit = NamedEdit(name, print);
        edit->setMaximumWidth(80);
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(NamedLabel((std::string(name) + "Unit").c_str(), QStringLiteral("mm"), print));
        row->addStretch();
        QLabel* label = NamedLabel(labelName, caption, print);
        label->setBuddy(edit);
        margins->addRow(label, row);
        return edit;
    };
    TopMargin = margin("TopMargin", "TopMarginLabel", QStringLiteral("Fent:"));
    LeftMargin = margin("LeftMargin", "LeftMarginLabel", QStringLiteral("Balra:"));
    RightMargin = margin("RightMargin", "RightMarginLabel", QStringLiteral("Jobbra:"));
    BottomMargin = margin("BottomMargin", "BottomMarginLabel", QStringLiteral("Lent:"));
    auto* printLayout = static_cast<QVBoxLayout*>(print->layout());
    printLayout->addLayout(margins);
    auto* fontRow = new QHBoxLayout;
    ReportFontName = NamedLabel("ReportFontName", QString(), print);
    fontRow->addWidget(ReportFontName, 1);
    QPushButton* change = NamedButton("ChangeReportFont", QStringLiteral("Betűtípus módosítása..."), print);
    fontRow->addWidget(change);
    printLayout->addLayout(fontRow);
    printLayout->addStretch();

    QWidget* language = Page(PageControl, "LanguagePage", QStringLiteral("Nyelv"),
                             QStringLiteral("Válassza ki a program használat nyelvét, illetve a nyomtatás nyelvét."));
    auto* languages = new QFormLayout;
    ProgramLanguage = new QComboBox(language);
    ProgramLanguage->setObjectName(QStringLiteral("ProgramLanguage"));
    PrintingLanguage = new QComboBox(language);
    PrintingLanguage->setObjectName(QStringLiteral("PrintingLanguage"));
    languages->addRow(NamedLabel("ProgramLanguageLabel", QStringLiteral("Program használat nyelve:"), language),
                      ProgramLanguage);
    languages->addRow(NamedLabel("PrintingLanguageLabel", QStringLiteral("Nyomtatás nyelve:"), language),
                      PrintingLanguage);
    auto* languageLayout = static_cast<QVBoxLayout*>(language->layout());
    languageLayout->addLayout(languages);
    languageLayout->addStretch();

    const DialogButtons buttons =
        MakeDialogButtons(this, HelpTopic::ProgramOptions, QStringLiteral("Elvet"), {"OK", "Cancel", "Help"});
    root->addLayout(ButtonRow(buttons));
    StatusBar = NamedStatusBar(this);
    root->addWidget(StatusBar);

    connect(buttons.ok, &QPushButton::clicked, this, &TProgramOptionsForm::accept);
    connect(change, &QPushButton::clicked, this, &TProgramOptionsForm::ChangeReportFontClick);
    TranslateForm(this);
    ShowView();
    resize(520, 420);
}

void TProgramOptionsForm::ShowView()
{
    const ProgramOptionsView v = editor_.View();
    Planer->setPlainText(Q(v.designer));
    InitDate->setChecked(v.dateNewProjects);
    QLineEdit* margins[] = {LeftMargin, TopMargin, RightMargin, BottomMargin};
    for (int i = 0; i < 4; ++i)
        margins[i]->setText(Q(v.margins[i]));
    for (auto [combo, names, index] : {std::tuple{ProgramLanguage, &v.programLanguages, v.programLanguage},
                                       std::tuple{PrintingLanguage, &v.printingLanguages, v.printingLanguage}}) {
        combo->clear();
        for (const std::string& name : *names)
            combo->addItem(Q(name));
        combo->setCurrentIndex(index);
    }
    ShowFont();
}

void TProgramOptionsForm::ShowFont()
{
    // The label shows the font in itself, so the user sees what reports will use.
    const ProgramOptionsView v = editor_.View();
    ReportFontName->setText(Q(v.reportFont));
    QFont f = font();
    if (!v.font.name.empty())
        f.setFamily(Q(v.font.name));
    if (v.font.size > 0)
        f.setPointSize(v.font.size);
    ReportFontName->setFont(f);
}

void TProgramOptionsForm::ChangeReportFontClick()
{
    QFont f = ReportFontName->font();
    if (!chooseFont || !chooseFont(f, this))
        return;
    editor_.SetReportFont(Cp(f.family()), f.pointSize() > 0 ? f.pointSize() : 10);
    ShowFont();
}

void TProgramOptionsForm::accept()
{
    StatusBar->clearMessage();
    ProgramOptionsInput in;
    try {
        QLineEdit* margins[] = {LeftMargin, TopMargin, RightMargin, BottomMargin};
        for (int i = 0; i < 4; ++i) {
            in.margins[i] = IntegerFromControl(margins[i], InputKind::Margin);
        }
        in.designerLines = MemoLines(Cp(Planer->toPlainText()));
        in.dateNewProjects = InitDate->isChecked();
        in.programLanguage = Cp(ProgramLanguage->currentText());
        in.printingLanguage = Cp(PrintingLanguage->currentText());
        editor_.Commit(in);
    } catch (const KalorinaError& e) {
        StatusBar->showMessage(Q(e.what()));
        return;
    }
    QDialog::accept();
}

} // namespace kalorina::gui
