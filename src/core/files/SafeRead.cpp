#include "files/SafeRead.h"

#include <algorithm>
#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/Descriptor.h"

namespace {

ReadResult OpenFailure(int error)
{
    // A socket cannot be opened at all; ENXIO is what it says.
    if (error == ENXIO)
        return ReadResult::NotRegular;
    return error == ENOENT || error == ENOTDIR ? ReadResult::NotFound : ReadResult::NotOpened;
}

// Reads until the end or until want bytes are there. The size fstat gave is
// only a hint: the file may grow or shrink while it is read.
bool ReadUpTo(int fd, std::size_t want, std::size_t hint, std::string& data)
{
    data.reserve(std::min(want, hint));
    std::string buffer(std::min(want, std::size_t{1} << 16), '\0');
    while (data.size() < want) {
        const std::size_t n = std::min(want - data.size(), buffer.size());
        const ssize_t got = ::read(fd, &buffer[0], n);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        data.append(buffer, 0, static_cast<std::size_t>(got));
    }
    return true;
}

}  // namespace

ReadResult SafeReadFile(const std::string& path, std::size_t limit, std::string& bytes, OverLimit over)
{
    bytes.clear();
    if (path.empty())
        return ReadResult::NotFound;
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return OpenFailure(errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return ReadResult::ReadError;
    if (S_ISDIR(info.st_mode))
        return ReadResult::Directory;
    if (!S_ISREG(info.st_mode))
        return ReadResult::NotRegular;
    const auto size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
    if (over == OverLimit::Refuse && size > limit)
        return ReadResult::TooLarge;  // refused unread
    // One byte past the limit tells a file that grew meanwhile from one that fits.
    const std::size_t want = over == OverLimit::Refuse && limit < NoSizeLimit ? limit + 1 : limit;
    std::string data;
    if (!ReadUpTo(fd.get(), want, size, data))
        return ReadResult::ReadError;
    if (data.size() > limit)
        return ReadResult::TooLarge;
    bytes = std::move(data);
    return ReadResult::Read;
}
