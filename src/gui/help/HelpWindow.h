#pragma once
// The help window: contents and keyword index on the left, the page on the right,
// back and forward like a browser.  The keyword list narrows as the user types.
#include <QWidget>
#include <memory>

#include "help/HelpBook.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QToolButton;
class QTreeWidget;
class QUrl;

namespace kalorina::gui {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder, QWidget* parent = nullptr);

    const HelpBook& Book() const { return book_; }
    void ShowTopic(int topic);
    void ShowContents();
    // Shows the index page with the keyword field focused and holding `typed`.
    void ShowIndex(const QString& typed = {});
    // The file name of the page shown.
    QString CurrentPage() const;

    QTabWidget* Tabs = nullptr;
    QTreeWidget* ContentsTree = nullptr;
    QLineEdit* KeywordEdit = nullptr;
    QListWidget* KeywordList = nullptr;
    QTextBrowser* Browser = nullptr;
    QToolButton *BackButton = nullptr, *ForwardButton = nullptr, *HomeButton = nullptr;

private:
    void Open(const QString& file);
    void FillContents();
    void KeywordEditChange(const QString& text);
    void OpenKeyword();
    void SyncContents(const QUrl& shown);

    HelpBook book_;
};

} // namespace kalorina::gui
