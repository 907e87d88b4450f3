#include "platform/FileDialog.h"

#include <QFileDialog>

#include "platform/QtText.h"

namespace kalorina::gui {

FileDialog& FileDialog::Instance()
{
    static FileDialog dialog;
    return dialog;
}

void FileDialog::setNextFileName(const std::string& path) { Instance().next_.push_back(path); }
void FileDialog::clearNextFileNames() { Instance().next_.clear(); }
void FileDialog::setNonInteractive(bool on) { Instance().nonInteractive_ = on; }
int FileDialog::shownCount() { return Instance().shown_; }

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

std::string FileDialog::Run(const FileDialogRequest& r)
{
    ++shown_;
    if (!next_.empty()) {
        std::string path = next_.front();
        next_.pop_front();
        return path;
    }
    if (nonInteractive_)
        return {};
    QFileDialog dialog(parent_, Q(r.title));
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
