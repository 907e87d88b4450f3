#include "GuiTest.h"

#include <QAction>
#include <QApplication>
#include <QLocale>

#include "../core/TestLanguage.h"
#include "app/CircuitEditor.h"
#include "app/ProjectFiles.h"
#include "app/ProjectOptionsEditor.h"
#include "app/RoomEditor.h"
#include "lang/LanguageLoader.h"
#include "lang/TLanguages.h"
#include "platform/QtTranslations.h"
#include "report/PrintingOptions.h"

namespace kalorina::test {

MessageAnswer ScriptedMessages::Show(MessageKind kind, const std::string&, const std::string& text)
{
    shown.push_back(text);
    kinds.push_back(kind);
    if (!answers.empty()) {
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    if (kind == MessageKind::QuestionYesNo || kind == MessageKind::QuestionYesNoCancel) {
        ADD_FAILURE() << "unexpected question: " << text;
        return kind == MessageKind::QuestionYesNo ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    return MessageAnswer::Ok;
}

std::string ScriptedFiles::Run(const FileDialogRequest& request)
{
    return Choose(request).path;
}

FileDialogChoice ScriptedFiles::Choose(const FileDialogRequest& request)
{
    ++shown;
    requests.push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << request.title;
        return {};
    }
    FileDialogChoice choice{answers.front(), filters.empty() ? -1 : filters.front()};
    answers.pop_front();
    if (!filters.empty())
        filters.pop_front();
    return choice;
}

namespace {
// What the running program keeps between two openings of a window starts afresh
// for every test, as it does for a freshly started program.
void ForgetWhatWindowsRemember()
{
    RoomDialogState() = RoomDialogMemory{};
    CircuitDialogState() = CircuitDialogMemory{};
    ProjectOptionsDialogState() = FittingsTreeMemory{};
    ProcessPrintingOptions() = PrintingOptions{};
}
} // namespace

void GuiTest::SetUp()
{
    ForgetWhatWindowsRemember();
    auto store = std::make_unique<MemorySettingsStore>();
    store_ = store.get();
    SetSettingsStore(std::move(store));
    QLocale::setDefault(QLocale::c());
    Languages().Clear();
    watch_.setInterval(20);
    QObject::connect(&watch_, &QTimer::timeout, [this] { Watch(); });
    watch_.start();
}

void GuiTest::TearDown()
{
    watch_.stop();
    EXPECT_TRUE(messages.answers.empty()) << messages.answers.size() << " queued message answer(s) unused";
    EXPECT_TRUE(files.answers.empty()) << files.answers.size() << " queued file name(s) unused";
    EXPECT_TRUE(handlers_.empty()) << handlers_.size() << " modal dialog handler(s) unused";
    Languages().Clear();
    gui::UseQtTranslation({}); // Qt's own English for the next test
    SetSettingsStore(std::make_unique<MemorySettingsStore>());
    ForgetWhatWindowsRemember();
}

void GuiTest::UseLanguage(const std::map<std::string, std::string>& texts, const std::string& name)
{
    Languages().Clear();
    Languages().AddLanguage(MakeLanguage(name, texts));
    Languages().SelectLanguage(name);
    Languages().SelectPrintingLanguage(name);
}

void GuiTest::UseShippedLanguage(const std::string& name)
{
    Languages().Clear();
    LoadLanguages(Languages(), KALORINA_BINARY_DIR "/bin/languages");
    Languages().SelectLanguage(name);
    Languages().SelectPrintingLanguage(name);
    ASSERT_EQ(Languages().GetLanguageName(), name);
}

void GuiTest::TriggerAction(QWidget* window, const char* name)
{
    auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
    ASSERT_NE(action, nullptr) << "no action " << name;
    ASSERT_TRUE(action->isEnabled()) << name << " is disabled";
    action->trigger();
}

void GuiTest::OnModal(std::function<void(QDialog&)> handler, const char* objectName)
{
    handlers_.push_back({std::move(handler), objectName ? objectName : ""});
}

TProject GuiTest::SaveAndReadBack(QWidget* mainWindow, const std::string& path)
{
    files.Answer(path);
    TriggerAction(mainWindow, "FileSave");
    TProject shown;
    ReadProjectFile(path, shown);
    shown.RecountAssignedSurfaces();
    shown.ComputeTotals();
    return shown;
}

void GuiTest::SavePicture(QWidget* widget, const char* fileName)
{
    const QImage picture = widget->grab().toImage();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(QString::fromLatin1(KALORINA_BINARY_DIR "/") + QString::fromLatin1(fileName)));
}

void GuiTest::Watch()
{
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        waiting_ = nullptr;
        return;
    }
    bool seen = false;
    for (const auto& d : handled_)
        seen = seen || d == dialog;
    if (!seen && !handlers_.empty()) {
        Handler h = std::move(handlers_.front());
        handlers_.pop_front();
        handled_.emplace_back(dialog);
        if (!h.objectName.empty()) {
            EXPECT_EQ(dialog->objectName().toStdString(), h.objectName);
        }
        // Run outside this timer's slot so that dialogs the handler opens are watched too.
        QPointer<QDialog> target(dialog);
        QTimer::singleShot(0, [this, target, run = std::move(h.run)] {
            if (!target)
                return;
            ++running_;
            run(*target);
            --running_;
            if (target && target->isVisible() && QApplication::activeModalWidget() == target) {
                ADD_FAILURE() << "the handler left " << target->objectName().toStdString() << " open";
                target->reject();
            }
        });
        return;
    }
    if (waiting_ != dialog) {
        waiting_ = dialog;
        waitingSince_.start();
        return;
    }
    if (waitingSince_.elapsed() > modalWaitMs) {
        ADD_FAILURE() << "modal dialog " << dialog->objectName().toStdString() << " was not handled";
        waiting_ = nullptr;
        dialog->reject();
    }
}

} // namespace kalorina::test
