#include "help/HelpBook.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

#include <algorithm>

#include "lang/Alphabet.h"
#include "platform/QtText.h"

namespace kalorina::gui {

namespace {
QString Meta(const QString& html, const QString& name)
{
    QRegularExpression re(QStringLiteral("<meta\\s+name=\"%1\"\\s+content=\"([^\"]*)\"").arg(name),
                          QRegularExpression::CaseInsensitiveOption);
    auto m = re.match(html);
    return m.hasMatch() ? QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText() : QString();
}

QString Title(const QString& html)
{
    QRegularExpression re(QStringLiteral("<title>(.*?)</title>"),
                          QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    auto m = re.match(html);
    return m.hasMatch() ? QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().trimmed() : QString();
}

QString Body(const QString& html)
{
    int start = html.indexOf(QStringLiteral("<body"), 0, Qt::CaseInsensitive);
    return start < 0 ? html : html.mid(start);
}
} // namespace

QString HelpBook::Fold(const QString& text)
{
    QString decomposed = text.toLower().normalized(QString::NormalizationForm_D);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out;
}

HelpBook::HelpBook(const QString& folder) : folder_(folder)
{
    if (folder.isEmpty())
        return;
    QDir dir(folder);
    const auto files = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QString html = QString::fromUtf8(f.readAll());
        Page p;
        p.file = name;
        p.title = Title(html);
        if (p.title.isEmpty())
            p.title = name;
        for (const QString& t : Meta(html, QStringLiteral("topics")).split(' ', Qt::SkipEmptyParts)) {
            bool ok = false;
            int n = t.toInt(&ok);
            if (ok)
                p.topics.append(n);
        }
        for (const QString& k : Meta(html, QStringLiteral("keywords")).split(';', Qt::SkipEmptyParts))
            if (!k.trimmed().isEmpty())
                p.keywords.append(k.trimmed());
        p.plainText = QTextDocumentFragment::fromHtml(Body(html)).toPlainText();
        if (name == QLatin1String(kContentsPage)) {
            QRegularExpression link(QStringLiteral("href=\"([^\"#]+\\.html)"));
            for (auto it = link.globalMatch(html); it.hasNext();) {
                QString target = it.next().captured(1);
                if (!contentsOrder_.contains(target))
                    contentsOrder_.append(target);
            }
        }
        pages_.append(std::move(p));
    }
}

QVector<const HelpBook::Page*> HelpBook::Contents() const
{
    QVector<const Page*> out;
    if (const Page* c = FindPage(QLatin1String(kContentsPage)))
        out.append(c);
    for (const QString& file : contentsOrder_)
        if (const Page* p = FindPage(file); p && !out.contains(p))
            out.append(p);
    // A page the contents forget is still reachable.
    for (const Page& p : pages_)
        if (!out.contains(&p))
            out.append(&p);
    return out;
}

const HelpBook::Page* HelpBook::FindPage(const QString& file) const
{
    for (const Page& p : pages_)
        if (p.file == file)
            return &p;
    return nullptr;
}

QString HelpBook::FileForTopic(int topic) const
{
    for (const Page& p : pages_)
        if (p.topics.contains(topic))
            return p.file;
    return QLatin1String(kContentsPage);
}

QVector<HelpBook::Hit> HelpBook::Index() const
{
    QVector<Hit> out;
    for (const Page& p : pages_)
        for (const QString& k : p.keywords)
            out.append({k, p.file, true});
    std::stable_sort(out.begin(), out.end(),
                     [](const Hit& a, const Hit& b) { return AlphabeticLess(Cp(a.text), Cp(b.text)); });
    // A keyword that several pages carry shows which page each entry leads to.
    QStringList folded;
    for (const Hit& h : out)
        folded.append(Fold(h.text));
    for (int i = 0; i < out.size(); ++i) {
        bool dupPrev = i > 0 && folded[i - 1] == folded[i];
        bool dupNext = i + 1 < out.size() && folded[i + 1] == folded[i];
        if (dupPrev || dupNext)
            if (const Page* p = FindPage(out[i].file))
                out[i].text += QStringLiteral(" (") + p->title + QStringLiteral(")");
    }
    return out;
}

QVector<HelpBook::Hit> HelpBook::Search(const QString& typed) const
{
    QString key = Fold(typed.trimmed());
    QVector<Hit> all = Index();
    if (key.isEmpty())
        return all;
    QVector<Hit> starts, inside, text;
    QStringList named;
    for (const Hit& h : all) {
        QString folded = Fold(h.text);
        if (folded.startsWith(key))
            starts.append(h);
        else if (folded.contains(key))
            inside.append(h);
        else
            continue;
        named.append(h.file);
    }
    for (const Page& p : pages_)
        if (!named.contains(p.file) && Fold(p.plainText).contains(key))
            text.append({p.title, p.file, false});
    return starts + inside + text;
}

} // namespace kalorina::gui
