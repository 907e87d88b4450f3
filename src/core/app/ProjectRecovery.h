#pragma once
// Unsaved work kept safe while the program runs: after changes the open project is
// written to a recovery file of this program's own in the user's state folder, and
// removed again once the work is saved or given up.  A file left behind by a program
// that was killed (or by a power cut) is offered at the next start.
//
// A recovery file is named for the program that writes it, by its process id and
// the time the process started ("recovery-PID-START.klr"), so that two programs
// running at once each keep their own file, and a later program that happens to get
// the same process id does not take a dead one's file for its own.  It holds a
// header line, the name of the project file the work belongs to (the system's name,
// as the project keeps it; empty for a project never saved) and the project as its
// file would hold it.
#include <optional>
#include <string>
#include <vector>

#include "document/TProject.h"

namespace kalorina {

// The folder of the recovery files: "$XDG_STATE_HOME/Kalorina", else
// "$HOME/.local/state/Kalorina".  A relative XDG_STATE_HOME is ignored, as the
// base directory rules ask.  Empty when neither names a folder.
std::string RecoveryFolder(const char* xdgStateHome, const char* home);
std::string RecoveryFolder(); // from the environment

// A running program, told apart from any later one with the same process id.
struct ProcessIdentity {
    long pid = 0;
    unsigned long long start = 0; // clock ticks after boot at which it started
    bool operator==(const ProcessIdentity&) const = default;
};
ProcessIdentity ThisProcess();
// Whether the program is still running (the same process, not one with its id).
bool IsRunning(const ProcessIdentity& process);

class ProjectRecovery {
public:
    ProjectRecovery(std::string folder, ProcessIdentity owner = ThisProcess());

    const std::string& Folder() const { return folder_; }
    // This program's own recovery file.
    std::string Path() const;
    // Writes the project atomically (creating the folder), with the name of its
    // file.  Raises a KalorinaError naming the recovery file.
    void Write(const TProject& project) const;
    // Removes this program's file; nothing when there is none.
    void Remove() const;

    // The recovery files whose programs are no longer running, oldest first.
    std::vector<std::string> LeftBehind() const;
    // Takes a left-behind file for this program by renaming it to a name of its
    // own, so that a second program starting at the same time cannot offer it too.
    // Answers the new path, or nothing when another program took it first.
    std::optional<std::string> Claim(const std::string& path) const;
    // Makes a claimed file this program's own (its work was restored and is the
    // open project now).
    void Adopt(const std::string& path) const;

private:
    std::string folder_;
    ProcessIdentity owner_;
};

// Reads a recovery file into `project` and answers the name of the project file
// the work belongs to.  A file that is not a complete recovery file raises a
// KalorinaError with the reason.
std::string ReadRecoveryFile(const std::string& path, TProject& project);
// The bytes of a recovery file (for tests and the writer).
std::string RecoveryFileBytes(const TProject& project);
// Keeps a damaged file aside, never deleting it: renames it to "NAME.damaged" (with
// a number where that exists already) and answers the new path; the old path when
// the rename failed.
std::string PutRecoveryFileAside(const std::string& path);
// Deletes a recovery file the user chose not to restore.
void DiscardRecoveryFile(const std::string& path);

} // namespace kalorina
