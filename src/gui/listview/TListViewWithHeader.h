#pragma once
// A read-only table that selects whole rows, with its own column headers hidden:
// a TListHeader above it shows the captions and follows its horizontal scrolling.
#include <QPointer>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "listview/TListHeaderFormatCol.h"

namespace kalorina::gui {

class TListHeader;

class TListViewWithHeader : public QTreeWidget {
    Q_OBJECT
public:
    explicit TListViewWithHeader(QWidget* parent = nullptr);

    // Links the list to the header of its window with this object name; the name is
    // kept only when such a header exists.
    const QString& HeaderName() const { return headerName_; }
    void SetHeaderName(const QString& name);
    void SetHeader(TListHeader* header);
    TListHeader* Header() const;

    // Everything a dialog needs: the list font on the list and the header, the
    // named format with its stored layout, and the link between them.
    void SetUp(TListHeader* header, const std::string& formatName, const std::string& registryName,
               const std::string& productKey = "Kalorina");

    struct ColumnLayout {
        int width = 0; // pixels
        TAlignment alignment = TAlignment::Left;
    };
    void SetColumns(const std::vector<ColumnLayout>& columns);

    // Appends a row of cell texts (code page 1250) in display order; a cell may start
    // with a colour prefix such as "\red".
    QTreeWidgetItem* AddRow(const std::vector<std::string>& cells);
    // Appends a row whose cells are asked for by visible column of the header's format.
    QTreeWidgetItem* AddRow(const std::function<std::string(const TListHeaderFormatCol&)>& cellText);

    void RecalcScrollPos();

    // Sets the list font stored in the registry on a widget.
    static void ApplyListFont(QWidget* widget);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<TListHeader> header_;
    QString headerName_;
    std::vector<ColumnLayout> columns_;
};

} // namespace kalorina::gui
