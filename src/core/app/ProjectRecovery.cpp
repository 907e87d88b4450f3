#include "app/ProjectRecovery.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/FileErrors.h"
#include "app/ProjectFiles.h"
#include "document/Stream.h"
#include "lang/BuiltInTexts.h"
#include "util/Error.h"

namespace kalorina {

namespace fs = std::filesystem;

namespace {
constexpr std::string_view kHeader = "Kalorina recovery 1\n";
constexpr std::string_view kPrefix = "recovery-";
constexpr std::string_view kExtension = ".klr";

// The start time of a running process, from the kernel's process table.
std::optional<unsigned long long> StartTime(long pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    if (!std::getline(in, stat))
        return std::nullopt;
    // The command name in parentheses may hold blanks and parentheses itself; the
    // fields after the last ')' are the state (field 3) and on to the start (22).
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    for (int i = 3; i < 22; ++i)
        if (!(fields >> field))
            return std::nullopt;
    unsigned long long start = 0;
    if (!(fields >> start))
        return std::nullopt;
    return start;
}

bool AllDigits(std::string_view s)
{
    return !s.empty() && s.size() <= 20 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The program a recovery file's name belongs to: "recovery-PID-START.klr", or
// "recovery-PID-START-N.klr" for a file that program took over from a dead one.
std::optional<ProcessIdentity> FileOwner(const std::string& name)
{
    if (name.size() <= kPrefix.size() + kExtension.size() || name.compare(0, kPrefix.size(), kPrefix) != 0
        || name.compare(name.size() - kExtension.size(), kExtension.size(), kExtension) != 0)
        return std::nullopt;
    std::string_view rest(name);
    rest = rest.substr(kPrefix.size(), rest.size() - kPrefix.size() - kExtension.size());
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const std::size_t dash = rest.find('-', at);
        parts.push_back(rest.substr(at, dash == std::string_view::npos ? std::string_view::npos : dash - at));
        if (dash == std::string_view::npos)
            break;
        at = dash + 1;
    }
    if (parts.size() < 2 || parts.size() > 3 || !std::all_of(parts.begin(), parts.end(), AllDigits))
        return std::nullopt;
    ProcessIdentity owner;
    owner.pid = std::stol(std::string(parts[0]));
    owner.start = std::stoull(std::string(parts[1]));
    return owner;
}

std::string OwnName(const ProcessIdentity& owner)
{
    return std::string(kPrefix) + std::to_string(owner.pid) + "-" + std::to_string(owner.start);
}

[[noreturn]] void Damaged()
{
    throw KalorinaError(TextOrBuiltIn("IDS_DAMAGEDFILE"));
}
} // namespace

std::string RecoveryFolder(const char* xdgStateHome, const char* home)
{
    if (xdgStateHome && xdgStateHome[0] == '/')
        return (fs::path(xdgStateHome) / "Kalorina").string();
    if (home && home[0] != '\0')
        return (fs::path(home) / ".local" / "state" / "Kalorina").string();
    return {};
}

std::string RecoveryFolder()
{
    return RecoveryFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

ProcessIdentity ThisProcess()
{
    ProcessIdentity me;
    me.pid = static_cast<long>(::getpid());
    me.start = StartTime(me.pid).value_or(0);
    return me;
}

bool IsRunning(const ProcessIdentity& process)
{
    if (process.pid <= 0)
        return false;
    if (const auto start = StartTime(process.pid))
        return *start == process.start;
    // Without the process table only the id can be asked about.
    return ::kill(static_cast<pid_t>(process.pid), 0) == 0 || errno == EPERM;
}

ProjectRecovery::ProjectRecovery(std::string folder, ProcessIdentity owner) : folder_(std::move(folder)), owner_(owner)
{
}

std::string ProjectRecovery::Path() const
{
    return (fs::path(folder_) / (OwnName(owner_) + std::string(kExtension))).string();
}

std::string RecoveryFileBytes(const TProject& project)
{
    TMemoryStream stream;
    project.WriteToStream(stream);
    std::string bytes(kHeader);
    bytes += std::to_string(project.fileName.size()) + "\n" + project.fileName + "\n";
    bytes += stream.Data();
    return bytes;
}

void ProjectRecovery::Write(const TProject& project) const
{
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (ec)
        RaiseFileError("IDS_CANNOTWRITEFILE", Path(), ec.value());
    WriteFileAtomically(Path(), RecoveryFileBytes(project));
}

void ProjectRecovery::Remove() const
{
    ::unlink(Path().c_str());
}

std::vector<std::string> ProjectRecovery::LeftBehind() const
{
    std::vector<std::pair<fs::file_time_type, std::string>> found;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const auto owner = FileOwner(name);
        if (!owner || IsRunning(*owner) || !it->is_regular_file(ec))
            continue;
        std::error_code timeError;
        found.emplace_back(fs::last_write_time(it->path(), timeError), it->path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& f : found)
        paths.push_back(std::move(f.second));
    return paths;
}

std::optional<std::string> ProjectRecovery::Claim(const std::string& path) const
{
    std::string target;
    for (int n = 1;; ++n) {
        target = (fs::path(folder_) / (OwnName(owner_) + "-" + std::to_string(n) + std::string(kExtension))).string();
        std::error_code ec;
        if (!fs::exists(target, ec))
            break;
    }
    if (std::rename(path.c_str(), target.c_str()) == 0)
        return target;
    // Gone: another program took it.  Kept where it is otherwise (a folder this
    // program cannot write): it is still offered.
    if (errno == ENOENT)
        return std::nullopt;
    return path;
}

void ProjectRecovery::Adopt(const std::string& path) const
{
    if (path != Path())
        std::rename(path.c_str(), Path().c_str());
}

std::string ReadRecoveryFile(const std::string& path, TProject& project)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        RaiseFileError("IDS_CANNOTOPENFILE", path, errno);
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        RaiseFileError("IDS_CANNOTREADFILE", path, errno);
    const std::string bytes = ss.str();
    if (bytes.compare(0, kHeader.size(), kHeader) != 0)
        Damaged();
    const std::size_t lengthEnd = bytes.find('\n', kHeader.size());
    if (lengthEnd == std::string::npos)
        Damaged();
    const std::string length = bytes.substr(kHeader.size(), lengthEnd - kHeader.size());
    if (!AllDigits(length) || length.size() > 6)
        Damaged();
    const std::size_t nameSize = std::stoul(length);
    const std::size_t nameEnd = lengthEnd + 1 + nameSize;
    if (nameEnd >= bytes.size() || bytes[nameEnd] != '\n')
        Damaged();
    TMemoryStream stream(bytes.substr(nameEnd + 1));
    project.ReadFromStream(stream);
    return bytes.substr(lengthEnd + 1, nameSize);
}

std::string PutRecoveryFileAside(const std::string& path)
{
    for (int n = 1; n < 1000; ++n) {
        const std::string target = n == 1 ? path + ".damaged" : path + "." + std::to_string(n) + ".damaged";
        std::error_code ec;
        if (fs::exists(target, ec))
            continue;
        return std::rename(path.c_str(), target.c_str()) == 0 ? target : path;
    }
    return path;
}

void DiscardRecoveryFile(const std::string& path)
{
    ::unlink(path.c_str());
}

} // namespace kalorina
