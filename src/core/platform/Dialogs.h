#pragma once
// Message boxes and file dialogs as the program's logic asks for them.  The GUI
// provides the real ones; tests queue answers so that nothing ever blocks.
#include <string>

namespace kalorina {

enum class MessageAnswer { Ok, Yes, No, Cancel };
enum class MessageKind { Warning, Information, Error, QuestionYesNo, QuestionYesNoCancel };

class MessageService {
public:
    virtual ~MessageService() = default;
    // Texts in code page 1250.
    virtual MessageAnswer Show(MessageKind kind, const std::string& title, const std::string& text) = 0;
};

struct FileDialogRequest {
    bool save = false;
    std::string title;
    std::string filter;           // "Caption (*.klp)|*.klp|..." pairs
    std::string defaultExtension; // without the dot
    std::string initialFile;
};

struct FileDialogChoice {
    std::string path; // empty when cancelled
    int filter = -1;  // the pair of the request's filter the user chose (from 0); -1 when not known
};

class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // The chosen path (code page 1250 is not used for paths: they are the system's bytes),
    // or empty when cancelled.
    virtual std::string Run(const FileDialogRequest& request) = 0;
    // The chosen path with the file type chosen beside it, for callers whose output
    // depends on that type.  A dialog that cannot tell the type answers -1.
    virtual FileDialogChoice Choose(const FileDialogRequest& request) { return {Run(request), -1}; }
};

} // namespace kalorina
