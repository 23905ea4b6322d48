#include "files/SafeWrite.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/syscall.h>
#endif

#include "files/Descriptor.h"

#if defined(SYS_renameat2) && !defined(RENAME_NOREPLACE)
#define RENAME_NOREPLACE (1 << 0)  // the kernel's; older C libraries do not name it
#endif

namespace {

constexpr int MaxLinkHops = 40;  // as many as the system follows
constexpr std::time_t StaleAfterSeconds = 10 * 60;
constexpr std::string_view TempPrefix = ".zelk-";
constexpr std::string_view TempSuffix = ".tmp";
constexpr std::size_t TempDigits = 6;
constexpr unsigned TempNames = 1000000;  // 10 to the power of TempDigits

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool ReadLink(const std::string& path, std::string& target)
{
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = ::readlink(path.c_str(), &buffer[0], buffer.size());
    if (n < 0 || static_cast<std::size_t>(n) >= buffer.size())
        return false;
    buffer.resize(static_cast<std::size_t>(n));
    target = buffer;
    return true;
}

// The file a save to path writes: path itself, or the end of its chain of
// links, which need not exist yet. False with the reason when the save must
// be refused.
bool ResolveTarget(const std::string& path, std::string& target, WriteResult& refusal)
{
    // Through every link first: /dev/stdout, for one, is a link to a pipe.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            refusal = WriteResult::Directory;
            return false;
        }
        if (!S_ISREG(info.st_mode)) {
            refusal = WriteResult::NotRegular;
            return false;
        }
    } else if (errno != ENOENT) {
        refusal = errno == ELOOP ? WriteResult::NotRegular : WriteResult::NotCreated;
        return false;
    }
    // Link by link: realpath() gives up at a link to a file not yet there.
    std::string current = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            target = current;
            return true;
        }
        std::string next;
        if (!ReadLink(current, next)) {
            refusal = WriteResult::NotCreated;
            return false;
        }
        current = !next.empty() && next[0] == '/' ? next : FolderOf(current) + "/" + next;
    }
    refusal = WriteResult::NotRegular;  // a loop
    return false;
}

// Only a name TemporaryName makes: another program's file that merely
// looks alike (.zelk-7.tmp) is not ours to remove.
bool IsOurTemporary(std::string_view name)
{
    if (name.size() != TempPrefix.size() + TempDigits + TempSuffix.size() ||
        name.substr(0, TempPrefix.size()) != TempPrefix || name.substr(name.size() - TempSuffix.size()) != TempSuffix)
        return false;
    const std::string_view digits = name.substr(TempPrefix.size(), TempDigits);
    for (char c : digits)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Temporary files left by killed saves (see SafeWrite.h). A younger one may
// be another save still writing.
void RemoveStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsOurTemporary(entry->d_name))
            continue;
        struct stat info {};
        if (::fstatat(dirFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode) &&
            now - info.st_mtime > StaleAfterSeconds)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

std::string TemporaryName(const std::string& folder)
{
    // The names only make a clash unlikely: each is created or linked
    // exclusively. Seeded once: a random_device per save is slow on some machines.
    static std::minstd_rand random(static_cast<unsigned>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
    char digits[TempDigits + 1];
    std::snprintf(digits, sizeof digits, "%0*u", static_cast<int>(TempDigits),
                  static_cast<unsigned>(random() % TempNames));
    return folder + "/" + std::string(TempPrefix) + digits + std::string(TempSuffix);
}

// The file the data is written into, in the target's folder: unnamed where
// the file system allows it, otherwise a fresh temporary file whose name
// goes to named.
bool CreateScratch(const std::string& folder, Descriptor& fd, std::string& named)
{
#ifdef O_TMPFILE
    fd.reset(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
    if (fd.valid())
        return true;
    // Anything else than "not supported here" stops a named file as well.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return false;
#endif
    for (int attempt = 0; attempt < 16; ++attempt) {
        named = TemporaryName(folder);
        fd.reset(::open(named.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
        if (fd.valid())
            return true;
        if (errno != EEXIST)
            break;
    }
    named.clear();
    return false;
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// A folder that refuses a new file may still hold a file this user may
// write: a teacher's preset shared in a protected folder. Nothing can be
// made beside it, so the data goes into the file itself, cut to its length
// and flushed to the disk. This is the one write that is not all or
// nothing: a failure or a kill in the middle leaves the file part new, part old.
WriteResult WriteInPlace(const std::string& target, std::string_view bytes)
{
    const Descriptor fd(::open(target.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return WriteResult::NotCreated;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return WriteResult::NotRegular;  // no longer what was looked at
    if (!WriteAll(fd.get(), bytes) || ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 ||
        ::fsync(fd.get()) != 0)
        return WriteResult::WriteError;
    return WriteResult::Written;
}

// A file system without hard links: FAT and exFAT (EPERM, through FUSE
// also ENOSYS or EOPNOTSUPP), Emscripten's (EMLINK).
bool RefusesLinks(int error)
{
    return error == EPERM || error == ENOSYS || error == EOPNOTSUPP || error == EMLINK;
}

// Where links are refused. The kernel's renameat2 replaces nothing by
// itself; where the file system refuses that (EINVAL: FAT through FUSE),
// the kernel is older (ENOSYS) or the system has no such call, a look at
// the name right before a plain rename is all there is.
bool RenameWithoutReplacing(const std::string& from, const std::string& to)
{
#ifdef SYS_renameat2
    if (::syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
#endif
    struct stat info {};
    if (::lstat(to.c_str(), &info) == 0) {
        errno = EEXIST;
        return false;
    }
    return errno == ENOENT && ::rename(from.c_str(), to.c_str()) == 0;
}

// Gives the file behind fd the name: the unnamed file is linked, a named
// temporary file is moved there. Fails with EEXIST when something has that
// name, so it never replaces anything.
bool GiveName(int fd, const std::string& named, const std::string& name)
{
    if (!named.empty())
        return MoveToFreeName(named, name);
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno != ENOENT)
        return false;
    // Without /proc; needs a privilege most users lack.
    return ::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0;
}

bool NameTemporarily(int fd, const std::string& folder, std::string& temp)
{
    for (int attempt = 0; attempt < 16; ++attempt) {
        temp = TemporaryName(folder);
        if (GiveName(fd, std::string(), temp))
            return true;
        if (errno != EEXIST)
            break;
    }
    return false;
}

void KeepOwnerAndMode(int fd, const struct stat& old)
{
    // Only root may give a file to another user; a user may still give it a
    // group of their own. Where neither works the file is the writer's.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    }
    // After the owner: a change of owner clears the set-user-ID bit.
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
    }
}

// Puts the finished file in place of target, looking at target once more
// right before: nothing there, or a regular file to replace. A named
// temporary file is gone afterwards on success.
WriteResult PutInPlace(int fd, const std::string& named, const std::string& target, const std::string& folder)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        struct stat old {};
        if (::lstat(target.c_str(), &old) != 0) {
            if (errno != ENOENT)
                return WriteResult::NotReplaced;
            if (GiveName(fd, named, target))
                return WriteResult::Written;
            if (errno == EEXIST)
                continue;  // something came meanwhile: look at it
            return WriteResult::NotReplaced;
        }
        if (S_ISDIR(old.st_mode))
            return WriteResult::Directory;
        if (!S_ISREG(old.st_mode))
            return WriteResult::NotRegular;
        KeepOwnerAndMode(fd, old);
        std::string temp = named;
        if (temp.empty() && !NameTemporarily(fd, folder, temp))
            return WriteResult::NotReplaced;
        if (::rename(temp.c_str(), target.c_str()) == 0)
            return WriteResult::Written;
        if (named.empty())
            ::unlink(temp.c_str());
        return WriteResult::NotReplaced;
    }
    return WriteResult::NotReplaced;
}

}  // namespace

bool MoveToFreeName(const std::string& from, const std::string& to, LinkFunction makeLink)
{
    if ((makeLink ? makeLink : ::link)(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    return RefusesLinks(errno) && RenameWithoutReplacing(from, to);
}

void RemoveStaleTemporariesBeside(const std::string& path)
{
    std::string target;
    WriteResult refusal = WriteResult::Written;
    if (!path.empty() && ResolveTarget(path, target, refusal))
        RemoveStaleTemporaries(FolderOf(target));
}

WriteResult SafeWriteFile(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        return WriteResult::NotCreated;
    std::string target;
    WriteResult result = WriteResult::Written;
    if (!ResolveTarget(path, target, result))
        return result;
    // The rename needs only the folder's permission: a file the user may not
    // write must not be replaced behind its protection.
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return WriteResult::WriteProtected;
    const std::string folder = FolderOf(target);
    RemoveStaleTemporaries(folder);
    Descriptor fd;
    std::string named;
    if (!CreateScratch(folder, fd, named)) {
        const bool folderRefuses = errno == EACCES || errno == EPERM;
        return folderRefuses && ::lstat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)
                   ? WriteInPlace(target, bytes)
                   : WriteResult::NotCreated;
    }
    // On the disk before it takes the old file's place.
    const bool complete = WriteAll(fd.get(), bytes) && ::fdatasync(fd.get()) == 0;
    result = complete ? PutInPlace(fd.get(), named, target, folder) : WriteResult::WriteError;
    if (result != WriteResult::Written && !named.empty())
        ::unlink(named.c_str());
    return result;
}
