#pragma once
// The base of every GUI test: a fresh settings store and languages per test,
// scripted message boxes and file dialogs (each queued answer must be used by the
// end of the test), a recorder of opened documents, actions triggered only when
// enabled, and modal dialogs handled by queued handlers — a dialog nobody handles is
// closed after a bounded wait and fails the test instead of blocking it.
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

#include "document/TProject.h"
#include "platform/Clipboard.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"

namespace kalorina::test {

class ScriptedMessages : public MessageService {
public:
    MessageAnswer Show(MessageKind kind, const std::string& title, const std::string& text) override;
    // The answer of the next box.  A warning without a queued answer is answered OK;
    // a question without one fails the test.
    void Answer(MessageAnswer answer) { answers.push_back(answer); }
    std::string LastText() const { return shown.empty() ? std::string() : shown.back(); }

    std::deque<MessageAnswer> answers;
    std::vector<std::string> shown; // code page 1250
    std::vector<MessageKind> kinds;
};

class ScriptedFiles : public FileDialogService {
public:
    // The next dialog answers this path (empty = cancelled) and, to callers that ask,
    // the file type `filter` (index of the filter's pairs, -1 unknown); an unexpected
    // dialog fails.
    std::string Run(const FileDialogRequest& request) override;
    FileDialogChoice Choose(const FileDialogRequest& request) override;
    void Answer(const std::string& path, int filter = -1)
    {
        answers.push_back(path);
        filters.push_back(filter);
    }
    std::deque<std::string> answers;
    std::deque<int> filters;
    std::vector<FileDialogRequest> requests;
    int shown = 0;
};

class RecordingDocuments : public DocumentService {
public:
    bool Open(const std::string& link) override
    {
        opened.push_back(link);
        return true;
    }
    std::vector<std::string> opened;
};

class GuiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    gui::Services Services() { return {&messages, &files, &clipboard, &documents}; }
    MemorySettingsStore& Store() { return *store_; }

    // Languages: built in memory, or the shipped ones packed by the build.
    void UseLanguage(const std::map<std::string, std::string>& texts, const std::string& name = "Magyar");
    void UseShippedLanguage(const std::string& name);

    // Triggers the named action of `window`, which must exist and be enabled.
    static void TriggerAction(QWidget* window, const char* name);
    // Handles the next modal dialog once it is open.  The handler must close it
    // (accept or reject); `objectName`, when given, must be the dialog's name.
    void OnModal(std::function<void(QDialog&)> handler, const char* objectName = nullptr);
    // Saves a picture of `widget` as `fileName` in the build folder for review.
    static void SavePicture(QWidget* widget, const char* fileName);
    // Saves the main window's project to `path` through its File/Save command and
    // reads the file back the way the command line does: surfaces recounted, totals computed.
    TProject SaveAndReadBack(QWidget* mainWindow, const std::string& path);

    // How long an unhandled modal dialog may stay open before it fails the test.
    int modalWaitMs = 3000;

    ScriptedMessages messages;
    ScriptedFiles files;
    MemoryClipboard clipboard;
    RecordingDocuments documents;

private:
    void Watch();

    struct Handler {
        std::function<void(QDialog&)> run;
        std::string objectName;
    };
    MemorySettingsStore* store_ = nullptr;
    std::deque<Handler> handlers_;
    QTimer watch_;
    QPointer<QDialog> waiting_;
    QElapsedTimer waitingSince_;
    std::vector<QPointer<QDialog>> handled_;
    int running_ = 0;
};

} // namespace kalorina::test
