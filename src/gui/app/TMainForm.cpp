#include "app/TMainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDate>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <filesystem>
#include <set>

#include "app/EditItem.h"
#include "app/ManifoldEditor.h"
#include "app/PlanEditor.h"
#include "app/ProjectRecalc.h"
#include "app/TAboutBox.h"
#include "app/TProgramOptionsForm.h"
#include "app/TProjektDataForm.h"
#include "app/UsedMaterialsExport.h"
#include "catalogue/CatalogueTexts.h"
#include "check/DesignCheck.h"
#include "check/TDesignCheckPanel.h"
#include "dialogs/TDesignForm.h"
#include "dialogs/TManifoldForm.h"
#include "dialogs/TProjektOptionsForm.h"
#include "dialogs/TRoomModifyForm.h"
#include "dialogs/TRoundModifyForm.h"
#include "help/Help.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "materials/TUsedMaterialsExportForm.h"
#include "materials/TUsedMaterialsPrintingForm.h"
#include "plan/PlanPage.h"
#include "platform/DialogSupport.h"
#include "platform/Placement.h"
#include "platform/QtClipboard.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "platform/QtTranslations.h"
#include "report/TPrintingForm.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina::gui {

namespace {
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kGroupRole = Qt::UserRole + 2; // the ItemGroup of an item node

ItemGroup NodeGroup(const QTreeWidgetItem* item)
{
    return static_cast<ItemGroup>(item->data(0, kGroupRole).toInt());
}

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, ItemGroup group, const std::string& name)
{
    auto* item = new QTreeWidgetItem(parent, QStringList{Q(name)});
    item->setData(0, kNameRole, Q(name));
    item->setData(0, kGroupRole, static_cast<int>(group));
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}
} // namespace

TMainForm::TMainForm(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kalorina Padlófűtés méretező"));
    controller_ = std::make_unique<MainController>(*services_.messages, *services_.files);
    // A save asked for by the save question updates the caption as any save does.
    controller_->afterSave = [this] {
        UpdateTitle();
        UpdateCommandStates();
        DropRecoveryWhenSaved();
    };
    recoveryTimer_ = new QTimer(this);
    recoveryTimer_->setSingleShot(true);
    recoveryTimer_->setInterval(kRecoveryIntervalMs);
    connect(recoveryTimer_, &QTimer::timeout, this, &TMainForm::UpdateRecovery);

    OpenDialog = new QObject(this);
    OpenDialog->setObjectName(QStringLiteral("OpenDialog"));
    OpenDialog->setProperty("kalorinaFilter", Q(MainController::kFileFilter));
    SaveDialog = new QObject(this);
    SaveDialog->setObjectName(QStringLiteral("SaveDialog"));
    SaveDialog->setProperty("kalorinaFilter", Q(MainController::kFileFilter));
    BuildActions();
    BuildMenus();
    // Every change, undo and redo: the caption, the commands and the totals follow.
    // (Commands that change the tree's items fill the tree themselves: a change made
    // while the tree is being edited must not rebuild it under the editor.)
    controller_->Changes().changed = [this](const ChangeKinds& kinds) { ProjectChanged(kinds); };
    // Paste follows what the clipboard holds, whoever put it there.
    if (dynamic_cast<QtClipboard*>(services_.clipboard))
        connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, &TMainForm::UpdateCommandStates);
    BuildPanels();
    DesignCheckDock = new QDockWidget(this);
    DesignCheckDock->setObjectName(QStringLiteral("DesignCheckDock"));
    DesignCheck = new TDesignCheckPanel(DesignCheckDock);
    DesignCheck->setObjectName(QStringLiteral("DesignCheck"));
    DesignCheckDock->setWidget(DesignCheck);
    DesignCheckDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, DesignCheckDock);
    connect(DesignCheck, &TDesignCheckPanel::RoomRequested, this,
            [this](const std::string& name) { OpenItemDialog(ItemGroup::Rooms, name); });
    connect(DesignCheck, &TDesignCheckPanel::RoundRequested, this,
            [this](const std::string& name) { OpenItemDialog(ItemGroup::Rounds, name); });
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    CalculationLockStatus = new QLabel(this);
    CalculationLockStatus->setObjectName(QStringLiteral("CalculationLockStatus"));
    CalculationLockStatus->hide();
    statusBar()->addPermanentWidget(CalculationLockStatus);
    InstallHelp(this, HelpTopic::MainWindow);
    resize(820, 520);
    UpdateCommandStates();
}

TMainForm::~TMainForm() = default;

QAction* TMainForm::MakeAction(const char* name, const QString& caption, const QString& hint,
                               const QKeySequence& shortcut)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(QString::fromLatin1(name));
    a->setToolTip(hint.section('|', 0, 0));
    a->setStatusTip(hint.section('|', -1));
    if (!shortcut.isEmpty())
        a->setShortcut(shortcut);
    addAction(a);
    return a;
}

void TMainForm::BuildActions()
{
    FileNew = MakeAction("FileNew", QStringLiteral("Új dok&umentum..."),
                         QStringLiteral("Új dokumentum|Új dokumentum létrehozása"), QKeySequence(Qt::CTRL | Qt::Key_N));
    FileOpen = MakeAction("FileOpen", QStringLiteral("&Megnyitás..."),
                          QStringLiteral("Megnyitás|Létező dokumentum megnyitása"), QKeySequence(Qt::CTRL | Qt::Key_O));
    FileSave = MakeAction("FileSave", QStringLiteral("&Mentés"), QStringLiteral("Mentés|Dokumentum mentése"),
                          QKeySequence(Qt::CTRL | Qt::Key_S));
    FileSaveAs = MakeAction("FileSaveAs", QStringLiteral("Menté&s másként..."),
                            QStringLiteral("Mentés másként|Dokumentum mentése új néven"));
    FileExit = MakeAction("FileExit", QStringLiteral("&Kilépés"), QStringLiteral("Kilépés|Kilépés a programból"));
    EditUndo = MakeAction("EditUndo", QStringLiteral("Visszavonás"),
                          QStringLiteral("Visszavonás|Az utolsó változtatás visszavonása"),
                          QKeySequence(Qt::CTRL | Qt::Key_Z));
    EditRedo = MakeAction("EditRedo", QStringLiteral("Mégis"), QStringLiteral("Mégis|A visszavont változtatás újra"),
                          QKeySequence(Qt::CTRL | Qt::Key_Y));
    EditRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    EditCut =
        MakeAction("EditCut", QStringLiteral("&Kivágás"),
                   QStringLiteral("Kivágás|A kijelölt elem kivágása a vágólapra"), QKeySequence(Qt::CTRL | Qt::Key_X));
    EditCopy =
        MakeAction("EditCopy", QStringLiteral("&Másolás"),
                   QStringLiteral("Másolás|A kijelölt elem másolása a vágólapra"), QKeySequence(Qt::CTRL | Qt::Key_C));
    EditPaste =
        MakeAction("EditPaste", QStringLiteral("&Beillesztés"),
                   QStringLiteral("Beillesztés|Elem beillesztése a vágólapról"), QKeySequence(Qt::CTRL | Qt::Key_V));
    NewRoomItemAction =
        MakeAction("NewRoomItemAction", QStringLiteral("Új &helyiség..."),
                   QStringLiteral("Új helyiség|Új helyiség felvétele"), QKeySequence(Qt::CTRL | Qt::Key_H));
    NewRoundItemAction = MakeAction("NewRoundItemAction", QStringLiteral("Új &padlófűtés kör..."),
                                    QStringLiteral("Új padlófűtés kör|Új padlófűtési kör felvétele"),
                                    QKeySequence(Qt::CTRL | Qt::Key_R));
    NewManifoldAction =
        MakeAction("NewManifoldAction", QStringLiteral("Új &osztó"), QStringLiteral("Új osztó|Új osztó felvétele"));
    DesignAction = MakeAction("DesignAction", QStringLiteral("Ter&vezés..."),
                              QStringLiteral("Tervezés|A kijelölt osztó, vagy minden osztó tervezése"));
    LayTubesAction = MakeAction(
        "LayTubesAction", QStringLiteral("&Csővezetés"),
        QStringLiteral("Csővezetés|A kijelölt helyiség vagy osztó köreinek, vagy minden kör csövének lefektetése"));
    ModifyItemAction =
        MakeAction("ModifyItemAction", QStringLiteral("&Módosítás..."),
                   QStringLiteral("Módosítás|A kijelölt elem módosítása"), QKeySequence(Qt::CTRL | Qt::Key_M));
    RenameItemAction =
        MakeAction("RenameItemAction", QStringLiteral("Á&tnevezés"),
                   QStringLiteral("Átnevezés|A kijelölt elem átnevezése"), QKeySequence(Qt::CTRL | Qt::Key_T));
    DeleteItemAction =
        MakeAction("DeleteItemAction", QStringLiteral("Tö&rlés"), QStringLiteral("Törlés|A kijelölt elem törlése"),
                   QKeySequence(Qt::CTRL | Qt::Key_Delete));
    PrintAction = MakeAction("PrintAction", QStringLiteral("&Nyomtatás..."),
                             QStringLiteral("Nyomtatás|A projekt nyomtatása"), QKeySequence(Qt::CTRL | Qt::Key_P));
    UsedMaterialsPrintAction =
        MakeAction("UsedMaterialsPrintAction", QStringLiteral("Felhasznált anyagok nyomtatása..."),
                   QStringLiteral("Felhasznált anyagok nyomtatása|Anyagkimutatás nyomtatása"));
    UsedMaterialsExportAction =
        MakeAction("UsedMaterialsExportAction", QStringLiteral("Felhasznált anyagok exportálása..."),
                   QStringLiteral("Felhasznált anyagok exportálása|Anyagkimutatás a vágólapra"));
    ProjectDataAction = MakeAction("ProjectDataAction", QStringLiteral("Projekt adatok..."),
                                   QStringLiteral("Projekt adatok|A projekt adatainak szerkesztése"));
    ProjektOptionsAction = MakeAction("ProjektOptionsAction", QStringLiteral("Projekt beállítások..."),
                                      QStringLiteral("Projekt beállítások|A projekt alapértékei"));
    ProgramOptionsAction = MakeAction("ProgramOptionsAction", QStringLiteral("Program beállítások..."),
                                      QStringLiteral("Program beállítások|A program beállításai"));
    HelpContent =
        MakeAction("HelpContent", QStringLiteral("Tartalom"), QStringLiteral("Tartalom|A súgó tartalomjegyzéke"));
    HelpIndex = MakeAction("HelpIndex", QStringLiteral("Témakör keresése..."),
                           QStringLiteral("Témakör keresése|Keresés a súgóban"));
    HelpAbout = MakeAction("HelpAbout", QStringLiteral("&Névjegy..."), QStringLiteral("Névjegy|A program névjegye"));

    auto icon = [this](QAction* a, const char* theme, QStyle::StandardPixmap fallback) {
        a->setIcon(QIcon::fromTheme(QString::fromLatin1(theme), style()->standardIcon(fallback)));
    };
    icon(FileNew, "document-new", QStyle::SP_FileIcon);
    icon(FileOpen, "document-open", QStyle::SP_DialogOpenButton);
    icon(FileSave, "document-save", QStyle::SP_DialogSaveButton);
    // Cut, copy and paste have no fitting stock picture: they show their captions
    // where the desktop theme has no icon for them.
    for (QAction* a : {EditCut, EditCopy, EditPaste})
        a->setIcon(QIcon::fromTheme(a->objectName() == QLatin1String("EditCut")        ? QStringLiteral("edit-cut")
                                        : a->objectName() == QLatin1String("EditCopy") ? QStringLiteral("edit-copy")
                                                                                       : QStringLiteral("edit-paste")));
    icon(PrintAction, "document-print", QStyle::SP_DialogYesButton);
    icon(EditUndo, "edit-undo", QStyle::SP_ArrowBack);
    icon(EditRedo, "edit-redo", QStyle::SP_ArrowForward);
    icon(DeleteItemAction, "edit-delete", QStyle::SP_TrashIcon);
    icon(HelpAbout, "help-about", QStyle::SP_MessageBoxInformation);

    Bind(FileNew, &TMainForm::FileNewExecute);
    Bind(FileOpen, &TMainForm::FileOpenExecute);
    Bind(FileSave, &TMainForm::SaveExecute);
    Bind(FileSaveAs, &TMainForm::FileSaveAsExecute);
    connect(FileExit, &QAction::triggered, this, &QWidget::close); // the close takes the pending name
    Bind(NewRoomItemAction, &TMainForm::NewRoomItemActionExecute);
    Bind(NewRoundItemAction, &TMainForm::NewRoundItemActionExecute);
    Bind(NewManifoldAction, &TMainForm::NewManifoldActionExecute);
    Bind(DesignAction, &TMainForm::DesignActionExecute);
    Bind(LayTubesAction, &TMainForm::LayTubesActionExecute);
    Bind(ModifyItemAction, &TMainForm::ModifyItemActionExecute);
    Bind(RenameItemAction, &TMainForm::RenameItemActionExecute);
    Bind(DeleteItemAction, &TMainForm::DeleteItemActionExecute);
    Bind(ProjectDataAction, &TMainForm::ProjectDataActionExecute);
    Bind(ProgramOptionsAction, &TMainForm::ProgramOptionsActionExecute);
    connect(HelpContent, &QAction::triggered, this, [this] { ShowHelpContents(this); });
    connect(HelpIndex, &QAction::triggered, this, [this] { ShowHelpIndex(this); });
    Bind(HelpAbout, &TMainForm::HelpAboutExecute);
    Bind(EditUndo, &TMainForm::EditUndoExecute);
    Bind(EditRedo, &TMainForm::EditRedoExecute);
    Bind(EditCut, &TMainForm::EditCutExecute);
    Bind(EditCopy, &TMainForm::EditCopyExecute);
    Bind(EditPaste, &TMainForm::EditPasteExecute);
    Bind(UsedMaterialsPrintAction, &TMainForm::UsedMaterialsPrintActionExecute);
    Bind(UsedMaterialsExportAction, &TMainForm::UsedMaterialsExportActionExecute);
    Bind(ProjektOptionsAction, &TMainForm::ProjektOptionsActionExecute);
    Bind(PrintAction, &TMainForm::PrintActionExecute);
    // Commands whose windows are still to come are present and follow their rules.
}

void TMainForm::BuildMenus()
{
    auto menu = [this](const char* name, const QString& title) {
        QMenu* m = menuBar()->addMenu(title);
        m->setObjectName(QString::fromLatin1(name));
        connect(m, &QMenu::aboutToShow, this, &TMainForm::UpdateCommandStates);
        return m;
    };
    QMenu* file = File1 = menu("File1", QStringLiteral("&Fájl"));
    file->addActions({FileNew, FileOpen, FileSave, FileSaveAs});
    file->addSeparator();
    QAction* projectData = file->addAction(QStringLiteral("Projekt &adatok..."));
    projectData->setObjectName(QStringLiteral("ProjectData1"));
    connect(projectData, &QAction::triggered, ProjectDataAction, &QAction::trigger);
    // The menu entry follows its action's availability.
    connect(ProjectDataAction, &QAction::changed, projectData,
            [this, projectData] { projectData->setEnabled(ProjectDataAction->isEnabled()); });
    file->addActions({PrintAction, UsedMaterialsPrintAction, UsedMaterialsExportAction});
    file->addSeparator();
    for (std::size_t i = 0; i < RecentFiles.size(); ++i) {
        QAction* a = file->addAction(QString());
        a->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, i] { OpenRecentFile(static_cast<int>(i)); });
        RecentFiles[i] = a;
    }
    recentSeparator_ = file->addSeparator();
    file->addAction(FileExit);
    connect(file, &QMenu::aboutToShow, this, &TMainForm::UpdateRecentFiles);
    QMenu* edit = menu("Edit1", QStringLiteral("&Szerkesztés"));
    edit->addActions({EditUndo, EditRedo});
    edit->addSeparator();
    edit->addActions({EditCut, EditCopy, EditPaste});
    QMenu* items = menu("RoomFunctions", QStringLiteral("&Helyiségek, körök"));
    items->addActions({NewRoomItemAction, NewRoundItemAction, NewManifoldAction});
    items->addSeparator();
    items->addActions({ModifyItemAction, RenameItemAction, DeleteItemAction});
    MoveRoundMenu = items->addMenu(QStringLiteral("Áthelye&zés osztóra"));
    MoveRoundMenu->setObjectName(QStringLiteral("MoveRoundMenu"));
    connect(MoveRoundMenu, &QMenu::aboutToShow, this, &TMainForm::FillMoveRoundMenu);
    items->addSeparator();
    items->addActions({DesignAction, LayTubesAction});
    QMenu* options = menu("Options1", QStringLiteral("&Beállítások"));
    QAction* prog = options->addAction(QStringLiteral("&Program beállítások..."));
    prog->setObjectName(QStringLiteral("ProgramOptions1"));
    connect(prog, &QAction::triggered, ProgramOptionsAction, &QAction::trigger);
    connect(ProgramOptionsAction, &QAction::changed, prog,
            [this, prog] { prog->setEnabled(ProgramOptionsAction->isEnabled()); });
    QAction* proj = options->addAction(QStringLiteral("Pr&ojekt beállítások..."));
    proj->setObjectName(QStringLiteral("ProjektOptions1"));
    connect(proj, &QAction::triggered, ProjektOptionsAction, &QAction::trigger);
    connect(ProjektOptionsAction, &QAction::changed, proj,
            [this, proj] { proj->setEnabled(ProjektOptionsAction->isEnabled()); });
    QMenu* help = menu("Help1", QStringLiteral("&Súgó"));
    QAction* content = help->addAction(QStringLiteral("&Tartalom"));
    content->setObjectName(QStringLiteral("HelpContent1"));
    connect(content, &QAction::triggered, HelpContent, &QAction::trigger);
    QAction* index = help->addAction(QStringLiteral("Témakör &keresése..."));
    index->setObjectName(QStringLiteral("HelpIndex1"));
    connect(index, &QAction::triggered, HelpIndex, &QAction::trigger);
    help->addSeparator();
    help->addAction(HelpAbout);

    QToolBar* tools = addToolBar(QStringLiteral("ToolBar1"));
    tools->setObjectName(QStringLiteral("ToolBar1"));
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tools->addActions({FileNew, FileOpen, FileSave});
    tools->addSeparator();
    tools->addActions({EditUndo, EditRedo});
    tools->addActions({EditCut, EditCopy, EditPaste});
    tools->addSeparator();
    tools->addAction(DesignAction);
    tools->addAction(PrintAction);

    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    PopupMenu->addActions({NewRoomItemAction, NewRoundItemAction, NewManifoldAction});
    PopupMenu->addSeparator();
    PopupMenu->addActions({ModifyItemAction, DeleteItemAction, RenameItemAction});
    PopupMenu->addMenu(MoveRoundMenu);
    PopupMenu->addActions({DesignAction, LayTubesAction});
    PopupMenu->addSeparator();
    PopupMenu->addActions({EditCut, EditCopy, EditPaste});
    connect(PopupMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateCommandStates);
}

void TMainForm::BuildPanels()
{
    auto* splitter = new QSplitter(this);
    ItemsTree = new TItemsTree(splitter);
    ItemsTree->setObjectName(QStringLiteral("ItemsTree"));
    ItemsTree->setHeaderHidden(true);
    // The name, then the figures: a room's output against its heat loss, a
    // circuit's output and presetting.
    ItemsTree->setColumnCount(2);
    ItemsTree->setMinimumWidth(200);
    ItemsTree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    ItemsTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ItemsTree, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu->popup(ItemsTree->viewport()->mapToGlobal(pos)); });
    connect(ItemsTree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (const auto manifold = SelectedManifold())
            lastManifold_ = *manifold;
        UpdateCommandStates();
    });
    connect(ItemsTree, &QTreeWidget::itemChanged, this, &TMainForm::ItemsTreeEdited);
    connect(ItemsTree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        UpdateCommandStates();
        if (item && item->parent() && ModifyItemAction->isEnabled() && TakePendingRename())
            ModifyItemActionExecute();
    });

    Pages = new QTabWidget(splitter);
    Pages->setObjectName(QStringLiteral("Pages"));
    auto* right = new QWidget;
    right->setObjectName(QStringLiteral("TotalsPage"));
    auto* column = new QVBoxLayout(right);
    struct Row {
        const char* name;
        QString caption, unit;
    };
    auto panel = [&](const char* name, const QString& title, std::initializer_list<Row> rows, int firstTotal,
                     const char* buttonName, QAction* action) {
        auto* box = new QGroupBox(title, right);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumSize(300, 150);
        auto* grid = new QGridLayout(box);
        int r = 0;
        for (const Row& row : rows) {
            auto* caption = new QLabel(row.caption, box);
            caption->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Label"));
            auto* value = new QLabel(QStringLiteral("0"), box);
            value->setObjectName(QString::fromLatin1(row.name));
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            auto* unit = new QLabel(row.unit, box);
            unit->setObjectName(QString::fromLatin1(row.name) + QStringLiteral("Unit"));
            grid->addWidget(caption, r, 0);
            grid->addWidget(value, r, 1);
            grid->addWidget(unit, r, 2);
            totals[firstTotal + r] = value;
            ++r;
        }
        auto* button = new QPushButton(action->text().remove(QStringLiteral("...")), box);
        button->setObjectName(QString::fromLatin1(buttonName));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        grid->addWidget(button, r, 0, 1, 3, Qt::AlignRight);
        column->addWidget(box);
    };
    panel("Panel2", QStringLiteral("Helyiségek összesítés"),
          {{"HeatingLoss", QStringLiteral("Hőveszteség összesen:"), QStringLiteral("kW")},
           {"SurfaceSum", QStringLiteral("Összes padlófűtés felület:"), QStringLiteral("m2")},
           {"FieldPowers", QStringLiteral("Fűtőmezők összteljesítménye:"), QStringLiteral("kW")}},
          0, "Button1", NewRoomItemAction);
    panel("Panel3", QStringLiteral("Padlófűtési körök összesítés"),
          {{"RoundPowers", QStringLiteral("Fűtőkörök összteljesítménye:"), QStringLiteral("kW")},
           {"TubeLengths", QStringLiteral("Beépített csőmennyiség:"), QStringLiteral("m")},
           {"RemainderSurfaceSum", QStringLiteral("Maradék felület:"), QStringLiteral("m2")}},
          3, "Button2", NewRoundItemAction);
    column->addStretch(1);
    Pages->addTab(right, QStringLiteral("Összesítés"));
    // The plan: each gesture one step through the one door; a refusal is told and
    // changes nothing.
    Plan = new PlanPage(
        [this]() -> const TProject& { return Project(); },
        [this](const char* stepId, const std::function<void(TProject&)>& edit) {
            bool changed = false;
            if (!RunOrShowFailure(services_, [&] { changed = controller_->Change(StepLabel::Of(stepId), edit); }))
                return false;
            if (changed) {
                FillTree();
                UpdateTitle();
                UpdateCommandStates();
                ShowTotals();
            }
            return changed;
        });
    Pages->addTab(Plan, QStringLiteral("Alaprajz"));
    Plan->askDxfFile = [this] {
        FileDialogRequest request;
        request.title = Cp(QStringLiteral("DXF rajz beolvasása"));
        request.filter = "DXF (*.dxf)|*.dxf";
        request.defaultExtension = "dxf";
        return services_.files->Run(request);
    };
    Plan->devices = [this]() -> const TDevices& { return controller_->Devices(); };
    Plan->askDxfSaveFile = [this] {
        FileDialogRequest request;
        request.save = true;
        request.title = Cp(QStringLiteral("Csövek mentése DXF rajzként"));
        request.filter = "DXF (*.dxf)|*.dxf";
        request.defaultExtension = "dxf";
        return services_.files->Run(request);
    };
    Plan->layTubes = [this](int scope, int index) {
        const auto s = scope == 1 ? MainController::LayScope::Manifold
            : scope == 2          ? MainController::LayScope::Room
                                  : MainController::LayScope::All;
        bool changed = false;
        if (RunOrShowFailure(services_, [&] { changed = controller_->LayTubes(s, index); }) && changed)
            Refresh();
    };
    Plan->refuse = [this](const std::string& message) {
        services_.messages->Show(MessageKind::Warning, Languages().GetText("IDS_PROGRAMTITLE"), message);
    };
    connect(Plan, &PlanPage::RoomSelected, this,
            [this](const std::string& name) { SelectNode(ItemGroup::Rooms, name); });
    connect(Plan, &PlanPage::RoomOpened, this, [this](const std::string& name) {
        SelectNode(ItemGroup::Rooms, name);
        if (ModifyItemAction->isEnabled())
            ModifyItemActionExecute();
    });
    connect(ItemsTree, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (QTreeWidgetItem* item = SelectedItem(); item && NodeGroup(item) == ItemGroup::Rooms && item->parent())
            Plan->SelectRoom(Cp(item->data(0, kNameRole).toString()));
    });
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 2);
    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    CalculationLockBanner = new QLabel(central);
    CalculationLockBanner->setObjectName(QStringLiteral("CalculationLockBanner"));
    CalculationLockBanner->setWordWrap(true);
    CalculationLockBanner->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CalculationLockBanner->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3b0; color: #5a4500; border: 1px solid #d9b200; padding: 6px; }"));
    CalculationLockBanner->hide();
    rows->addWidget(CalculationLockBanner);
    rows->addWidget(splitter, 1);
    setCentralWidget(central);
}

QTreeWidgetItem* TMainForm::SelectedItem() const
{
    auto selected = ItemsTree->selectedItems();
    if (selected.isEmpty() || !selected.first()->parent())
        return nullptr;
    return selected.first();
}

std::optional<int> TMainForm::SelectedManifold() const
{
    QTreeWidgetItem* item = SelectedItem();
    if (!item || NodeGroup(item) == ItemGroup::Rooms)
        return std::nullopt;
    if (NodeGroup(item) == ItemGroup::Rounds)
        item = item->parent();
    const int index = Project().FindManifold(Cp(item->data(0, kNameRole).toString()));
    return index >= 0 ? std::optional<int>(index) : std::nullopt;
}

int TMainForm::TargetManifold() const
{
    const int count = static_cast<int>(Project().manifolds.size());
    return SelectedManifold().value_or(lastManifold_ < count ? lastManifold_ : 0);
}

QTreeWidgetItem* TMainForm::FindNode(ItemGroup group, const std::string& name) const
{
    for (QTreeWidgetItemIterator it(ItemsTree); *it; ++it)
        if ((*it)->parent() && NodeGroup(*it) == group && Cp((*it)->data(0, kNameRole).toString()) == name)
            return *it;
    return nullptr;
}

void TMainForm::SelectNode(ItemGroup group, const std::string& name)
{
    if (QTreeWidgetItem* node = FindNode(group, name))
        ItemsTree->setCurrentItem(node);
}

bool TMainForm::ClipboardHasItem() const
{
    return services_.clipboard && services_.clipboard->HasFormat("Kalorina Item");
}

void TMainForm::ShowCalculationLock()
{
    const bool locked = controller_->CalculationLocked();
    if (locked) {
        CalculationLockBanner->setText(Q(controller_->CalculationLockedText()));
        CalculationLockStatus->setText(Q(TextOrBuiltIn("IDS_CALCULATIONLOCKEDSHORT")));
    }
    CalculationLockBanner->setVisible(locked);
    CalculationLockStatus->setVisible(locked);
}

void TMainForm::Refresh()
{
    ShowCalculationLock();
    FillTree();
    UpdateTitle();
    UpdateCommandStates();
    ShowTotals();
    UpdateDesignCheck();
    // New and Open come here with the project replaced.
    DropRecoveryWhenSaved();
}

void TMainForm::EnableRecovery(const std::string& folder)
{
    if (folder.empty())
        recovery_.reset();
    else
        recovery_ = std::make_unique<ProjectRecovery>(folder);
}

void TMainForm::ScheduleRecovery()
{
    // A running timer is not started again: a stream of changes is still written
    // every interval, not only once it stops.
    if (recovery_ && !recoveryTimer_->isActive())
        recoveryTimer_->start();
}

void TMainForm::UpdateRecovery()
{
    if (!recovery_)
        return;
    // A dialog works on a copy that the project does not hold yet, and may be
    // half way through a change: try again after the next interval.
    if (QApplication::activeModalWidget()) {
        recoveryTimer_->start();
        return;
    }
    if (!Project().modified) {
        recovery_->Remove();
        return;
    }
    try {
        recovery_->Write(Project());
    } catch (const KalorinaError& e) {
        // Not a message box every two seconds: the status bar says it, and the
        // next change tries again.
        statusBar()->showMessage(Q(e.what()));
    }
}

void TMainForm::DropRecoveryWhenSaved()
{
    if (recovery_ && !Project().modified) {
        recoveryTimer_->stop();
        recovery_->Remove();
    }
}

void TMainForm::OfferRecoveredWork()
{
    if (!recovery_)
        return;
    for (const std::string& found : recovery_->LeftBehind()) {
        // A dead program's file no longer changes: it is read where it lies, and
        // taken only when there is something to offer.
        std::string fileName;
        TProject work;
        try {
            work = controller_->ReadRecovered(found, fileName);
        } catch (const std::exception& e) {
            const std::string aside = PutRecoveryFileAside(found);
            if (aside == found && !std::filesystem::exists(found))
                continue; // another program starting now took it
            ShowFailure(
                services_,
                FormatText(TextOrBuiltIn("IDS_RECOVERYDAMAGED"), {Utf8ToCp1250(found), e.what(), Utf8ToCp1250(aside)}));
            continue;
        }
        const std::optional<std::string> path = recovery_->Claim(found);
        if (!path)
            continue; // another program starting now offers it
        std::string question = TextOrBuiltIn("IDS_RECOVERYQUESTION");
        if (!fileName.empty())
            question += "\n\n" + Utf8ToCp1250(fileName);
        if (!AskYesNo(services_, question)) {
            DiscardRecoveryFile(*path);
            continue;
        }
        controller_->RestoreRecovered(std::move(work), fileName);
        // The file holds the open project's work now: it is this program's own.
        recovery_->Adopt(*path);
        Refresh();
        // One project is open at a time; the other files wait for the next start.
        return;
    }
}

void TMainForm::ProjectChanged(const ChangeKinds& kinds)
{
    ScheduleRecovery();
    UpdateTitle();
    UpdateCommandStates();
    if (kinds.rooms || kinds.rounds)
        ShowTotals();
    UpdateDesignCheck();
}

void TMainForm::UpdateDesignCheck()
{
    if (!DesignCheck)
        return;
    // The check looks at the project as recalculated, never at the stored results
    // alone, and leaves the project as it is.
    // While the catalogue is damaged the stored results are what stands.
    TProject recalculated = Project();
    if (!controller_->CalculationLocked())
        RecalculateProject(recalculated, controller_->Devices(), false);
    DesignCheck->SetProblems(CheckDesign(recalculated, controller_->Devices(), &Project()));
    DesignCheckDock->setWindowTitle(Q(TextOrBuiltIn("IDS_DESIGNCHECKTITLE")));
    ShowTreeFigures();
    // The plan is a view of the project: rebuilt from the same notice, red where
    // the check finds an error for a room.
    if (Plan) {
        std::set<std::string> errorRooms;
        for (const DesignProblem& problem : DesignCheck->Problems())
            if (problem.severity == ProblemSeverity::Error && !problem.roomName.empty())
                errorRooms.insert(problem.roomName);
        Plan->Rebuild(errorRooms);
    }
}

void TMainForm::ShowTreeFigures()
{
    if (filling_ || ItemsTree->Editing())
        return;
    const TProject& p = Project();
    auto hasError = [this](bool isRoom, const std::string& name) {
        for (const DesignProblem& problem : DesignCheck->Problems())
            if (problem.severity == ProblemSeverity::Error
                && (isRoom ? problem.roomName == name && problem.roundName.empty() : problem.roundName == name))
                return true;
        return false;
    };
    filling_ = true;
    for (QTreeWidgetItemIterator it(ItemsTree); *it; ++it) {
        QTreeWidgetItem* item = *it;
        if (!item->parent())
            continue;
        const ItemGroup group = NodeGroup(item);
        const std::string name = Cp(item->data(0, kNameRole).toString());
        if (group == ItemGroup::Manifolds) {
            // A manifold: how many circuits it feeds and their output.
            const int index = p.FindManifold(name);
            if (index < 0)
                continue;
            const std::vector<int> rounds = p.ManifoldRounds(index);
            double power = 0;
            for (int r : rounds)
                power += p.rounds[r].TotalPower();
            item->setText(
                1,
                Q(FormatText(TextOrBuiltIn("IDS_MANIFOLDFIGURES"),
                             {std::to_string(rounds.size()), FloatToStrF(power, TFloatFormat::Fixed, 15, 0)})));
            continue;
        }
        const bool isRoom = group == ItemGroup::Rooms;
        const int index = p.FindItem(name, isRoom);
        if (index < 0)
            continue;
        std::string figures;
        if (isRoom) {
            const TRoomItem& room = p.rooms[index];
            figures = FloatToStrF(room.FieldPowerSum(), TFloatFormat::Fixed, 15, 0) + " / "
                + FloatToStrF(room.heatDemand, TFloatFormat::Fixed, 15, 0) + " W";
        } else {
            const TRoundItem& round = p.rounds[index];
            figures = FloatToStrF(round.TotalPower(), TFloatFormat::Fixed, 15, 0) + " W";
            // The presetting says what it is: a bare "2.5" beside the watts reads as anything.
            if (!round.hydraulic.valvePosition.empty())
                figures += ", "
                    + FormatText(TextOrBuiltIn("IDS_TREEPRESETTING"),
                                 {WithDecimalSeparator(round.hydraulic.valvePosition)});
        }
        item->setText(1, Q(figures));
        const bool red = hasError(isRoom, p.ItemName(index, isRoom));
        item->setForeground(0, red ? QBrush(Qt::red) : QBrush());
        item->setForeground(1, red ? QBrush(Qt::red) : QBrush());
    }
    ItemsTree->resizeColumnToContents(0);
    // A gap between the names and their figures, which otherwise touch.
    ItemsTree->setColumnWidth(0, ItemsTree->columnWidth(0) + 2 * ItemsTree->fontMetrics().averageCharWidth());
    filling_ = false;
}

void TMainForm::OpenItemDialog(ItemGroup group, const std::string& name)
{
    if (QTreeWidgetItem* node = FindNode(group, name)) {
        ItemsTree->setCurrentItem(node);
        UpdateCommandStates();
        if (ModifyItemAction->isEnabled() && TakePendingRename())
            ModifyItemActionExecute();
    }
}

void TMainForm::UpdateTitle()
{
    // The path is the file system's name, not a code page 1250 text.
    setWindowTitle(Q(controller_->WindowTitle()) + QFile::decodeName(QByteArray::fromStdString(Project().fileName)));
}

void TMainForm::UpdateCommandStates()
{
    CommandStates s = controller_->UpdateCommandStates(SelectedItem() != nullptr, ClipboardHasItem());
    FileSave->setEnabled(s.fileSave);
    // Undo and redo name the step they take, in the language shown.
    const History& history = controller_->Changes();
    EditUndo->setEnabled(history.CanUndo());
    EditRedo->setEnabled(history.CanRedo());
    EditUndo->setText(Q(history.CanUndo() ? FormatText(TextOrBuiltIn("IDS_UNDOSTEP"), {history.UndoName()})
                                          : TextOrBuiltIn("IDS_UNDO")));
    EditRedo->setText(Q(history.CanRedo() ? FormatText(TextOrBuiltIn("IDS_REDOSTEP"), {history.RedoName()})
                                          : TextOrBuiltIn("IDS_REDO")));
    EditCut->setEnabled(s.editCut);
    EditCopy->setEnabled(s.editCopy);
    EditPaste->setEnabled(s.editPaste);
    ModifyItemAction->setEnabled(s.modifyItem);
    RenameItemAction->setEnabled(s.renameItem);
    DeleteItemAction->setEnabled(s.deleteItem);
    PrintAction->setEnabled(s.print);
    NewManifoldAction->setEnabled(true);
    DesignAction->setEnabled(s.design);
    LayTubesAction->setEnabled(s.design && !Project().plan.outlines.empty());
    QTreeWidgetItem* selected = SelectedItem();
    MoveRoundMenu->setEnabled(selected && NodeGroup(selected) == ItemGroup::Rounds && Project().manifolds.size() > 1);
    UsedMaterialsPrintAction->setEnabled(s.print);
    UsedMaterialsExportAction->setEnabled(s.print);
    for (QAction* a : {ProjectDataAction, ProgramOptionsAction})
        a->setEnabled(true);
    ProjektOptionsAction->setEnabled(s.projectOptions);
    for (QAction* a : unavailable_)
        a->setEnabled(false);
}

void TMainForm::SetWindowAvailable(QAction* command, bool available)
{
    unavailable_.removeAll(command);
    if (!available)
        unavailable_.append(command);
    UpdateCommandStates();
}

void TMainForm::Retranslate()
{
    UseQtTranslation(Languages().GetInterfaceText("IDS_DEVICEDBLANGUAGE"));
    TranslateForm(this);
    ShowCalculationLock();
    if (DesignCheck) {
        DesignCheck->Translate();
        DesignCheckDock->setWindowTitle(Q(TextOrBuiltIn("IDS_DESIGNCHECKTITLE")));
    }
    controller_->openFilter = Cp(OpenDialog->property("kalorinaFilter").toString());
    controller_->saveFilter = Cp(SaveDialog->property("kalorinaFilter").toString());
    UpdateRecentFiles();
    // The translation has just set the undo and redo captions back to their bare
    // words: the steps they name are named again, in the new language.
    UpdateCommandStates();
}

void TMainForm::OpenCommandLineFile(const QString& path)
{
    // Relative names are the shell's: they mean the folder the program started in.
    std::string name = QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString();
    controller_->OpenNamed(name);
    Refresh();
}

void TMainForm::UpdateRecentFiles()
{
    controller_->recent.Load();
    const auto& paths = controller_->recent.Paths();
    const std::vector<std::string> names = RecentProjects::MenuNames(paths);
    for (std::size_t i = 0; i < RecentFiles.size(); ++i) {
        QAction* a = RecentFiles[i];
        a->setVisible(i < paths.size());
        if (i >= paths.size())
            continue;
        QString path = QFile::decodeName(QByteArray::fromStdString(paths[i]));
        // "&1 flat.klp", with its folders where two share the name, the whole path
        // as the hint; '&' in names stays a character.
        QString name = QFile::decodeName(QByteArray::fromStdString(names[i])).replace('&', QStringLiteral("&&"));
        a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
        a->setStatusTip(path);
        a->setToolTip(path);
        a->setData(path);
    }
    recentSeparator_->setVisible(!paths.empty());
}

void TMainForm::OpenRecentFile(int index)
{
    QString path = RecentFiles[index]->data().toString();
    if (path.isEmpty())
        return;
    if (controller_->OpenNamed(QFile::encodeName(path).toStdString()) != MainController::OpenResult::Cancelled)
        Refresh();
    UpdateRecentFiles();
}

void TMainForm::RestorePlacement()
{
    FormPlacement p;
    p.left = x();
    p.top = y();
    // The first window is wide enough for the whole tool bar in its language: no
    // command hides behind its extension arrow.
    p.width = width();
    if (const auto* tools = findChild<QToolBar*>(QStringLiteral("ToolBar1")))
        p.width = std::max(p.width, tools->sizeHint().width() + 2 * tools->layout()->contentsMargins().left() + 24);
    p.height = height();
    kalorina::RestoreFormPlacement("MainForm", p);
    // Not smaller than the window can be used at.
    p.width = std::max(p.width, 400);
    p.height = std::max(p.height, 300);
    if (PlacementFits(p.left, p.top, p.width, p.height))
        setGeometry(p.left, p.top, p.width, p.height);
    if (p.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::SavePlacement() const
{
    FormPlacement p;
    p.maximized = isMaximized();
    QRect g = isMaximized() ? normalGeometry() : geometry();
    p.left = g.x();
    p.top = g.y();
    p.width = g.width();
    p.height = g.height();
    kalorina::SaveFormPlacement("MainForm", p);
}

void TMainForm::ShowTotals()
{
    auto texts = controller_->ShowTotals(DecimalSeparator());
    for (int i = 0; i < 6; ++i)
        totals[i]->setText(Q(texts[i]));
}

void TMainForm::FillTree()
{
    filling_ = true;
    ItemsTree->clear();
    TreeContent t = controller_->FillTree();
    for (const auto& group : t.groups) {
        auto* node = new QTreeWidgetItem(ItemsTree, QStringList{Q(group.text)});
        node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    }
    for (const auto& room : t.groups[0].children)
        AddNode(ItemsTree->topLevelItem(0), ItemGroup::Rooms, room);
    // Each circuit under the manifold that feeds it.
    for (const auto& manifold : t.manifolds) {
        QTreeWidgetItem* node = AddNode(ItemsTree->topLevelItem(1), ItemGroup::Manifolds, manifold.name);
        for (const auto& round : manifold.rounds)
            AddNode(node, ItemGroup::Rounds, round);
    }
    ItemsTree->expandAll();
    ItemsTree->clearSelection();
    filling_ = false;
    ShowTreeFigures();
}

void TMainForm::AfterNewItem(ItemGroup group, const std::string& name)
{
    FillTree();
    if (QTreeWidgetItem* child = FindNode(group, name)) {
        ItemsTree->setCurrentItem(child);
        child->setSelected(true);
        ItemsTree->setFocus();
        UpdateCommandStates();
        ShowTotals();
        ItemsTree->editItem(child, 0);
    }
    UpdateTitle();
}

void TMainForm::FileNewExecute()
{
    if (controller_->FileNew())
        Refresh();
}

void TMainForm::FileOpenExecute()
{
    // A read refreshes the window whether it succeeded or not; a cancelled command
    // leaves it, selection included, as it was.
    if (controller_->OpenProject() != MainController::OpenResult::Cancelled)
        Refresh();
}

void TMainForm::SaveExecute()
{
    controller_->SaveProject(false);
}

void TMainForm::FileSaveAsExecute()
{
    controller_->SaveProject(true);
}

void TMainForm::NewRoomItemActionExecute()
{
    AfterNewItem(ItemGroup::Rooms, controller_->NewRoom());
}

void TMainForm::NewRoundItemActionExecute()
{
    AfterNewItem(ItemGroup::Rounds, controller_->NewRound(TargetManifold()));
}

void TMainForm::NewManifoldActionExecute()
{
    const std::string name = controller_->NewManifold();
    lastManifold_ = static_cast<int>(Project().manifolds.size()) - 1;
    AfterNewItem(ItemGroup::Manifolds, name);
}

void TMainForm::DesignActionExecute()
{
    const bool applied = controller_->Design(
        SelectedManifold(), [this](const DesignOutcome& outcome) { return ShowDesignDialog(outcome, this); });
    if (applied)
        Refresh();
}

void TMainForm::LayTubesActionExecute()
{
    if (!LayTubesAction->isEnabled())
        return;
    QTreeWidgetItem* item = SelectedItem();
    bool changed = false;
    if (item && NodeGroup(item) == ItemGroup::Rooms && item->parent()) {
        const int room = Project().FindItem(Cp(item->data(0, kNameRole).toString()), true);
        changed = room >= 0 && controller_->LayTubes(MainController::LayScope::Room, Project().rooms[room].roomId);
    } else if (const auto manifold = SelectedManifold())
        changed = controller_->LayTubes(MainController::LayScope::Manifold, *manifold);
    else
        changed = controller_->LayTubes(MainController::LayScope::All);
    if (changed)
        Refresh();
}

void TMainForm::FillMoveRoundMenu()
{
    MoveRoundMenu->clear();
    QTreeWidgetItem* item = SelectedItem();
    if (!item || NodeGroup(item) != ItemGroup::Rounds)
        return;
    const std::string round = Cp(item->data(0, kNameRole).toString());
    const int index = Project().FindItem(round, false);
    for (std::size_t m = 0; index >= 0 && m < Project().manifolds.size(); ++m) {
        QAction* a = MoveRoundMenu->addAction(Q(Project().manifolds[m].name).replace('&', QStringLiteral("&&")));
        a->setEnabled(Project().rounds[index].manifold != static_cast<int>(m));
        connect(a, &QAction::triggered, this, [this, round, m] {
            if (!controller_->MoveRound(round, static_cast<int>(m)))
                return;
            FillTree();
            SelectNode(ItemGroup::Rounds, round);
            UpdateCommandStates();
        });
    }
}

void TMainForm::ProjektOptionsActionExecute()
{
    if (!ProjektOptionsAction->isEnabled())
        return;
    const bool changed = controller_->Change(StepLabel::Of("IDS_STEPPROJECTOPTIONS"), [this](TProject& p) {
        EditProjectOptions(this, services_, controller_->Devices(), p);
    });
    if (changed)
        Refresh();
}

void TMainForm::EditUndoExecute()
{
    if (controller_->Changes().Undo())
        Refresh();
}

void TMainForm::EditRedoExecute()
{
    if (controller_->Changes().Redo())
        Refresh();
}

void TMainForm::ModifyItemActionExecute()
{
    QTreeWidgetItem* item = SelectedItem();
    if (!item || controller_->catalogueFailed || !WindowAvailable(ModifyItemAction))
        return;
    const ItemGroup group = NodeGroup(item);
    const std::string name = Cp(item->data(0, kNameRole).toString());
    if (group == ItemGroup::Manifolds) {
        const int index = Project().FindManifold(name);
        controller_->EditManifold(
            name, [this](ManifoldEditor& editor) { return EditManifoldInDialog(editor, services_, this); });
        FillTree();
        if (index >= 0 && std::size_t(index) < Project().manifolds.size())
            SelectNode(group, Project().manifolds[index].name);
        UpdateTitle();
        UpdateCommandStates();
        return;
    }
    ItemDialogs dialogs;
    dialogs.room = [this](TRoomItem& room) {
        return EditRoomInDialog(
            room, controller_->Devices(), Project().options, services_, this,
            [this](const TRoomItem& edited) { return controller_->ConfirmRoomEdit(edited); }, &Project().heatLoad,
            Project().plan.OutlineOf(room.roomId) != nullptr,
            Project().plan.OutlineOf(room.roomId)
                ? std::function<std::vector<HeatElement>(double, const std::vector<HeatElement>&)>(
                    [this, id = room.roomId](double height, const std::vector<HeatElement>& current) {
                        return ElementsFromPlan(Project(), id, height, current);
                    })
                : nullptr);
    };
    dialogs.round = [this](CircuitEdit& edit) {
        return EditRoundInDialog(edit, Project(), controller_->Devices(), services_, this);
    };
    controller_->EditItem(group, name, dialogs);
    FillTree();
    // The edited item stays selected.
    SelectNode(group, name);
    UpdateTitle();
    UpdateCommandStates();
    ShowTotals();
}

void TMainForm::RenameItemActionExecute()
{
    if (QTreeWidgetItem* item = SelectedItem())
        ItemsTree->editItem(item, 0);
}

void TMainForm::DeleteItemActionExecute()
{
    QTreeWidgetItem* item = SelectedItem();
    if (!item)
        return;
    if (!controller_->DeleteItem(NodeGroup(item), Cp(item->data(0, kNameRole).toString())))
        return;
    FillTree();
    UpdateTitle();
    UpdateCommandStates();
    ShowTotals();
}

void TMainForm::ItemsTreeEdited(QTreeWidgetItem* item, int)
{
    if (filling_ || !item || !item->parent())
        return;
    QString oldName = item->data(0, kNameRole).toString();
    QString newName = item->text(0);
    if (newName == oldName)
        return;
    const ItemGroup group = NodeGroup(item);
    filling_ = true;
    if (controller_->RenameItem(group, Cp(oldName), Cp(newName))) {
        // Show the name as it is stored: characters the code page lacks become '?'.
        QString stored = Q(Cp(newName));
        item->setData(0, kNameRole, stored);
        item->setText(0, stored);
    } else {
        // Refused with its message: the item keeps its name, and the editor opens
        // again, once the one closing now has gone, with that name selected for
        // another try.  Escape or any command then leaves the name as it was; the
        // refused text (an empty one above all) would only bring the message back.
        renameRefused_ = true;
        item->setText(0, oldName);
        QTimer::singleShot(0, this, [this, group, oldName] {
            if (QTreeWidgetItem* node = FindNode(group, Cp(oldName)))
                ItemsTree->EditWithText(node, oldName);
        });
    }
    filling_ = false;
    UpdateTitle();
    UpdateCommandStates();
}

void TMainForm::ProjectDataActionExecute()
{
    controller_->Change(StepLabel::Of("IDS_STEPPROJECTDATA"), [this](TProject& p) {
        TProjektDataForm dialog(p, this);
        dialog.exec();
    });
    UpdateTitle();
    UpdateCommandStates();
}

void TMainForm::ProgramOptionsActionExecute()
{
    TProgramOptionsForm dialog(controller_->ProgramOptions(), services_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The window, its tree and the caption follow the language chosen, and so do
    // the catalogue's folder names and Qt's own buttons and dialogs.
    Retranslate();
    controller_->FollowCatalogueLanguage(CatalogueLanguage(Languages().GetLanguageName()));
    Refresh();
}

void TMainForm::PrintActionExecute()
{
    if (controller_->RefusedForImplausibleValues())
        return;
    TPrintingForm form(Project(), controller_->Devices(), controller_->ProgramOptions(), services_, nullptr, this);
    form.exec();
}

void TMainForm::HelpAboutExecute()
{
    TAboutBox box(this, [this] { return controller_->Devices().WriteSecurityCodes(); });
    box.exec();
}

bool TMainForm::SelectedGroupAndName(ItemGroup& group, std::string& name) const
{
    QTreeWidgetItem* item = SelectedItem();
    if (!item)
        return false;
    group = NodeGroup(item);
    name = Cp(item->data(0, kNameRole).toString());
    return true;
}

void TMainForm::EditCopyExecute()
{
    ItemGroup group;
    std::string name;
    if (SelectedGroupAndName(group, name))
        controller_->CopyItem(*services_.clipboard, group, name);
    UpdateCommandStates();
}

void TMainForm::EditCutExecute()
{
    ItemGroup group;
    std::string name;
    if (!SelectedGroupAndName(group, name) || !controller_->CutItem(*services_.clipboard, group, name))
        return;
    FillTree();
    UpdateTitle();
    UpdateCommandStates();
    ShowTotals();
}

void TMainForm::EditPasteExecute()
{
    if (!ClipboardHasItem())
        return;
    auto pasted = controller_->PasteItem(*services_.clipboard, TargetManifold());
    FillTree();
    if (pasted)
        SelectNode(pasted->first, pasted->second);
    UpdateTitle();
    UpdateCommandStates();
    ShowTotals();
}

void TMainForm::UsedMaterialsPrintActionExecute()
{
    if (controller_->RefusedForImplausibleValues())
        return;
    TUsedMaterial bill;
    try {
        bill = BuildPrintedUsedMaterials(Project(), controller_->Devices());
    } catch (const KalorinaError& e) {
        statusBar()->showMessage(Q(e.what()));
        return;
    }
    TUsedMaterialsPrintingForm dialog(std::move(bill), Project(), controller_->Devices(), controller_->ProgramOptions(),
                                      services_, nullptr, this);
    ExecWithPlacement(dialog);
    UpdateCommandStates();
}

void TMainForm::UsedMaterialsExportActionExecute()
{
    if (controller_->RefusedForImplausibleValues())
        return;
    TUsedMaterial bill;
    try {
        // The tables' headings speak the printing language; so must their rows.
        bill = BuildPrintedUsedMaterials(Project(), controller_->Devices());
    } catch (const KalorinaError& e) {
        statusBar()->showMessage(Q(e.what()));
        return;
    }
    UsedMaterialsExportEditor editor(std::move(bill));
    TUsedMaterialsExportForm dialog(editor, services_, this);
    if (ExecWithPlacement(dialog) == QDialog::Accepted && editor.Commit() > 0)
        editor.CopyToClipboard(*services_.clipboard);
    UpdateCommandStates();
}

bool TMainForm::TakePendingRename()
{
    renameRefused_ = false;
    ItemsTree->CommitOpenEditor();
    return !renameRefused_;
}

void TMainForm::Bind(QAction* action, void (TMainForm::*handler)())
{
    connect(action, &QAction::triggered, this, [this, handler] {
        if (TakePendingRename())
            (this->*handler)();
    });
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (TakePendingRename() && controller_->QuerySave()) {
        // Saved, or given up by the user's No: nothing is left to recover.
        if (recovery_) {
            recoveryTimer_->stop();
            recovery_->Remove();
        }
        SavePlacement();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kalorina::gui
