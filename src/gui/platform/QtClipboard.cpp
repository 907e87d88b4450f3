#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace kalorina::gui {

QString QtClipboard::MimeType(const std::string& formatName)
{
    if (formatName == "Rich Text Format")
        return QStringLiteral("text/rtf");
    if (formatName.find('/') != std::string::npos) // already a MIME type (text/html, text/plain)
        return QString::fromStdString(formatName);
    if (formatName == "Kalorina Item")
        return QStringLiteral("application/x-kalorina-item");
    QString name = QString::fromStdString(formatName).toLower().replace(' ', '-');
    return QStringLiteral("application/x-kalorina-") + name;
}

void QtClipboard::Put(const std::map<std::string, std::string>& blocks)
{
    auto* data = new QMimeData;
    for (const auto& [name, bytes] : blocks)
        data->setData(MimeType(name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    QGuiApplication::clipboard()->setMimeData(data);
}

bool QtClipboard::HasFormat(const std::string& formatName) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasFormat(MimeType(formatName));
}

std::optional<std::string> QtClipboard::Get(const std::string& formatName) const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(MimeType(formatName)))
        return std::nullopt;
    QByteArray bytes = data->data(MimeType(formatName));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace kalorina::gui
