#pragma once
// Writing a whole file so that a failure never destroys the old one and a
// save never replaces what is not a plain file. Every file the program
// writes goes through here.
//
// The data goes into a file without a name in the target's folder and is
// flushed to the disk. Only the complete file gets a name: the target's own
// where nothing was, otherwise a temporary name of our own pattern
// (.zelk-NNNNNN.tmp), which is then renamed over the target. So the target
// is always the old file or the whole new one. What a killed save leaves
// besides: nothing, unless the kill falls between that naming and the
// rename, a window no save can close; then .zelk-NNNNNN.tmp stays beside
// the target with the complete new contents, and the target is the old
// file. Where the file system has no unnamed files, the data is written into
// such a temporary file from the start, and a kill at any moment of the save
// can leave it behind, complete or not. A file system without hard links
// as well (FAT and exFAT, as on USB sticks) gives that file the target's
// name, where nothing was, by a rename that replaces nothing (see
// MoveToFreeName).
//
// Such files older than ten minutes are removed by the next save into their
// folder, and by RemoveStaleTemporariesBeside (the program calls it for its
// settings file at start-up); a younger one may be another save in progress.
//
// A folder this user may not write takes no new file, but a file in it that
// the user may write (a teacher's shared preset) is still written: into
// itself, cut to its new length and flushed to the disk. Only there is a
// write not all or nothing: a failure or a kill in the middle can leave it
// part new, part old.
//
// The target's links are followed, also a link to a file that does not exist
// yet (that file is created, as a save through any link writes the file it
// names). A folder, a named pipe, a device, a socket or a link loop is
// refused and left as it is. An overwritten file keeps its mode, and its
// owner and group where this process may set them.
#include <string>
#include <string_view>

enum class WriteResult {
    Written,
    Directory,       // the target is a folder
    NotRegular,      // a named pipe, a device, a socket, or a link loop
    WriteProtected,  // the file exists and this user may not write it
    NotCreated,      // no file can be made there (no such folder, no permission)
    WriteError,      // writing the data failed (disk full, size limit)
    NotReplaced,     // the finished file could not be put in place of the old one
};

WriteResult SafeWriteFile(const std::string& path, std::string_view bytes);

// Removes the temporary files of killed saves (see above) from the folder a
// save to path would write into.
void RemoveStaleTemporariesBeside(const std::string& path);

// The step of a save that names the finished temporary file from as to,
// where nothing was: it never replaces what has that name, nor what came
// there meanwhile (false, errno EEXIST); from is gone when it succeeds. A
// hard link where the file system has them. Where it refuses one (FAT,
// exFAT, Emscripten's), a rename that replaces nothing: the kernel's
// renameat2 where the file system allows it, otherwise a look right before
// a plain rename, so that only a file coming in that moment is replaced.
// makeLink is the system's link unless a test passes one that refuses.
using LinkFunction = int (*)(const char* from, const char* to);
bool MoveToFreeName(const std::string& from, const std::string& to, LinkFunction makeLink = nullptr);
