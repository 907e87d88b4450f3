#include "listview/TListHeader.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "listview/RichCaption.h"
#include "listview/TChangeHeaderForm.h"
#include "listview/TListViewWithHeader.h"
#include "platform/QtCanvas.h"

namespace kalorina::gui {

TListHeader::TListHeader(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    StyleChanged();
}

void TListHeader::SetFormatName(const std::string& name)
{
    formatName_ = name;
    format_.Clear();
    format_.LoadFormat(name);
    StyleChanged();
}

void TListHeader::StyleChanged()
{
    QtCanvas canvas(static_cast<QPaintDevice*>(this));
    canvas.SetQFont(font());
    format_.Measure(canvas);
    setFixedHeight(format_.lineHeight * format_.captionLineCount + format_.externalLeading + 4);
    SetListColumns();
    update();
}

void TListHeader::LoadFromRegistry(const std::string& productKey)
{
    productKey_ = productKey;
    format_.LoadLayout(productKey, registryName_);
    SetListColumns();
    update();
}

void TListHeader::SetList(TListViewWithHeader* list)
{
    list_ = list;
    SetListColumns();
}

TListViewWithHeader* TListHeader::List() const
{
    return list_;
}

int TListHeader::ColumnPixelWidth(const TListHeaderFormatCol& column) const
{
    return column.width * format_.averageCharWidth;
}

void TListHeader::SetListColumns()
{
    if (!list_)
        return;
    std::vector<TListViewWithHeader::ColumnLayout> columns;
    for (const TListHeaderFormatCol* col : format_.VisibleColumns())
        columns.push_back({ColumnPixelWidth(*col), col->dataAlignment});
    list_->SetColumns(columns);
}

void TListHeader::SetScrollPos(int pixels)
{
    scrollPos_ = pixels;
    update();
}

bool TListHeader::ChangeColumnsPropertis()
{
    TChangeHeaderForm form(format_, font(), registryName_, productKey_, services_, window());
    if (form.exec() != QDialog::Accepted) {
        update();
        return false;
    }
    if (list_)
        list_->clear();
    SetListColumns();
    SetScrollPos(0);
    emit ColumnsChanged();
    return true;
}

QSize TListHeader::sizeHint() const
{
    int width = 0;
    for (const TListHeaderFormatCol* col : format_.VisibleColumns())
        width += ColumnPixelWidth(*col);
    return QSize(width, height());
}

void TListHeader::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    QtCanvas canvas(painter);
    canvas.SetQFont(font(), clBlack);
    const QRect clip = event->rect();
    painter.fillRect(rect(), palette().color(QPalette::Button));

    const int lineHeight = format_.lineHeight;
    const int h = height();
    int x = -scrollPos_;
    for (const TListHeaderFormatCol* col : format_.VisibleColumns()) {
        const int w = ColumnPixelWidth(*col);
        if (x + w - 1 >= clip.left() && x <= clip.right()) {
            TRect text{x + 2, format_.externalLeading + 2, x + w - 3, h - 2};
            for (int line = 0; line < format_.captionLineCount; ++line) {
                DrawRichCaption(canvas, col->Caption(line), col->titleAlignment, true, text, format_.averageCharWidth,
                                lineHeight);
                text.top += lineHeight;
            }
            canvas.SetPenColour(clWhite);
            canvas.Line(x, h - 1, x, 0);
            canvas.Line(x, 0, x + w - 1, 0);
            canvas.SetPenColour(clBlack);
            canvas.Line(x, h - 1, x + w - 1, h - 1);
            canvas.Line(x + w - 1, h - 1, x + w - 1, 0);
        }
        x += w;
    }
}

void TListHeader::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    emit Click();
    if (setupOnClick_)
        ChangeColumnsPropertis();
}

void TListHeader::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        StyleChanged();
    QWidget::changeEvent(event);
}

} // namespace kalorina::gui
