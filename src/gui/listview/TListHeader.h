#pragma once
// The two-line column header above a list: draws the rich captions of a column
// format, follows the list's horizontal scrolling and opens the column setup when
// clicked.
#include <QPointer>
#include <QWidget>
#include <string>

#include "listview/TListHeaderFormat.h"
#include "platform/Services.h"

namespace kalorina::gui {

class TListViewWithHeader;

class TListHeader : public QWidget {
    Q_OBJECT
public:
    explicit TListHeader(QWidget* parent = nullptr);

    const std::string& FormatName() const { return formatName_; }
    // Loads the named format afresh (the stored layout is applied by LoadFromRegistry).
    void SetFormatName(const std::string& name);
    const std::string& RegistryName() const { return registryName_; }
    void SetRegistryName(const std::string& name) { registryName_ = name; }
    const std::string& ProductKey() const { return productKey_; }

    TListHeaderFormat& Format() { return format_; }
    const TListHeaderFormat& Format() const { return format_; }

    // Applies the user's layout stored under the product key and the registry name,
    // and lays out the linked list's columns.
    void LoadFromRegistry(const std::string& productKey);
    void SetList(TListViewWithHeader* list);
    TListViewWithHeader* List() const;
    // One list column per visible format column, in display order.
    void SetListColumns();
    int ScrollPos() const { return scrollPos_; }
    void SetScrollPos(int pixels);
    // Measures the font and takes the height the captions need.
    void StyleChanged();
    // Opens the column setup; true when it was confirmed (the list has then been
    // emptied and must be refilled).
    bool ChangeColumnsPropertis();

    // The services the column setup reports through (the system's until set).
    void SetServices(const Services& services) { services_ = services; }

    // A click opens the column setup unless this is switched off.
    bool SetupOnClick() const { return setupOnClick_; }
    void SetSetupOnClick(bool on) { setupOnClick_ = on; }

    // Pixel width of a column in the header's font.
    int ColumnPixelWidth(const TListHeaderFormatCol& column) const;

    QSize sizeHint() const override;

signals:
    void Click();
    // The column setup was confirmed: the list is empty and waits for its rows.
    void ColumnsChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    TListHeaderFormat format_;
    std::string formatName_;
    std::string registryName_;
    std::string productKey_;
    int scrollPos_ = 0;
    QPointer<TListViewWithHeader> list_;
    bool setupOnClick_ = true;
    Services services_ = SystemServices();
};

} // namespace kalorina::gui
