#pragma once
// Writing a whole file so that a failure never destroys the old one and a
// save never replaces what is not a plain file. Every file the program
// writes goes through here.
//
// The data goes into a file without a name in the target's folder; only
// when it is complete does it get a name, and that name is renamed over the
// target at once, so a killed save leaves nothing behind. Where the file
// system has no unnamed files, a temporary file of our own pattern
// (.zelk-NNNNNN.tmp) takes its place; such files older than ten minutes are
// removed by the next save into that folder (a younger one may be another
// save in progress).
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
