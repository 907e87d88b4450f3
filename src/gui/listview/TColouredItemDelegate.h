#pragma once
// Draws list cells whose text starts with "\red", "\green" or "\blue" in that
// colour without the prefix; every other cell is drawn as usual.
#include <QStyledItemDelegate>

namespace kalorina::gui {

class TColouredItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace kalorina::gui
