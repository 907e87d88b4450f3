#include "platform/FontAttributes.h"

#include <QFontDatabase>
#include <QLabel>

#include "platform/QtText.h"

namespace kalorina::gui {

QString ResolveFamily(const QString& name)
{
    if (QFontDatabase::families().contains(name, Qt::CaseInsensitive))
        return name;
    QString lower = name.toLower();
    QFont::StyleHint hint = QFont::SansSerif;
    bool plainSerif = lower.contains(QLatin1String("serif")) && !lower.contains(QLatin1String("sans"));
    if (lower.contains(QLatin1String("times")) || plainSerif || lower.contains(QLatin1String("georgia"))
        || lower.contains(QLatin1String("garamond")) || lower.contains(QLatin1String("roman")))
        hint = QFont::Serif;
    if (lower.contains(QLatin1String("courier")) || lower.contains(QLatin1String("mono"))
        || lower.contains(QLatin1String("consol")) || lower.contains(QLatin1String("fixed")))
        hint = QFont::Monospace;
    QFont probe;
    probe.setStyleHint(hint);
    probe.setFamily(QString());
    QString family = probe.defaultFamily();
    if (hint == QFont::Monospace)
        family = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return family.isEmpty() ? QFont().family() : family;
}

void ApplyToFont(const ListFontAttributes& a, QFont& font)
{
    if (!a.name.empty())
        font.setFamily(ResolveFamily(Q(a.name)));
    if (a.size != 0)
        font.setPointSize(a.size);
}

ListFontAttributes TakeFromFont(const QFont& font)
{
    ListFontAttributes a;
    a.name = Cp(font.family());
    a.size = font.pointSize() > 0 ? font.pointSize() : 0;
    return a;
}

void ShowOnLabel(const ListFontAttributes& a, QLabel* label)
{
    label->setText(Q(a.LabelText()));
    QFont f = label->font();
    ApplyToFont(a, f);
    label->setFont(f);
}

} // namespace kalorina::gui
