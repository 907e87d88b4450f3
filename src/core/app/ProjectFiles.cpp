#include "app/ProjectFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
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

void WriteFileAtomically(const std::string& path, const std::string& bytes)
{
    namespace fs = std::filesystem;
    fs::path target(path);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    if (target.parent_path().empty())
        temp = "." + target.filename().string() + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0)
        RaiseFileError("IDS_CANNOTWRITEFILE", path, errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
        }
        done += static_cast<std::size_t>(n);
    }
    // The handle is closed whether or not the data reached the disk.
    int err = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
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
        RaiseFileError("IDS_CANNOTWRITEFILE", path, err);
    }
}

} // namespace kalorina
