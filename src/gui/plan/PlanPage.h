#pragma once
// The main window's "Alaprajz" page: one floor of the plan at a time, the drawing
// tools, the grid, the dimensions panel and the manifold to place.  The page is a
// view of the project: every gesture ends in one change through the window's
// commit, and the page is rebuilt from the change notice.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QToolBar;

namespace kalorina {
class TDevices;
class TProject;
} // namespace kalorina

namespace kalorina::gui {

class PlanScene;
class PlanView;
class PlanTool;
struct PlanToolContext;

class PlanPage : public QWidget {
    Q_OBJECT
public:
    using Commit = std::function<bool(const char* stepId, const std::function<void(TProject&)>& edit)>;
    PlanPage(std::function<const TProject&()> project, Commit commit, QWidget* parent = nullptr);
    // Asks for a drawing's path (empty: cancelled); tells why a file was refused.
    std::function<std::string()> askDxfFile;
    std::function<void(const std::string& message)> refuse;
    // Lays the tubes: every circuit (scope 0), the chosen manifold's (1, its index)
    // or the selected room's (2, its identifier).
    std::function<void(int scope, int index)> layTubes;
    // Asks where to save the laid tubes' drawing (empty: cancelled).
    std::function<std::string()> askDxfSaveFile;
    // The catalogue the circuits are computed with.
    std::function<const TDevices&()> devices;
    ~PlanPage() override;

    // The project as it now is; `errorRooms` are the rooms the design check finds an
    // error for.
    void Rebuild(const std::set<std::string>& errorRooms);
    // The tree's selection: the room's floor is shown and the room outlined.
    void SelectRoom(const std::string& name);

    PlanScene* Scene = nullptr;
    PlanView* View = nullptr;
    QToolBar* Tools = nullptr;
    QComboBox *Floor = nullptr, *Manifold = nullptr;
    QDoubleSpinBox* Grid = nullptr;
    QLineEdit *Width = nullptr, *Depth = nullptr;
    // A corner's coordinates typed: added to the polygon being drawn.
    QLineEdit *CornerX = nullptr, *CornerY = nullptr;
    QAction* AddCornerAction = nullptr;
    QCheckBox* Underlay = nullptr; // the drawing's other layers shown
    QAction *SelectAction = nullptr, *RectangleAction = nullptr, *PolygonAction = nullptr, *CornerAction = nullptr,
            *DoorAction = nullptr, *ManifoldAction = nullptr, *FitAction = nullptr, *DxfAction = nullptr,
            *SplitAction = nullptr;
    QAction *LayAllAction = nullptr, *LayManifoldAction = nullptr, *LayRoomAction = nullptr, *ExportDxfAction = nullptr;
    // The laid tubes written as a DXF drawing; a failure is told through `refuse`.
    void ExportDxfFile(const std::string& path);
    QCheckBox* Tubes = nullptr; // the laid tubes shown
    // The drawing read, the dialog shown, its choice taken as one step.
    void ImportDxfFile(const std::string& path);

signals:
    void RoomSelected(const std::string& name);
    void RoomOpened(const std::string& name);

private:
    QAction* ToolAction(const char* name, const QString& caption, PlanTool* tool);
    void Redraw();

    std::function<const TProject&()> project_;
    Commit commit_;
    std::unique_ptr<PlanToolContext> context_;
    std::vector<std::unique_ptr<PlanTool>> tools_;
    QActionGroup* group_ = nullptr;
    std::set<std::string> errorRooms_;
    std::int32_t selected_ = 0;
    bool fitted_ = false;
};

} // namespace kalorina::gui
