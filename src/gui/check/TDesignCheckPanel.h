#pragma once
// The design check's list for the main window: one row per problem, errors first in
// red, warnings after them, each with the room or circuit it concerns and its
// sentence.  Double-clicking a row asks for that room's or circuit's dialog.
#include <QWidget>
#include <vector>

#include "check/DesignCheck.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace kalorina::gui {

class TDesignCheckPanel : public QWidget {
    Q_OBJECT
public:
    explicit TDesignCheckPanel(QWidget* parent = nullptr);

    // Shows `problems` (as CheckDesign lists them), replacing what was shown.
    void SetProblems(const std::vector<DesignProblem>& problems);
    // Re-reads the column titles and the summary in the active language.
    void Translate();

    const std::vector<DesignProblem>& Problems() const { return problems_; }
    QTreeWidget* List() const { return list_; }

signals:
    // A row was double-clicked: the problem's room (when it names one, code page
    // 1250) is to be opened, else its circuit.
    void RoomRequested(const std::string& roomName);
    void RoundRequested(const std::string& roundName);

private:
    void Activated(QTreeWidgetItem* item);
    void Fill();

    QLabel* summary_ = nullptr;
    QTreeWidget* list_ = nullptr;
    std::vector<DesignProblem> problems_;
};

} // namespace kalorina::gui
