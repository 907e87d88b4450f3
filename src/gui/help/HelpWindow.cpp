#include "help/HelpWindow.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/QtFormTranslator.h"

namespace kalorina::gui {

namespace {
constexpr int kFileRole = Qt::UserRole + 1;

QToolButton* Tool(QWidget* parent, const char* name, const QString& text, QStyle::StandardPixmap icon)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(text);
    b->setToolTip(text);
    b->setIcon(parent->style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
}
} // namespace

HelpWindow::HelpWindow(const QString& folder, QWidget* parent) : QWidget(parent, Qt::Window), book_(folder)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Kalorina súgó"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    BackButton = Tool(this, "BackButton", QStringLiteral("Vissza"), QStyle::SP_ArrowBack);
    ForwardButton = Tool(this, "ForwardButton", QStringLiteral("Előre"), QStyle::SP_ArrowForward);
    HomeButton = Tool(this, "HomeButton", QStringLiteral("Tartalom"), QStyle::SP_DirHomeIcon);
    BackButton->setShortcut(QKeySequence::Back);
    ForwardButton->setShortcut(QKeySequence::Forward);
    bar->addWidget(BackButton);
    bar->addWidget(ForwardButton);
    bar->addWidget(HomeButton);
    bar->addStretch();
    layout->addLayout(bar);

    auto* splitter = new QSplitter(this);
    Tabs = new QTabWidget(splitter);
    Tabs->setObjectName(QStringLiteral("Tabs"));
    ContentsTree = new QTreeWidget;
    ContentsTree->setObjectName(QStringLiteral("ContentsPage"));
    ContentsTree->setHeaderHidden(true);
    Tabs->addTab(ContentsTree, QStringLiteral("Tartalom"));

    auto* indexPage = new QWidget;
    indexPage->setObjectName(QStringLiteral("IndexPage"));
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* prompt = new QLabel(QStringLiteral("Keresett szó:"), indexPage);
    prompt->setObjectName(QStringLiteral("KeywordLabel"));
    KeywordEdit = new QLineEdit(indexPage);
    KeywordEdit->setObjectName(QStringLiteral("KeywordEdit"));
    KeywordEdit->setClearButtonEnabled(true);
    prompt->setBuddy(KeywordEdit);
    KeywordList = new QListWidget(indexPage);
    KeywordList->setObjectName(QStringLiteral("KeywordList"));
    indexLayout->addWidget(prompt);
    indexLayout->addWidget(KeywordEdit);
    indexLayout->addWidget(KeywordList);
    Tabs->addTab(indexPage, QStringLiteral("Tárgymutató"));

    Browser = new QTextBrowser(splitter);
    Browser->setObjectName(QStringLiteral("Browser"));
    Browser->setOpenLinks(true);
    Browser->setOpenExternalLinks(true);
    Browser->setSearchPaths({book_.Folder()});
    splitter->addWidget(Tabs);
    splitter->addWidget(Browser);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter);

    connect(BackButton, &QToolButton::clicked, Browser, &QTextBrowser::backward);
    connect(ForwardButton, &QToolButton::clicked, Browser, &QTextBrowser::forward);
    connect(HomeButton, &QToolButton::clicked, this, &HelpWindow::ShowContents);
    connect(Browser, &QTextBrowser::backwardAvailable, BackButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::forwardAvailable, ForwardButton, &QToolButton::setEnabled);
    connect(Browser, &QTextBrowser::sourceChanged, this, &HelpWindow::SyncContents);
    connect(ContentsTree, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { Open(item->data(0, kFileRole).toString()); });
    connect(ContentsTree, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Open(item->data(0, kFileRole).toString()); });
    connect(KeywordEdit, &QLineEdit::textChanged, this, &HelpWindow::KeywordEditChange);
    connect(KeywordEdit, &QLineEdit::returnPressed, this, &HelpWindow::OpenKeyword);
    connect(KeywordList, &QListWidget::itemActivated, this, &HelpWindow::OpenKeyword);
    connect(KeywordList, &QListWidget::itemClicked, this, &HelpWindow::OpenKeyword);
    BackButton->setEnabled(false);
    ForwardButton->setEnabled(false);

    TranslateForm(this);
    FillContents();
    KeywordEditChange({});
    resize(900, 620);
}

void HelpWindow::FillContents()
{
    ContentsTree->clear();
    for (const HelpBook::Page* p : book_.Contents()) {
        auto* item = new QTreeWidgetItem(ContentsTree, QStringList{p->title});
        item->setData(0, kFileRole, p->file);
    }
}

void HelpWindow::Open(const QString& file)
{
    if (file.isEmpty())
        return;
    if (book_.IsEmpty()) {
        Browser->setHtml(QStringLiteral("<p>%1</p>").arg(book_.Folder().toHtmlEscaped()));
        return;
    }
    Browser->setSource(QUrl::fromLocalFile(book_.Folder() + QLatin1Char('/') + file));
}

QString HelpWindow::CurrentPage() const
{
    return Browser->source().fileName();
}

void HelpWindow::ShowTopic(int topic)
{
    Tabs->setCurrentIndex(0);
    Open(book_.FileForTopic(topic));
}

void HelpWindow::ShowContents()
{
    Tabs->setCurrentIndex(0);
    Open(QLatin1String(HelpBook::kContentsPage));
}

void HelpWindow::ShowIndex(const QString& typed)
{
    Tabs->setCurrentIndex(1);
    KeywordEdit->setText(typed);
    KeywordEdit->setFocus();
    if (Browser->source().isEmpty())
        Open(QLatin1String(HelpBook::kContentsPage));
}

void HelpWindow::KeywordEditChange(const QString& text)
{
    KeywordList->clear();
    for (const HelpBook::Hit& h : book_.Search(text)) {
        auto* item = new QListWidgetItem(h.text, KeywordList);
        item->setData(kFileRole, h.file);
        if (!h.keyword) {
            // Found in the text only: shown apart from the keywords.
            QFont f = item->font();
            f.setItalic(true);
            item->setFont(f);
        }
    }
    if (KeywordList->count() > 0)
        KeywordList->setCurrentRow(0);
}

void HelpWindow::OpenKeyword()
{
    if (QListWidgetItem* item = KeywordList->currentItem())
        Open(item->data(kFileRole).toString());
}

void HelpWindow::SyncContents(const QUrl& shown)
{
    QString file = shown.fileName();
    for (int i = 0; i < ContentsTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ContentsTree->topLevelItem(i);
        if (item->data(0, kFileRole).toString() == file) {
            QSignalBlocker block(ContentsTree);
            ContentsTree->setCurrentItem(item);
            break;
        }
    }
}

} // namespace kalorina::gui
