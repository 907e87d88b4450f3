#pragma once
// The outcome of an automatic design before anything changes: per manifold its
// supply, spread, pump head, total flow, index circuit, the rooms it cannot heat,
// its warnings and the table of its circuits.  OK applies it, Cancel leaves the
// project as it was.
#include <QDialog>
#include <vector>

#include "design/ManifoldDesign.h"

class QTabWidget;
class QTreeWidget;

namespace kalorina::gui {

class TDesignForm : public QDialog {
    Q_OBJECT
public:
    explicit TDesignForm(const DesignOutcome& outcome, QWidget* parent = nullptr);

    // One page per manifold, in the outcome's order.
    QTabWidget* ManifoldTabs = nullptr;
    // The circuits table of each page.
    std::vector<QTreeWidget*> CircuitsTables;
};

// Shows `outcome`; true on OK.
bool ShowDesignDialog(const DesignOutcome& outcome, QWidget* parent);

} // namespace kalorina::gui
