#include "plan/DxfImportDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/QtText.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

DxfImportDialog::DxfImportDialog(plan::DxfDrawing drawing, const QString& floor, QWidget* parent)
    : QDialog(parent), drawing_(std::move(drawing))
{
    setObjectName(QStringLiteral("DxfImportDialog"));
    setWindowTitle(QStringLiteral("DXF rajz beolvasása"));
    Layers = new QListWidget;
    Layers->setObjectName(QStringLiteral("DxfLayers"));
    int best = 0, bestCount = -1;
    for (std::size_t i = 0; i < drawing_.layers.size(); ++i) {
        const std::string& layer = drawing_.layers[i];
        const int closed =
            static_cast<int>(std::count_if(drawing_.polylines.begin(), drawing_.polylines.end(),
                                           [&](const plan::DxfPolyline& p) { return p.layer == layer && p.closed; }));
        Layers->addItem(Q(layer) + QStringLiteral("  (%1 zárt vonallánc)").arg(closed));
        // The layer with the most closed polylines is the likeliest one of rooms.
        if (closed > bestCount) {
            bestCount = closed;
            best = static_cast<int>(i);
        }
    }
    Layers->setCurrentRow(best);
    Units = new QComboBox;
    Units->setObjectName(QStringLiteral("DxfUnit"));
    Units->addItems({QStringLiteral("mm"), QStringLiteral("cm"), QStringLiteral("m")});
    Floor = new QLineEdit(floor);
    Floor->setObjectName(QStringLiteral("DxfFloor"));
    Size = new QLabel;
    Size->setObjectName(QStringLiteral("DxfSize"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Helyiségek rétege:"), Layers);
    form->addRow(QStringLiteral("Mértékegység:"), Units);
    form->addRow(QStringLiteral("A rajz mérete:"), Size);
    form->addRow(QStringLiteral("Szint:"), Floor);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKButton"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Elvet"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(Layers, &QListWidget::currentRowChanged, this, [this] { ShowSize(); });
    connect(Units, &QComboBox::currentIndexChanged, this, [this] { ShowSize(); });
    ShowSize();
}

std::string DxfImportDialog::Layer() const
{
    const int row = Layers->currentRow();
    return row >= 0 && std::size_t(row) < drawing_.layers.size() ? drawing_.layers[row] : std::string();
}

plan::DxfUnit DxfImportDialog::Unit() const
{
    return static_cast<plan::DxfUnit>(std::clamp(Units->currentIndex(), 0, 2));
}

std::string DxfImportDialog::FloorName() const
{
    const std::string name = Cp(Floor->text().trimmed());
    return name.empty() ? Cp(QStringLiteral("Földszint")) : name;
}

void DxfImportDialog::ShowSize()
{
    // The extent of the chosen layer's polylines: a flat of 12 m read in the wrong
    // unit is 12 km or 1.2 cm, which the engineer sees at once.
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    const std::string layer = Layer();
    const double k = plan::MetresPer(Unit());
    for (const plan::DxfPolyline& p : drawing_.polylines)
        if (p.layer == layer)
            for (const plan::DxfVertex& v : p.vertices) {
                left = std::min(left, v.at.x * k);
                right = std::max(right, v.at.x * k);
                bottom = std::min(bottom, v.at.y * k);
                top = std::max(top, v.at.y * k);
            }
    if (right < left) {
        Size->setText(QStringLiteral("a rétegen nincs vonallánc"));
        return;
    }
    Size->setText(Q(FloatToStrF(right - left, TFloatFormat::Fixed, 15, 2)) + QStringLiteral(" × ")
                  + Q(FloatToStrF(top - bottom, TFloatFormat::Fixed, 15, 2)) + QStringLiteral(" m"));
}

} // namespace kalorina::gui
