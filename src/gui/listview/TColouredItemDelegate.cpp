#include "listview/TColouredItemDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

#include "listview/ColourPrefix.h"
#include "platform/QtCanvas.h"

namespace kalorina::gui {

void TColouredItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const TColourPrefix prefix = FindColourPrefix(text.left(8).toStdString());
    if (prefix.length == 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QRect r = option.rect;
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    painter->save();
    const bool editing = option.state & QStyle::State_Editing;
    if ((option.state & QStyle::State_Selected) && !editing) {
        const bool focused = view ? view->hasFocus() : (option.state & QStyle::State_HasFocus);
        painter->fillRect(r, option.palette.color(focused ? QPalette::Highlight : QPalette::Button));
    }
    const QString shown = text.mid(static_cast<int>(prefix.length));
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    const int textWidth = fm.horizontalAdvance(shown);
    const int alignment = index.data(Qt::TextAlignmentRole).toInt();
    int x = r.left() + 6;
    if (alignment & Qt::AlignRight)
        x = r.left() + r.width() - textWidth - 6;
    else if (alignment & Qt::AlignHCenter)
        x = r.left() + (r.width() - textWidth - 12) / 2 + 6;
    const int y = r.top() + (r.height() - fm.height()) / 2 + fm.ascent();
    painter->setClipRect(r);
    painter->setPen(ToQColor(prefix.colour));
    painter->drawText(x, y, shown);
    painter->restore();
}

} // namespace kalorina::gui
