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

std::string QtFileDialog::Run(const FileDialogRequest& r)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QFileDialog dialog(parent, Q(r.title));
    dialog.setNameFilter(Q(QtFilterFromPairs(r.filter)));
    dialog.setDefaultSuffix(QString::fromStdString(r.defaultExtension));
    if (r.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (!r.initialFile.empty())
        dialog.selectFile(QString::fromStdString(r.initialFile));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first().toStdString();
}

} // namespace kalorina::gui
