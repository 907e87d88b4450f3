#include "platform/Services.h"

#include <QDesktopServices>
#include <QUrl>

#include "lang/TLanguages.h"
#include "platform/FileDialog.h"
#include "platform/MessageBox.h"
#include "platform/QtClipboard.h"
#include "platform/QtText.h"

namespace kalorina::gui {

namespace {

class QtDocuments : public DocumentService {
public:
    bool Open(const std::string& link) override
    {
        const QString text = Q(link).trimmed();
        QUrl url = QUrl::fromUserInput(text);
        return url.isValid() && QDesktopServices::openUrl(url);
    }
};

} // namespace

Services SystemServices()
{
    static QtMessageBox messages;
    static QtFileDialog files;
    static QtClipboard clipboard;
    static QtDocuments documents;
    return Services{&messages, &files, &clipboard, &documents};
}

void ShowFailure(const Services& services, const std::string& text)
{
    services.messages->Show(MessageKind::Warning, Languages().GetText("IDS_PROGRAMTITLE"), text);
}

bool AskYesNo(const Services& services, const std::string& text)
{
    return services.messages->Show(MessageKind::QuestionYesNo, Languages().GetText("IDS_PROGRAMTITLE"), text)
        == MessageAnswer::Yes;
}

} // namespace kalorina::gui
