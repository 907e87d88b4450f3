#include "platform/FileDialog.h"

#include <QApplication>
#include <QFileDialog>

#include "platform/QtText.h"

namespace kalorina::gui {

std::string QtFilterFromPairs(const std::string& pairs)
{
    std::string out;
    std::size_t pos = 0;
    int field = 0;
    while (pos <= pairs.size()) {
        auto bar = pairs.find('|', pos);
        std::string part = pairs.substr(pos, bar == std::string::npos ? std::string::npos : bar - pos);
        if (field % 2 == 0) {
            if (!out.empty())
                out += ";;";
            out += part;
        }
        ++field;
        if (bar == std::string::npos)
            break;
        pos = bar + 1;
    }
    return out;
}

std::string FirstFilterExtension(const std::string& qtFilter)
{
    const auto star = qtFilter.find("*.");
    if (star == std::string::npos)
        return {};
    const auto begin = star + 2;
    const auto end = qtFilter.find_first_of(" ;)", begin);
    std::string ext = qtFilter.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    return ext == "*" ? std::string() : ext;
}

std::string QtFileDialog::Run(const FileDialogRequest& r)
{
    return Choose(r).path;
}

FileDialogChoice QtFileDialog::Choose(const FileDialogRequest& r)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QFileDialog dialog(parent, Q(r.title));
    const QStringList filters = Q(QtFilterFromPairs(r.filter)).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultExtension));
    if (r.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // A bare name gets the suffix of the file type shown, not that of the first type.
        for (const QString& f : filters)
            if (!r.defaultExtension.empty() && FirstFilterExtension(Cp(f)) == r.defaultExtension) {
                dialog.selectNameFilter(f);
                break;
            }
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
            const std::string ext = FirstFilterExtension(Cp(f));
            if (!ext.empty())
                dialog.setDefaultSuffix(QString::fromStdString(ext));
        });
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!r.initialFile.empty())
        dialog.selectFile(QString::fromStdString(r.initialFile));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().first().toStdString(),
            static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

} // namespace kalorina::gui
