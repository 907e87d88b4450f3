#include "app/ProjectFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "app/FileErrors.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

void ReadProjectFile(const std::string& path, TProject& project)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        RaiseFileError("IDS_CANNOTOPENFILE", path, errno);
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        RaiseFileError("IDS_CANNOTREADFILE", path, errno);
    TMemoryStream stream(ss.str());
    project.ReadFromStream(stream);
}

void WriteProjectFile(const std::string& path, const TProject& project)
{
    TMemoryStream stream;
    project.WriteToStream(stream);
    WriteFileAtomically(path, stream.Data());
}

namespace {

namespace fs = std::filesystem;

// The file a path finally names, through any symbolic links: a save through a
// link changes the file it points to and leaves the link a link.
std::string FinalTarget(const std::string& path)
{
    fs::path p(path);
    for (int i = 0; i < 40; ++i) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)) || ec)
            break;
        const fs::path link = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    return p.string();
}

// The longest name the folder takes; 255 where it does not say.
std::size_t NameMax(const fs::path& folder)
{
    const long max = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return max > 16 ? static_cast<std::size_t>(max) : 255;
}

// Flushes what was written to the file named, so that the rename cannot put an
// empty file in place after a crash.  0 or the errno.
int SyncFile(const std::string& file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int err = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

} // namespace

std::string TemporaryFileBeside(const std::string& path)
{
    const fs::path target(FinalTarget(path));
    // A file made read-only is the user's word that it is not to change.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & 0222) == 0)
        RaiseFileError("IDS_CANNOTWRITEFILE", path, kWriteProtected);
    // The temporary name adds "." and ".XXXXXX": a name near the longest a folder
    // takes is shortened for it, never refused.
    std::string name = target.filename().string();
    const std::size_t room = NameMax(target.parent_path()) - 8;
    if (name.size() > room)
        name.resize(room);
    std::string temp = (target.parent_path() / ("." + name + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        RaiseFileError("IDS_CANNOTWRITEFILE", path, errno);
    ::close(fd);
    return temp;
}

void DiscardTemporaryFile(const std::string& temp)
{
    ::unlink(temp.c_str());
}

void CommitTemporaryFile(const std::string& temp, const std::string& path)
{
    const std::string target = FinalTarget(path);
    if (const int err = SyncFile(temp); err != 0) {
        DiscardTemporaryFile(temp);
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
    // Keep the permissions an existing file had; a new one gets the usual 0666 & ~umask.
    struct stat st;
    if (::stat(target.c_str(), &st) == 0) {
        ::chmod(temp.c_str(), st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temp.c_str(), 0666 & ~mask);
    }
    if (std::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        DiscardTemporaryFile(temp);
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
    // The new name itself reaches the disk with the folder.
    const std::string folder = fs::path(target).parent_path().string();
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    const std::string temp = TemporaryFileBeside(path);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        DiscardTemporaryFile(temp);
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            DiscardTemporaryFile(temp);
            RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        const int err = errno;
        DiscardTemporaryFile(temp);
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
    CommitTemporaryFile(temp, path);
}

} // namespace kalorina
