#include "app/MainController.h"

#include <cstdio>
#include <filesystem>

#include "app/CircuitEditor.h"
#include "app/DesignRules.h"
#include "app/ItemClipboard.h"
#include "app/ItemReferences.h"
#include "app/ManifoldEditor.h"
#include "app/ProjectFiles.h"
#include "app/ProjectOptionsEditor.h"
#include "app/ProjectRecovery.h"
#include "app/RoomEditor.h"
#include "document/StoredRanges.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "layout/Layout.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
std::string Title()
{
    return Languages().GetText("IDS_PROGRAMTITLE");
}

} // namespace

MainController::MainController(MessageService& messages, FileDialogService& files) : messages_(messages), files_(files)
{
}

void MainController::LoadCatalogue(const std::string& dataDir, const std::string& catalogueLanguage)
{
    devices_ = std::make_unique<TDevices>(dataDir, catalogueLanguage);
    dataDir_ = dataDir;
    catalogueLanguage_ = catalogueLanguage;
    catalogueFailed = devices_->Failed();
    defaultValveName = devices_->DefaultValveName();
}

bool MainController::FollowCatalogueLanguage(const std::string& catalogueLanguage)
{
    if (catalogueLanguage == catalogueLanguage_ || dataDir_.empty())
        return false;
    // Items keep their names in every language, so the project's references and the
    // default valve stay valid; only the texts around them change.
    LoadCatalogue(dataDir_, catalogueLanguage);
    RoomDialogMemory& room = RoomDialogState();
    room.savedSystemsTree.reset();
    room.savedExpanded.clear();
    for (FittingsTreeMemory* fittings : {&ProjectOptionsDialogState(), &CircuitDialogState().fittingsTree}) {
        fittings->savedTree.reset();
        fittings->savedExpanded.clear();
    }
    if (catalogueFailed) {
        std::string text = Languages().GetText("IDS_XMLERROR");
        if (!devices_->FailureMessage().empty())
            text += "\n\n" + devices_->FailureMessage();
        Warn(text);
    }
    return true;
}

std::string MainController::CalculationLockedText() const
{
    std::string text = TextOrBuiltIn("IDS_CALCULATIONLOCKED");
    if (devices_ && !devices_->FailureMessage().empty())
        text += "\n\n" + devices_->FailureMessage();
    return text;
}

bool MainController::RefusedWhileLocked()
{
    if (!CalculationLocked())
        return false;
    Warn(CalculationLockedText());
    return true;
}

bool MainController::RefusedForImplausibleValues()
{
    const std::vector<ImplausibleStoredValue> values = FindImplausibleValues(project_);
    if (values.empty())
        return false;
    std::string text = TextOrBuiltIn("IDS_IMPLAUSIBLEREFUSED");
    for (const ImplausibleStoredValue& v : values)
        text += "\n" + ImplausibleValueLine(v);
    Warn(text);
    return true;
}

NewProjectDefaults MainController::MakeDefaults() const
{
    NewProjectDefaults d;
    d.designerLines = programOptions_.designerLines;
    if (programOptions_.dateNewProjects && shortDate)
        d.projectDate = shortDate();
    d.defaultValveName = defaultValveName;
    // The built-in water's properties belong to about 80 degrees; a catalogue water
    // that follows the temperature gives new projects the right viscosity.
    const std::string medium = devices_->DefaultMediumName();
    if (!medium.empty()) {
        TMedium m = TProjektOptions().medium;
        m.mediumName = medium;
        m.UpdateProperties(*devices_);
        d.medium = m;
    }
    return d;
}

void MainController::NewProject()
{
    project_ = TProject(MakeDefaults());
    history_.Clear();
}

StepLabel MainController::StepName(const char* id, const std::string& item)
{
    return StepLabel::Of(id, {item});
}

std::string MainController::NewRoom()
{
    std::string name;
    Change(StepLabel::Of("IDS_STEPNEWROOM"), [&](TProject& p) { name = p.AddNewRoom(); });
    return name;
}

std::string MainController::NewRound(int manifold)
{
    std::string name;
    Change(StepLabel::Of("IDS_STEPNEWROUND"), [&](TProject& p) { name = p.AddNewRound(manifold); });
    return name;
}

std::string MainController::NewManifold()
{
    std::string name;
    Change(StepLabel::Of("IDS_STEPNEWMANIFOLD"), [&](TProject& p) { name = p.AddNewManifold(); });
    return name;
}

bool MainController::MoveRound(const std::string& round, int manifold)
{
    const int index = project_.FindItem(round, false);
    if (index < 0 || manifold < 0 || std::size_t(manifold) >= project_.manifolds.size()
        || project_.rounds[index].manifold == manifold)
        return false;
    return Change(StepName("IDS_STEPMOVEROUND", round), [&](TProject& p) {
        p.rounds[index].manifold = manifold;
        p.modified = true;
    });
}

bool MainController::EditManifold(const std::string& name, const std::function<bool(ManifoldEditor&)>& dialog)
{
    const int index = project_.FindManifold(name);
    if (index < 0)
        return false;
    ManifoldEditor editor(project_, index);
    if (!dialog(editor))
        return false;
    return Change(StepName("IDS_STEPMODIFY", name), [&](TProject& p) { p.manifolds[index] = editor.Manifold(); });
}

bool MainController::Design(std::optional<int> manifold, const std::function<bool(const DesignOutcome&)>& dialog)
{
    if (RefusedWhileLocked() || RefusedForImplausibleValues())
        return false;
    DesignOutcome outcome = DesignManifolds(project_, *devices_, manifold);
    bool anything = false;
    for (const ManifoldDesignResult& m : outcome.manifolds)
        anything = anything || m.designed;
    if (!anything) {
        std::vector<std::string> warnings;
        for (const ManifoldDesignResult& m : outcome.manifolds)
            for (const std::string& w : m.warnings)
                warnings.push_back((outcome.manifolds.size() > 1 ? m.name + ": " : std::string()) + w);
        if (warnings.empty())
            warnings.push_back(TextOrBuiltIn("IDS_DESIGNNOTHING"));
        WarnFailures(warnings);
        return false;
    }
    if (!dialog(outcome))
        return false;
    return Change(StepLabel::Of("IDS_STEPDESIGN"), [&](TProject& p) {
        // The file it belongs to stays the project's, whatever the copy says.
        const std::string fileName = p.fileName;
        p = std::move(outcome.project);
        p.fileName = fileName;
        p.modified = true;
    });
}

bool MainController::LayTubes(LayScope scope, int index)
{
    if (RefusedWhileLocked() || RefusedForImplausibleValues())
        return false;
    std::vector<int> rounds;
    if (scope == LayScope::Manifold)
        rounds = project_.ManifoldRounds(index);
    else if (scope == LayScope::Room)
        rounds = RoundsOfRoom(project_, index);
    else
        for (std::size_t r = 0; r < project_.rounds.size(); ++r)
            rounds.push_back(int(r));
    if (rounds.empty()) {
        Warn(TextOrBuiltIn("IDS_LAYOUTNOTHING"));
        return false;
    }
    LayoutOutcome outcome;
    bool changed = false;
    try {
        changed = Change(StepLabel::Of("IDS_STEPLAYTUBES"),
                         [&](TProject& p) { outcome = LayCircuits(p, *devices_, rounds); });
    } catch (const KalorinaError& e) {
        Warn(e.what());
        return false;
    }
    std::vector<std::string> warnings;
    std::vector<std::pair<std::string, int>> tooLong;
    for (const LaidCircuit& c : outcome.circuits) {
        if (c.splitInto > 1)
            tooLong.push_back({c.name, c.splitInto});
        else
            warnings.insert(warnings.end(), c.warnings.begin(), c.warnings.end());
        warnings.insert(warnings.end(), c.notes.begin(), c.notes.end());
    }
    WarnFailures(warnings);
    if (tooLong.empty())
        return changed;
    std::string list;
    for (const LaidCircuit& c : outcome.circuits)
        if (c.splitInto > 1)
            for (const std::string& w : c.warnings)
                list += "\n" + w;
    const std::string question =
        TextOrBuiltIn("IDS_LAYOUTTOOLONGHEADER") + list + "\n\n" + TextOrBuiltIn("IDS_LAYOUTSPLITQUESTION");
    if (messages_.Show(MessageKind::QuestionYesNo, Title(), question) != MessageAnswer::Yes)
        return changed;
    std::vector<std::string> failures;
    try {
        changed = Change(StepLabel::Of("IDS_STEPSPLITCIRCUITS"),
                         [&](TProject& p) {
                             std::vector<std::string> names;
                             // From the back, so that the places of those still to split hold.
                             for (auto it = tooLong.rbegin(); it != tooLong.rend(); ++it) {
                                 const int at = p.FindItem(it->first, false);
                                 for (const std::string& n : SplitCircuit(p, *devices_, at, it->second))
                                     names.push_back(n);
                             }
                             std::vector<int> places;
                             for (const std::string& n : names)
                                 places.push_back(p.FindItem(n, false));
                             failures = LayCircuits(p, *devices_, places).Warnings();
                         })
            || changed;
    } catch (const KalorinaError& e) {
        Warn(e.what());
        return changed;
    }
    WarnFailures(failures);
    return changed;
}

void MainController::Warn(const std::string& text)
{
    messages_.Show(MessageKind::Warning, Title(), text);
}

bool MainController::QuerySave()
{
    if (!project_.modified)
        return true;
    switch (messages_.Show(MessageKind::QuestionYesNoCancel, Title(), Languages().GetText("IDS_SAVEQUESTION"))) {
    case MessageAnswer::No:
        return true;
    case MessageAnswer::Yes:
        SaveProject(false);
        return !project_.modified;
    default:
        return false;
    }
}

bool MainController::SaveProject(bool saveAs)
{
    if (saveAs || project_.fileName.empty()) {
        FileDialogRequest r;
        r.save = true;
        r.filter = saveFilter;
        r.defaultExtension = "klp";
        r.initialFile = project_.fileName;
        std::string chosen = files_.Run(r);
        if (chosen.empty())
            return false;
        project_.fileName = chosen;
    }
    bool written = false;
    try {
        WriteProjectFile(project_.fileName, project_);
        history_.SetClean();
        written = true;
        recent.Add(project_.fileName);
    } catch (const std::exception& e) {
        Warn(e.what());
    }
    if (afterSave)
        afterSave();
    return written;
}

bool MainController::OpenFile(const std::string& path)
{
    // A file's own project data replace everything; a file without them opens with
    // empty project data, not the designer and date of a new project.
    NewProjectDefaults readDefaults;
    readDefaults.defaultValveName = defaultValveName;
    TProject fresh(readDefaults);
    try {
        ReadProjectFile(path, fresh);
    } catch (const std::exception& e) {
        Warn(e.what());
        return false;
    }
    fresh.fileName = path;
    fresh.modified = false;
    const std::vector<std::string> broken = BrokenReferences(fresh);
    project_ = std::move(fresh);
    history_.Clear();
    recent.Add(path);
    if (!broken.empty()) {
        std::string lines;
        for (const std::string& line : broken)
            lines += "\n" + line;
        Warn(FormatText(Languages().GetText("IDS_BROKENREFERENCES"), {lines}));
    }
    return true;
}

MainController::OpenResult MainController::OpenNamed(const std::string& path)
{
    if (!QuerySave())
        return OpenResult::Cancelled;
    if (OpenFile(path))
        return OpenResult::Opened;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        recent.Remove(path);
    return OpenResult::Failed;
}

MainController::OpenResult MainController::OpenProject()
{
    if (!QuerySave())
        return OpenResult::Cancelled;
    FileDialogRequest r;
    r.filter = openFilter;
    r.defaultExtension = "klp";
    std::string chosen = files_.Run(r);
    if (chosen.empty())
        return OpenResult::Cancelled;
    return OpenFile(chosen) ? OpenResult::Opened : OpenResult::Failed;
}

bool MainController::FileNew()
{
    if (!QuerySave())
        return false;
    NewProject();
    return true;
}

TProject MainController::ReadRecovered(const std::string& path, std::string& fileName) const
{
    NewProjectDefaults readDefaults;
    readDefaults.defaultValveName = defaultValveName;
    TProject project(readDefaults);
    fileName = ReadRecoveryFile(path, project);
    return project;
}

void MainController::RestoreRecovered(TProject project, const std::string& fileName)
{
    project.fileName = fileName;
    project_ = std::move(project);
    history_.Clear();
    history_.SetUnsaved();
}

std::string MainController::WindowTitle() const
{
    return Title() + " - ";
}

TreeContent MainController::FillTree() const
{
    TreeContent t;
    t.groups[0].text = Languages().GetText("IDS_ROOMGROUP");
    t.groups[1].text = Languages().GetText("IDS_ROUNDGROUP");
    for (const auto& r : project_.rooms)
        t.groups[0].children.push_back(r.roomName);
    for (const auto& r : project_.rounds)
        t.groups[1].children.push_back(r.roundName);
    for (std::size_t m = 0; m < project_.manifolds.size(); ++m) {
        TreeContent::Manifold node{project_.manifolds[m].name, {}};
        for (int r : project_.ManifoldRounds(static_cast<int>(m)))
            node.rounds.push_back(project_.rounds[r].roundName);
        t.manifolds.push_back(std::move(node));
    }
    return t;
}

CommandStates MainController::UpdateCommandStates(bool itemSelected, bool clipboardHasItem) const
{
    CommandStates s;
    s.fileSave = project_.modified;
    s.editCut = s.editCopy = s.modifyItem = s.renameItem = s.deleteItem = itemSelected;
    s.editPaste = clipboardHasItem;
    s.print = !project_.rooms.empty() || !project_.rounds.empty();
    s.design = !project_.rounds.empty();
    if (CalculationLocked())
        s.modifyItem = s.design = s.projectOptions = false;
    return s;
}

std::array<std::string, 6> MainController::ShowTotals(char sep)
{
    project_.ComputeTotals();
    const TProject& p = project_;
    float values[6] = {p.heatingLoss, p.surfaceSum, p.fieldPowers, p.roundPowers, p.tubeLengths, p.remainderSurfaceSum};
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i)
        texts[i] = FloatToStrF(values[i], TFloatFormat::General, 5, 0, sep);
    return texts;
}

bool MainController::DeleteItem(ItemGroup group, const std::string& name)
{
    if (group == ItemGroup::Manifolds) {
        const int index = project_.FindManifold(name);
        if (index < 0)
            return false;
        const std::string count = std::to_string(project_.ManifoldRounds(index).size());
        const std::string question = FormatText(TextOrBuiltIn("IDS_DELETEMANIFOLDQUESTION"), {name, count});
        if (messages_.Show(MessageKind::QuestionYesNo, Title(), question) != MessageAnswer::Yes)
            return false;
        Change(StepName("IDS_STEPDELETE", name), [&](TProject& p) { p.DeleteManifold(index); });
        return true;
    }
    bool isRoom = group == ItemGroup::Rooms;
    // The question texts carry one %s for the item's name.
    std::string question =
        FormatText(Languages().GetText(isRoom ? "IDS_DELETEROOMQUESTION" : "IDS_DELETEROUNDQUESTION"), {name});
    if (isRoom) {
        const int index = project_.FindItem(name, true);
        if (!MayDeleteRoom(index, question))
            return false;
        std::vector<std::string> failures;
        Change(StepName("IDS_STEPDELETE", name),
               [&](TProject& p) { failures = DeleteRoomWithParts(p, *devices_, index); });
        WarnFailures(failures);
        return true;
    }
    if (messages_.Show(MessageKind::QuestionYesNo, Title(), question) != MessageAnswer::Yes)
        return false;
    Change(StepName("IDS_STEPDELETE", name), [&](TProject& p) { p.DeleteItem(p.FindItem(name, isRoom), isRoom); });
    return true;
}

bool MainController::MayDeleteRoom(int index, const std::optional<std::string>& plain)
{
    // Its circuits would be recalculated without the parts it held.
    if (index >= 0 && index < static_cast<int>(project_.rooms.size())
        && !RoundsUsingRoom(project_, project_.rooms[index].roomId).empty() && RefusedWhileLocked())
        return false;
    std::optional<std::string> text = plain;
    if (index >= 0 && index < static_cast<int>(project_.rooms.size())) {
        const TRoomItem& room = project_.rooms[index];
        const std::vector<std::string> users = RoundsUsingRoom(project_, room.roomId);
        if (!users.empty())
            text = FormatText(Languages().GetText("IDS_DELETEUSEDROOMQUESTION"), {room.roomName, NameList(users)});
    }
    return !text || messages_.Show(MessageKind::QuestionYesNo, Title(), *text) == MessageAnswer::Yes;
}

void MainController::WarnFailures(const std::vector<std::string>& failures)
{
    if (!failures.empty()) {
        std::string text;
        for (const std::string& failure : failures)
            text += (text.empty() ? "" : "\n") + failure;
        Warn(text);
    }
}

bool MainController::EditItem(ItemGroup group, const std::string& name, const ItemDialogs& dialogs)
{
    if (RefusedWhileLocked())
        return false;
    const bool isRoom = group == ItemGroup::Rooms;
    std::vector<std::string> failures;
    bool changed = false;
    Change(StepName("IDS_STEPMODIFY", name), [&](TProject& p) {
        changed = kalorina::EditItem(p, *devices_, p.FindItem(name, isRoom), isRoom, dialogs, &failures);
    });
    WarnFailures(failures);
    return changed;
}

bool MainController::ConfirmRoomEdit(const TRoomItem& edited)
{
    const TRoomItem* stored = project_.FindRoomById(edited.roomId);
    if (!stored)
        return true;
    const std::vector<int> removed = RemovedFieldIds(*stored, edited);
    const std::vector<std::string> users = RoundsUsingRoom(project_, stored->roomId, &removed);
    if (users.empty())
        return true;
    const std::string question = FormatText(Languages().GetText("IDS_DELETEUSEDFIELDSQUESTION"), {NameList(users)});
    return messages_.Show(MessageKind::QuestionYesNo, Title(), question) == MessageAnswer::Yes;
}

bool MainController::CopyItem(ClipboardService& clipboard, ItemGroup group, const std::string& name)
{
    if (group == ItemGroup::Manifolds)
        return CopyManifoldToClipboard(project_, name, clipboard);
    return CopyItemToClipboard(project_, name, group == ItemGroup::Rooms, clipboard);
}

bool MainController::CutItem(ClipboardService& clipboard, ItemGroup group, const std::string& name)
{
    if (group == ItemGroup::Manifolds) {
        // Its circuits go with it and come back with it on paste.
        const int index = project_.FindManifold(name);
        if (!CopyManifoldToClipboard(project_, name, clipboard))
            return false;
        Change(StepName("IDS_STEPCUT", name), [&](TProject& p) { p.DeleteManifold(index); });
        return true;
    }
    bool isRoom = group == ItemGroup::Rooms;
    const int index = project_.FindItem(name, isRoom);
    // A room that circuits use is cut only when the user agrees to lose those parts.
    if (isRoom && !MayDeleteRoom(index, std::nullopt))
        return false;
    if (!CopyItemToClipboard(project_, name, isRoom, clipboard))
        return false;
    std::vector<std::string> failures;
    Change(StepName("IDS_STEPCUT", name), [&](TProject& p) {
        if (isRoom)
            failures = DeleteRoomWithParts(p, *devices_, index);
        else
            p.DeleteItem(index, isRoom);
    });
    WarnFailures(failures);
    return true;
}

std::optional<std::pair<ItemGroup, std::string>> MainController::PasteItem(const ClipboardService& clipboard,
                                                                           int manifold)
{
    try {
        PasteResult r;
        // A refused item changes nothing, so no step is recorded for it.
        Change(StepLabel::Of("IDS_STEPPASTE"),
               [&](TProject& p) { r = PasteItemFromClipboard(p, clipboard, manifold); });
        if (r.pasted)
            return std::make_pair(r.isManifold   ? ItemGroup::Manifolds
                                      : r.isRoom ? ItemGroup::Rooms
                                                 : ItemGroup::Rounds,
                                  r.name);
    } catch (const KalorinaError& e) {
        Warn(e.what());
    }
    return std::nullopt;
}

bool MainController::RenameItem(ItemGroup group, const std::string& oldName, const std::string& newName)
{
    if (newName == oldName)
        return true;
    if (group == ItemGroup::Manifolds) {
        const int index = project_.FindManifold(oldName);
        try {
            CheckManifoldName(project_, index, newName);
        } catch (const KalorinaError& e) {
            Warn(e.what());
            return false;
        }
        Change(StepName("IDS_STEPRENAME", oldName), [&](TProject& p) { p.manifolds.at(index).name = newName; });
        return true;
    }
    const bool isRoom = group == ItemGroup::Rooms;
    const int index = project_.FindItem(oldName, isRoom);
    try {
        CheckItemName(project_, isRoom, index, newName);
    } catch (const KalorinaError& e) {
        Warn(e.what());
        return false;
    }
    Change(StepName("IDS_STEPRENAME", oldName), [&](TProject& p) { p.RenameItem(index, isRoom, newName); });
    return true;
}

} // namespace kalorina
