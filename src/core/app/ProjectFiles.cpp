#include "app/ProjectFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Codepage.h"
#include "util/Error.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// The reason in the user's language where the language has it; the system's own
// text for the rarer ones.
std::string Reason(int err)
{
    const char* id = err == ENOENT || err == ENOTDIR ? "IDS_FILENOTFOUND"
        : err == EACCES || err == EPERM              ? "IDS_FILEACCESSDENIED"
        : err == ENOSPC || err == EDQUOT             ? "IDS_DISKFULL"
        : err == EISDIR                              ? "IDS_FILEISFOLDER"
        : err == EROFS                               ? "IDS_READONLYFILESYSTEM"
                                                     : nullptr;
    std::string text = id ? Languages().GetText(id) : std::string();
    return text.empty() ? std::string(std::strerror(err)) : text;
}

[[noreturn]] void Fail(const char* what, const std::string& path, int err)
{
    // Messages are code page 1250 texts; paths are the system's UTF-8 names.
    throw KalorinaError(FormatText(TextOrBuiltIn(what), {Utf8ToCp1250(path), Reason(err)}));
}
} // namespace

void ReadProjectFile(const std::string& path, TProject& project)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        Fail("IDS_CANNOTOPENFILE", path, errno);
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        Fail("IDS_CANNOTREADFILE", path, errno);
    TMemoryStream stream(ss.str());
    project.ReadFromStream(stream);
}

void WriteProjectFile(const std::string& path, const TProject& project)
{
    namespace fs = std::filesystem;
    TMemoryStream stream;
    project.WriteToStream(stream);
    const std::string& bytes = stream.Data();

    fs::path target(path);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty())
        temp = "." + target.filename().string() + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        Fail("IDS_CANNOTWRITEFILE", path, errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            Fail("IDS_CANNOTWRITEFILE", path, err);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        Fail("IDS_CANNOTWRITEFILE", path, err);
    }
    // Keep the permissions an existing file had; a new one gets the usual 0666 & ~umask.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0) {
        ::chmod(temp.c_str(), st.st_mode & 07777);
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::chmod(temp.c_str(), 0666 & ~mask);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        int err = errno;
        ::unlink(temp.c_str());
        Fail("IDS_CANNOTWRITEFILE", path, err);
    }
}

} // namespace kalorina
