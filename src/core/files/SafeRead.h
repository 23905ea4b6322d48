#pragma once
// Reading a whole file without being fooled by what stands at its name. A
// named pipe would make an open wait for a writer and freeze the program, a
// device may never end, and a check made before the open can be outwitted by
// a rename in between: so the file is opened without blocking, and the open
// file itself is checked before a byte is read. World files, program files
// and units all come in through here.
#include <cstddef>
#include <limits>
#include <string>

enum class ReadResult {
    Read,
    NotFound,    // nothing at that name, or a folder on the way is missing
    NotOpened,   // something is there, but it may not be opened (permission, link loop)
    Directory,
    NotRegular,  // a named pipe, a device or a socket
    TooLarge,    // more bytes than the caller's limit
    ReadError,   // the system reported an error while reading
};

// What to do with a file longer than the limit.
enum class OverLimit {
    Refuse,     // TooLarge, nothing read beyond the limit
    KeepStart,  // the first limit bytes are the contents (a fixed-size record)
};

constexpr std::size_t NoSizeLimit = std::numeric_limits<std::size_t>::max();

// Reads the regular file at path into bytes. Anything but Read leaves bytes
// empty.
ReadResult SafeReadFile(const std::string& path, std::size_t limit, std::string& bytes,
                        OverLimit over = OverLimit::Refuse);
