#pragma once
// One language's help: the HTML pages of a folder, with the topic numbers, titles
// and keywords each page declares in its head:
//   <title>Room dialog</title>
//   <meta name="topics" content="130 163">
//   <meta name="keywords" content="room; heat loss; optimum split">
// The contents follow the order of the links on contents.html.
#include <QString>
#include <QStringList>
#include <QVector>

namespace kalorina::gui {

class HelpBook {
public:
    struct Page {
        QString file; // file name inside the folder
        QString title;
        QList<int> topics;
        QStringList keywords;
        QString plainText; // the page's text without mark-up, for the full-text search
    };
    struct Hit {
        QString text; // what the index list shows
        QString file;
        bool keyword = true; // false: found in a page's text only
    };

    static constexpr const char* kContentsPage = "contents.html";

    // Reads every *.html of `folder`; a missing folder gives an empty book.
    explicit HelpBook(const QString& folder = {});
    const QString& Folder() const { return folder_; }
    bool IsEmpty() const { return pages_.isEmpty(); }
    const QVector<Page>& Pages() const { return pages_; }
    // Pages in the order of the contents page (the contents page itself first).
    QVector<const Page*> Contents() const;
    // The page that serves a topic number; the contents page for an unknown topic.
    QString FileForTopic(int topic) const;
    const Page* FindPage(const QString& file) const;
    // Every keyword of every page, sorted, as index entries.
    QVector<Hit> Index() const;
    // Keywords that contain `typed` (case and accents ignored), those that begin with
    // it first; then the pages whose text contains it and that no keyword hit names.
    QVector<Hit> Search(const QString& typed) const;

    // Lower case without accents: "Szelepelőbeállítás" → "szelepelobeallitas".
    static QString Fold(const QString& text);

private:
    QString folder_;
    QVector<Page> pages_;
    QStringList contentsOrder_;
};

} // namespace kalorina::gui
