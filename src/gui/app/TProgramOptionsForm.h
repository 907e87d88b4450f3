#pragma once
// The program options: the designer block and dating of new projects, the report
// margins and font, and the user-interface and printing languages.  The rules are
// ProgramOptionsEditor's; OK takes everything or, with a bad margin, nothing.
#include <QDialog>
#include <functional>

#include "app/ProgramOptionsEditor.h"
#include "platform/Services.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStatusBar;
class QTabWidget;

namespace kalorina::gui {

class TProgramOptionsForm : public QDialog {
    Q_OBJECT
public:
    TProgramOptionsForm(TProgramOptions& options, const Services& services, QWidget* parent = nullptr);

    // The font chooser; tests put a scripted one here.  False when cancelled.
    std::function<bool(QFont& font, QWidget* parent)> chooseFont;

    QTabWidget* PageControl = nullptr;
    QPlainTextEdit* Planer = nullptr;
    QCheckBox* InitDate = nullptr;
    QLineEdit *TopMargin = nullptr, *LeftMargin = nullptr, *RightMargin = nullptr, *BottomMargin = nullptr;
    QLabel* ReportFontName = nullptr;
    QComboBox *ProgramLanguage = nullptr, *PrintingLanguage = nullptr;
    QStatusBar* StatusBar = nullptr;

public slots:
    void accept() override;

private:
    void ShowView();
    void ShowFont();
    void ChangeReportFontClick();

    ProgramOptionsEditor editor_;
    Services services_;
};

} // namespace kalorina::gui
