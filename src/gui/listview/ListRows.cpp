#include "listview/ListRows.h"

#include "listview/TListHeader.h"
#include "listview/TListViewWithHeader.h"
#include "platform/QtText.h"

namespace kalorina::gui {

void ShowListRows(TListViewWithHeader* list, const std::vector<std::vector<std::string>>& rows, bool rebuild)
{
    if (rebuild || list->topLevelItemCount() != static_cast<int>(rows.size())) {
        list->clear();
        if (rebuild && list->Header())
            list->Header()->SetScrollPos(0);
        for (const auto& row : rows)
            list->AddRow(row);
        return;
    }
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        // Cells keep their colour prefix for the list's drawing.
        for (int c = 0; c < static_cast<int>(rows[i].size()) && c < item->columnCount(); ++c)
            item->setText(c, Q(rows[i][c]));
    }
}

} // namespace kalorina::gui
