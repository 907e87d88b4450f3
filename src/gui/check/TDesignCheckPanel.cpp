#include "check/TDesignCheckPanel.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/QtText.h"
#include "util/FormatText.h"

namespace kalorina::gui {

namespace {

// The index of the problem a row shows.
constexpr int kProblemRole = Qt::UserRole + 1;

const QColor kErrorColour(0xC0, 0x00, 0x00);
const QColor kWarningColour(0x9A, 0x5B, 0x00);

} // namespace

TDesignCheckPanel::TDesignCheckPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("DesignCheckPanel");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    summary_ = new QLabel(this);
    summary_->setObjectName("DesignCheckSummary");
    list_ = new QTreeWidget(this);
    list_->setObjectName("DesignCheckList");
    list_->setColumnCount(3);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setWordWrap(false);
    list_->header()->setStretchLastSection(true);
    layout->addWidget(summary_);
    layout->addWidget(list_, 1);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { Activated(item); });
    Translate();
}

void TDesignCheckPanel::SetProblems(const std::vector<DesignProblem>& problems)
{
    problems_ = problems;
    // Errors before warnings; within each, in the order the check found them.
    std::stable_sort(problems_.begin(), problems_.end(), [](const DesignProblem& a, const DesignProblem& b) {
        return a.severity == ProblemSeverity::Error && b.severity != ProblemSeverity::Error;
    });
    Fill();
}

void TDesignCheckPanel::Translate()
{
    list_->setHeaderLabels({Q(DesignCheckText("IDS_DESIGNCHECKSEVERITY")), Q(DesignCheckText("IDS_DESIGNCHECKITEM")),
                            Q(DesignCheckText("IDS_DESIGNCHECKPROBLEM"))});
    Fill();
}

void TDesignCheckPanel::Fill()
{
    list_->clear();
    const QIcon errorIcon = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warningIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    int errors = 0;
    for (std::size_t i = 0; i < problems_.size(); ++i) {
        const DesignProblem& p = problems_[i];
        const bool error = p.severity == ProblemSeverity::Error;
        errors += error;
        std::string where = p.roomName;
        if (!p.roundName.empty())
            where += (where.empty() ? "" : " / ") + p.roundName;
        auto* item = new QTreeWidgetItem(list_);
        item->setIcon(0, error ? errorIcon : warningIcon);
        item->setText(0, Q(DesignCheckText(error ? "IDS_DESIGNCHECKERROR" : "IDS_DESIGNCHECKWARNING")));
        item->setText(1, Q(where));
        item->setText(2, Q(p.text));
        item->setToolTip(2, Q(p.text));
        item->setData(0, kProblemRole, static_cast<int>(i));
        for (int column = 0; column < 3; ++column)
            item->setForeground(column, error ? kErrorColour : kWarningColour);
    }
    for (int column = 0; column < 2; ++column)
        list_->resizeColumnToContents(column);
    const int warnings = static_cast<int>(problems_.size()) - errors;
    summary_->setText(problems_.empty() ? Q(DesignCheckText("IDS_DESIGNCHECKNOPROBLEM"))
                                        : Q(DesignCheckSummary(errors, warnings)));
}

void TDesignCheckPanel::Activated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const int i = item->data(0, kProblemRole).toInt();
    if (i < 0 || i >= static_cast<int>(problems_.size()))
        return;
    const DesignProblem& p = problems_[i];
    // A problem of a circuit's part names both: the circuit is what holds it.
    if (!p.roundName.empty())
        emit RoundRequested(p.roundName);
    else if (!p.roomName.empty())
        emit RoomRequested(p.roomName);
}

} // namespace kalorina::gui
