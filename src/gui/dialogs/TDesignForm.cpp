#include "dialogs/TDesignForm.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "help/Help.h"
#include "lang/BuiltInTexts.h"
#include "platform/DialogSupport.h"
#include "platform/FormLayout.h"
#include "platform/QtFormTranslator.h"
#include "platform/QtText.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

namespace {
QString Text(const char* id)
{
    return Q(TextOrBuiltIn(id));
}

QString Fixed(double v, int decimals)
{
    return Q(FloatToStrF(v, TFloatFormat::Fixed, 15, decimals));
}

QWidget* ManifoldPage(const ManifoldDesignResult& m, std::vector<QTreeWidget*>& tables)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("ManifoldPage"));
    auto* layout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    int row = 0;
    auto add = [&](const char* name, const char* caption, const QString& value) {
        grid->addWidget(WithRoomForAccents(NamedLabel((std::string(name) + "Label").c_str(), Text(caption))), row, 0);
        QLabel* shown = WithRoomForAccents(NamedLabel(name, value));
        shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(shown, row++, 1);
    };
    if (m.designed) {
        add("SupplyTemperature", "IDS_DESIGNSUPPLY", Fixed(m.supplyTemperature, 1) + QStringLiteral(" °C"));
        add("Spread", "IDS_DESIGNSPREAD", Fixed(m.spread, 1) + QStringLiteral(" K"));
        add("AvailablePressure", "IDS_DESIGNPUMPHEAD", Fixed(m.availablePressure, 0) + QStringLiteral(" Pa"));
        add("TotalMassFlow", "IDS_DESIGNTOTALFLOW", Fixed(m.totalMassFlow, 1) + QStringLiteral(" kg/h"));
        add("IndexCircuit", "IDS_DESIGNINDEXCIRCUIT", Q(m.indexCircuit));
        if (!m.designRoom.empty())
            add("DesignRoom", "IDS_DESIGNROOM", Q(m.designRoom));
        // What the floor of a room allowed a heater beside it leaves to that heater.
        for (const SupplementaryHeat& h : m.supplementaryHeat) {
            grid->addWidget(
                WithRoomForAccents(NamedLabel("SupplementaryHeatLabel",
                                              Text("IDS_DESIGNSUPPLEMENTARY") + QStringLiteral(": ") + Q(h.room))),
                row, 0);
            QLabel* shown =
                WithRoomForAccents(NamedLabel("SupplementaryHeat", Fixed(h.watts, 0) + QStringLiteral(" W")));
            shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(shown, row++, 1);
        }
    } else {
        grid->addWidget(NamedLabel("NotDesigned", Text("IDS_DESIGNNOTDESIGNED")), row++, 0, 1, 2);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* table = new QTreeWidget;
    table->setObjectName(QStringLiteral("CircuitsTable"));
    table->setRootIsDecorated(false);
    // The flows are those the water takes at the pump head and the presettings;
    // the return follows from them, the design spread is the room's.
    table->setHeaderLabels({Text("IDS_DESIGNCOLCIRCUIT"), Text("IDS_DESIGNCOLSPREAD"), Text("IDS_DESIGNCOLFORWARD"),
                            Text("IDS_DESIGNCOLRETURN"), Text("IDS_DESIGNCOLFLOW"), Text("IDS_DESIGNCOLDROP"),
                            Text("IDS_DESIGNCOLPRESET")});
    for (const DesignedCircuit& c : m.circuits) {
        auto* item = new QTreeWidgetItem(table,
                                         {Q(c.roundName), Fixed(c.designSpread, 1), Fixed(c.forward, 1),
                                          Fixed(c.return_, 1), Fixed(c.massFlow, 1), Fixed(c.circuitPressureDrop, 0),
                                          Q(WithDecimalSeparator(c.valvePosition))});
        for (int column = 1; column < 6; ++column)
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < 7; ++column)
        table->resizeColumnToContents(column);
    layout->addWidget(table, 1);
    tables.push_back(table);

    QString notes;
    if (!m.uncoveredRooms.empty()) {
        notes += Text("IDS_DESIGNUNCOVEREDROOMS") + QStringLiteral(":\n");
        for (const std::string& r : m.uncoveredRooms)
            notes += QStringLiteral("  ") + Q(r) + QLatin1Char('\n');
    }
    if (!m.warnings.empty()) {
        notes += Text("IDS_DESIGNWARNINGS") + QStringLiteral(":\n");
        for (const std::string& w : m.warnings)
            notes += QStringLiteral("  ") + Q(w) + QLatin1Char('\n');
    }
    auto* warnings = new QPlainTextEdit(notes.trimmed());
    warnings->setObjectName(QStringLiteral("WarningsText"));
    warnings->setReadOnly(true);
    warnings->setMaximumHeight(110);
    warnings->setVisible(!notes.isEmpty());
    layout->addWidget(warnings);
    return page;
}
} // namespace

TDesignForm::TDesignForm(const DesignOutcome& outcome, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DesignForm"));
    setWindowTitle(QStringLiteral("Tervezés"));
    ManifoldTabs = new QTabWidget;
    ManifoldTabs->setObjectName(QStringLiteral("ManifoldTabs"));
    for (const ManifoldDesignResult& m : outcome.manifolds)
        ManifoldTabs->addTab(ManifoldPage(m, CircuitsTables), Q(m.name));
    const DialogButtons buttons = MakeDialogButtons(this, HelpTopic::Design, QStringLiteral("Elvet"));
    buttons.ok->setText(QStringLiteral("Alkalmaz"));
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ManifoldTabs, 1);
    layout->addWidget(ButtonBox(buttons));
    TranslateForm(this);
    resize(760, 480);
}

bool ShowDesignDialog(const DesignOutcome& outcome, QWidget* parent)
{
    TDesignForm form(outcome, parent);
    return ExecWithPlacement(form) == QDialog::Accepted;
}

} // namespace kalorina::gui
