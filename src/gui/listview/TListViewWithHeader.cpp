#include "listview/TListViewWithHeader.h"

#include <QHeaderView>
#include <QScrollBar>

#include "document/TProgramOptions.h"
#include "listview/TColouredItemDelegate.h"
#include "listview/TListHeader.h"
#include "platform/QtText.h"

namespace kalorina::gui {

namespace {

Qt::Alignment ToQtAlignment(TAlignment a)
{
    switch (a) {
    case TAlignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case TAlignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

} // namespace

TListViewWithHeader::TListViewWithHeader(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    header()->setStretchLastSection(false);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new TColouredItemDelegate(this));
    setColumnCount(0);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { RecalcScrollPos(); });
}

void TListViewWithHeader::SetHeaderName(const QString& name)
{
    headerName_.clear();
    for (TListHeader* h : window()->findChildren<TListHeader*>())
        if (h->objectName() == name) {
            SetHeader(h);
            headerName_ = name;
            return;
        }
}

TListHeader* TListViewWithHeader::Header() const
{
    return header_;
}

void TListViewWithHeader::SetHeader(TListHeader* header)
{
    header_ = header;
    if (header_)
        header_->SetList(this);
}

void TListViewWithHeader::SetUp(TListHeader* header, const std::string& formatName, const std::string& registryName,
                                const std::string& productKey)
{
    ApplyListFont(this);
    ApplyListFont(header);
    header->SetRegistryName(registryName);
    header->SetFormatName(formatName);
    SetHeader(header);
    header->LoadFromRegistry(productKey);
}

void TListViewWithHeader::SetColumns(const std::vector<ColumnLayout>& columns)
{
    columns_ = columns;
    setColumnCount(static_cast<int>(columns.size()));
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        setColumnWidth(i, columns[i].width);
    for (int r = 0; r < topLevelItemCount(); ++r)
        for (int i = 0; i < static_cast<int>(columns.size()); ++i)
            topLevelItem(r)->setTextAlignment(i, ToQtAlignment(columns[i].alignment));
    RecalcScrollPos();
}

QTreeWidgetItem* TListViewWithHeader::AddRow(const std::vector<std::string>& cells)
{
    auto* item = new QTreeWidgetItem(this);
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        item->setText(i, Q(cells[i]));
        if (i < static_cast<int>(columns_.size()))
            item->setTextAlignment(i, ToQtAlignment(columns_[i].alignment));
    }
    return item;
}

QTreeWidgetItem* TListViewWithHeader::AddRow(const std::function<std::string(const TListHeaderFormatCol&)>& cellText)
{
    std::vector<std::string> cells;
    if (header_)
        for (const TListHeaderFormatCol* col : header_->Format().VisibleColumns())
            cells.push_back(cellText(*col));
    return AddRow(cells);
}

void TListViewWithHeader::RecalcScrollPos()
{
    if (header_)
        header_->SetScrollPos(horizontalScrollBar()->value());
}

void TListViewWithHeader::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    RecalcScrollPos();
}

void TListViewWithHeader::ApplyListFont(QWidget* widget)
{
    const ListFontAttributes stored = ListFontAttributes::LoadFontAttributes(FontKind::List);
    QFont font = widget->font();
    if (!stored.name.empty())
        font.setFamily(Q(stored.name));
    if (stored.size > 0)
        font.setPointSize(stored.size);
    widget->setFont(font);
}

} // namespace kalorina::gui
