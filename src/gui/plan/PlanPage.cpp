#include "plan/PlanPage.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <fstream>
#include <iterator>

#include "app/PlanEditor.h"
#include "app/PlanJson.h"
#include "app/ProjectFiles.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "plan/DrawPolygonTool.h"
#include "plan/DrawRectangleTool.h"
#include "plan/DxfImportDialog.h"
#include "plan/DxfWriter.h"
#include "plan/MoveCornerTool.h"
#include "plan/MoveSplitTool.h"
#include "plan/PlaceDoorTool.h"
#include "plan/PlaceManifoldTool.h"
#include "plan/PlanScene.h"
#include "plan/PlanTool.h"
#include "plan/PlanView.h"
#include "platform/QtText.h"
#include "util/Error.h"
#include "util/InputRange.h"

namespace kalorina::gui {

namespace {
// How near a corner or wall of another room pulls a point onto it, in metres.
constexpr double kSnapReach = 0.15;
} // namespace

PlanPage::PlanPage(std::function<const TProject&()> project, Commit commit, QWidget* parent)
    : QWidget(parent), project_(std::move(project)), commit_(std::move(commit))
{
    setObjectName(QStringLiteral("PlanPage"));
    Scene = new PlanScene(this);
    View = new PlanView(this);
    View->setScene(Scene);
    View->roomAt = [this](plan::Point p) { return RoomAt(project_(), Floor->currentIndex(), p); };
    Floor = new QComboBox;
    Floor->setObjectName(QStringLiteral("PlanFloor"));
    Manifold = new QComboBox;
    Manifold->setObjectName(QStringLiteral("PlanManifold"));
    Grid = new QDoubleSpinBox;
    Grid->setObjectName(QStringLiteral("PlanGrid"));
    Grid->setDecimals(2);
    Grid->setRange(0, 1);
    Grid->setSingleStep(0.05);
    Grid->setValue(0.05);
    Grid->setSuffix(QStringLiteral(" m"));
    Width = new QLineEdit;
    Width->setObjectName(QStringLiteral("PlanWidth"));
    Depth = new QLineEdit;
    Depth->setObjectName(QStringLiteral("PlanDepth"));
    CornerX = new QLineEdit;
    CornerX->setObjectName(QStringLiteral("PlanCornerX"));
    CornerY = new QLineEdit;
    CornerY->setObjectName(QStringLiteral("PlanCornerY"));
    for (QLineEdit* e : {Width, Depth, CornerX, CornerY}) {
        e->setMaximumWidth(60);
        e->setPlaceholderText(QStringLiteral("m"));
    }

    context_ = std::make_unique<PlanToolContext>();
    context_->scene = Scene;
    context_->project = project_;
    context_->floor = [this] { return std::max(0, Floor->currentIndex()); };
    context_->snap = [this](plan::Point p) {
        std::vector<plan::Polygon> outlines;
        for (const plan::RoomOutline& o : project_().plan.outlines)
            if (o.floor == Floor->currentIndex())
                outlines.push_back(o.outline);
        // A neighbour's corner or wall first: rooms share walls exactly.
        if (const auto onRoom = plan::SnapToOutlines(p, outlines, kSnapReach))
            return *onRoom;
        return plan::SnapToGrid(p, Grid->value());
    };
    context_->commit = [this](const char* id, const std::function<void(TProject&)>& edit) { return commit_(id, edit); };
    context_->typedSize = [this]() -> std::optional<std::pair<double, double>> {
        if (Width->text().trimmed().isEmpty() || Depth->text().trimmed().isEmpty())
            return std::nullopt;
        try {
            const double w = ParseInput(Cp(Width->text()), InputKind::RoomHeight, "W");
            const double d = ParseInput(Cp(Depth->text()), InputKind::RoomHeight, "D");
            return std::make_pair(w, d);
        } catch (const KalorinaError&) {
            return std::nullopt;
        }
    };
    context_->manifold = [this] { return std::max(0, Manifold->currentIndex()); };
    context_->devices = [this]() -> const TDevices& { return devices(); };

    Tools = new QToolBar(this);
    Tools->setObjectName(QStringLiteral("PlanTools"));
    group_ = new QActionGroup(this);
    SelectAction = ToolAction("PlanSelectAction", QStringLiteral("Kijelölés"), nullptr);
    RectangleAction = ToolAction("PlanRectangleAction", QStringLiteral("Téglalap"),
                                 tools_.emplace_back(std::make_unique<DrawRectangleTool>(*context_)).get());
    PolygonAction = ToolAction("PlanPolygonAction", QStringLiteral("Sokszög"),
                               tools_.emplace_back(std::make_unique<DrawPolygonTool>(*context_)).get());
    CornerAction = ToolAction("PlanCornerAction", QStringLiteral("Sarokpont"),
                              tools_.emplace_back(std::make_unique<MoveCornerTool>(*context_)).get());
    DoorAction = ToolAction("PlanDoorAction", QStringLiteral("Ajtó"),
                            tools_.emplace_back(std::make_unique<PlaceDoorTool>(*context_)).get());
    ManifoldAction = ToolAction("PlanManifoldAction", QStringLiteral("Osztó"),
                                tools_.emplace_back(std::make_unique<PlaceManifoldTool>(*context_)).get());
    SplitAction = ToolAction("PlanSplitAction", QStringLiteral("Körhatár"),
                             tools_.emplace_back(std::make_unique<MoveSplitTool>(*context_)).get());
    SplitAction->setToolTip(QStringLiteral("Két kör határvonalának áthelyezése egy helyiségben"));
    SelectAction->setChecked(true);
    Tools->addSeparator();
    FitAction = Tools->addAction(QStringLiteral("Teljes nézet"), this, [this] { View->Fit(); });
    FitAction->setObjectName(QStringLiteral("PlanFitAction"));
    DxfAction = Tools->addAction(QStringLiteral("DXF beolvasása..."), this, [this] {
        if (askDxfFile)
            if (const std::string path = askDxfFile(); !path.empty())
                ImportDxfFile(path);
    });
    DxfAction->setObjectName(QStringLiteral("PlanDxfAction"));
    Tools->addSeparator();
    // The laying commands share one button: the whole plan at a click, the manifold's
    // or the room's circuits and the drawing from its menu.
    auto* layMenu = new QMenu(this);
    layMenu->setObjectName(QStringLiteral("PlanLayMenu"));
    const auto lay = [this, layMenu](const char* name, const QString& caption, int scope) {
        QAction* action = layMenu->addAction(caption, this, [this, scope] {
            if (!layTubes)
                return;
            if (scope == 1)
                layTubes(1, std::max(0, Manifold->currentIndex()));
            else if (scope == 2 && selected_ != 0)
                layTubes(2, selected_);
            else if (scope == 0)
                layTubes(0, 0);
        });
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    LayAllAction = lay("PlanLayAllAction", QStringLiteral("Csővezetés: mind"), 0);
    LayManifoldAction = lay("PlanLayManifoldAction", QStringLiteral("Csővezetés: osztó"), 1);
    LayRoomAction = lay("PlanLayRoomAction", QStringLiteral("Csővezetés: helyiség"), 2);
    layMenu->addSeparator();
    ExportDxfAction = layMenu->addAction(QStringLiteral("Csövek mentése DXF-be..."), this, [this] {
        if (askDxfSaveFile)
            if (const std::string path = askDxfSaveFile(); !path.empty())
                ExportDxfFile(path);
    });
    ExportDxfAction->setObjectName(QStringLiteral("PlanExportDxfAction"));
    ExportDxfAction->setToolTip(QStringLiteral("A lefektetett csövek mentése DXF rajzként, körönként külön rétegen"));
    LayAllAction->setToolTip(QStringLiteral("Minden kör csövének lefektetése az alaprajzon"));
    LayManifoldAction->setToolTip(QStringLiteral("A választott osztó köreinek lefektetése"));
    LayRoomAction->setToolTip(QStringLiteral("A kijelölt helyiség köreinek lefektetése"));
    auto* layButton = new QToolButton(this);
    layButton->setObjectName(QStringLiteral("PlanLayButton"));
    layButton->setMenu(layMenu);
    layButton->setPopupMode(QToolButton::MenuButtonPopup);
    layButton->setDefaultAction(LayAllAction);
    layButton->setText(QStringLiteral("Csővezetés"));
    layButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(layButton, &QToolButton::triggered, layButton,
            [layButton] { layButton->setText(QStringLiteral("Csővezetés")); });
    Tools->addWidget(layButton);
    // The menu keeps the actions; the page's shortcuts find them here too.
    addActions({LayAllAction, LayManifoldAction, LayRoomAction, ExportDxfAction});
    // The typed corner goes to the polygon tool, which it starts when another is on.
    AddCornerAction = new QAction(QStringLiteral("Sarokpont hozzáadása"), this);
    AddCornerAction->setObjectName(QStringLiteral("PlanAddCornerAction"));
    connect(AddCornerAction, &QAction::triggered, this, [this] {
        double x = 0, y = 0;
        try {
            x = ParseInput(Cp(CornerX->text()), InputKind::HeightAboveGround, "x");
            y = ParseInput(Cp(CornerY->text()), InputKind::HeightAboveGround, "y");
        } catch (const KalorinaError& e) {
            if (refuse)
                refuse(e.what());
            return;
        }
        if (!PolygonAction->isChecked())
            PolygonAction->trigger();
        static_cast<DrawPolygonTool*>(View->Tool())->AddCorner({x, y});
    });
    for (QLineEdit* e : {CornerX, CornerY})
        connect(e, &QLineEdit::returnPressed, AddCornerAction, &QAction::trigger);

    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel(QStringLiteral("Szint:")));
    options->addWidget(Floor);
    options->addWidget(new QLabel(QStringLiteral("Rács:")));
    options->addWidget(Grid);
    options->addWidget(new QLabel(QStringLiteral("Méret:")));
    options->addWidget(Width);
    options->addWidget(new QLabel(QStringLiteral("×")));
    options->addWidget(Depth);
    options->addWidget(new QLabel(QStringLiteral("Sarok x; y:")));
    options->addWidget(CornerX);
    options->addWidget(CornerY);
    Underlay = new QCheckBox(QStringLiteral("Alátét"));
    Underlay->setObjectName(QStringLiteral("PlanUnderlay"));
    Underlay->setChecked(true);
    connect(Underlay, &QCheckBox::toggled, this, [this](bool on) {
        Scene->showUnderlay = on;
        Redraw();
    });
    options->addWidget(Underlay);
    Tubes = new QCheckBox(QStringLiteral("Csövek"));
    Tubes->setObjectName(QStringLiteral("PlanTubes"));
    Tubes->setChecked(true);
    connect(Tubes, &QCheckBox::toggled, this, [this](bool on) {
        Scene->showTubes = on;
        Redraw();
    });
    options->addWidget(Tubes);
    options->addWidget(new QLabel(QStringLiteral("Osztó:")));
    options->addWidget(Manifold);
    options->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Tools);
    layout->addLayout(options);
    layout->addWidget(View, 1);

    connect(Floor, &QComboBox::currentIndexChanged, this, [this] {
        for (auto& tool : tools_)
            tool->Cancel();
        Redraw();
        View->Fit();
    });
    connect(View, &PlanView::RoomClicked, this, [this](std::int32_t id) {
        selected_ = id;
        Redraw();
        if (const TRoomItem* room = project_().FindRoomById(id))
            emit RoomSelected(room->roomName);
    });
    connect(View, &PlanView::RoomOpened, this, [this](std::int32_t id) {
        if (const TRoomItem* room = project_().FindRoomById(id))
            emit RoomOpened(room->roomName);
    });
}

PlanPage::~PlanPage()
{
    View->SetTool(nullptr);
}

QAction* PlanPage::ToolAction(const char* name, const QString& caption, PlanTool* tool)
{
    QAction* action = Tools->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    group_->addAction(action);
    connect(action, &QAction::triggered, this, [this, tool] {
        if (View->Tool())
            View->Tool()->Cancel();
        View->SetTool(tool);
    });
    return action;
}

void PlanPage::Rebuild(const std::set<std::string>& errorRooms)
{
    errorRooms_ = errorRooms;
    const TProject& p = project_();
    // The floors and manifolds as the project has them now.
    const QSignalBlocker quietFloor(Floor);
    const int floor = Floor->currentIndex();
    Floor->clear();
    for (const plan::Floor& f : p.plan.floors)
        Floor->addItem(Q(f.name));
    if (Floor->count() == 0)
        Floor->addItem(Q(TextOrBuiltIn("IDS_PLANFIRSTFLOOR")));
    Floor->setCurrentIndex(std::clamp(floor, 0, Floor->count() - 1));
    const QSignalBlocker quietManifold(Manifold);
    const int manifold = Manifold->currentIndex();
    Manifold->clear();
    for (const TManifold& m : p.manifolds)
        Manifold->addItem(Q(m.name));
    Manifold->setCurrentIndex(std::clamp(manifold, 0, Manifold->count() - 1));
    Redraw();
    if (!fitted_ && Scene->RoomItemCount() > 0) {
        fitted_ = true;
        View->Fit();
    }
}

void PlanPage::ImportDxfFile(const std::string& path)
{
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    plan::DxfDrawing drawing;
    try {
        drawing = plan::ReadDxf(bytes);
    } catch (const KalorinaError& e) {
        if (refuse)
            refuse(e.what());
        return;
    }
    DxfImportDialog dialog(drawing, Floor->currentText(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const std::string layer = dialog.Layer(), floor = dialog.FloorName();
    const plan::DxfUnit unit = dialog.Unit();
    if (commit_("IDS_STEPIMPORTDXF", [&](TProject& p) { ImportDxf(p, drawing, layer, unit, floor); }))
        View->Fit();
}

void PlanPage::ExportDxfFile(const std::string& path)
{
    const TProject& p = project_();
    std::vector<plan::DxfCircuit> circuits;
    for (const TRoundItem& r : p.rounds)
        if (r.layout.laid)
            circuits.push_back({r.roundName, &r.layout});
    try {
        if (circuits.empty())
            throw KalorinaError(TextOrBuiltIn("IDS_LAYOUTNONELAID"));
        WriteFileAtomically(path, plan::LayoutDxf(p.plan, circuits));
    } catch (const KalorinaError& e) {
        if (refuse)
            refuse(e.what());
    }
}

void PlanPage::Redraw()
{
    LayRoomAction->setEnabled(selected_ != 0);
    Scene->Rebuild(project_(), Floor->currentIndex(), errorRooms_, selected_);
}

void PlanPage::SelectRoom(const std::string& name)
{
    const TProject& p = project_();
    const int index = p.FindItem(name, true);
    selected_ = index >= 0 ? p.rooms[index].roomId : 0;
    if (const plan::RoomOutline* o = selected_ ? p.plan.OutlineOf(selected_) : nullptr)
        if (o->floor != Floor->currentIndex() && o->floor < Floor->count())
            Floor->setCurrentIndex(o->floor); // redraws
    Redraw();
}

} // namespace kalorina::gui
