#pragma once

#include <cstddef>
#include <string>

// Reading a file that someone else may have put there. Only an ordinary file is read: a pipe
// would block the program for good, a device such as /dev/zero never ends, and a folder holds no
// text. Nothing beyond a generous size is read at all, so a huge file is refused at once instead
// of filling the memory first.

// The reason given for a pipe or a device where a file belongs.
constexpr const char *NotOrdinaryFileReason = "Not an ordinary file";

// About 250 times the largest game the program can write.
constexpr size_t MaxReadBytes = size_t(16) << 20;

enum class ReadStatus {
    Read,
    CannotOpen, // missing, or access refused
    NotRegular, // a pipe, a device, a folder
    TooLarge, // `bytes` holds the first PrefixBytes only
    ReadFailed, // the system reported an error while reading
};

struct FileRead {
    ReadStatus status = ReadStatus::Read;
    std::string bytes;
    // Why it could not be read, as the system says it ("Permission denied"); empty when read.
    std::string reason;
};

// A file larger than the limit still shows its first bytes, which tell what kind of file it is.
constexpr size_t PrefixBytes = 4096;

// Reads the whole file when it is an ordinary file of at most `limit` bytes. Memory running out
// throws std::bad_alloc, like any other allocation.
FileRead ReadRegularFile(const std::string &path, size_t limit = MaxReadBytes);
