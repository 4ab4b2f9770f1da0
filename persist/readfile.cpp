#include "readfile.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the file on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd(fd) { }
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int Get() const { return fd; }

private:
    int fd;
};

// Appends up to `wanted` bytes; false on a read error. Stops early only at the end of the file.
bool ReadInto(int fd, std::string &bytes, size_t wanted)
{
    char buffer[65536];
    while (wanted > 0) {
        const ssize_t n = ::read(fd, buffer, wanted < sizeof buffer ? wanted : sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(buffer, size_t(n));
        wanted -= size_t(n);
    }
    return true;
}

FileRead Failed(ReadStatus status, int error)
{
    return {status, {}, std::strerror(error)};
}

} // namespace

FileRead ReadRegularFile(const std::string &path, size_t limit)
{
    // Non-blocking, so that opening a pipe with no writer returns at once; fstat then refuses it.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.Get() < 0)
        return Failed(ReadStatus::CannotOpen, errno);
    struct stat info { };
    if (::fstat(file.Get(), &info) != 0)
        return Failed(ReadStatus::ReadFailed, errno);
    if (S_ISDIR(info.st_mode))
        return Failed(ReadStatus::NotRegular, EISDIR);
    if (!S_ISREG(info.st_mode))
        return {ReadStatus::NotRegular, {}, NotOrdinaryFileReason};
    FileRead result;
    if (size_t(info.st_size) > limit) {
        result.status = ReadStatus::TooLarge;
        if (!ReadInto(file.Get(), result.bytes, PrefixBytes))
            return Failed(ReadStatus::ReadFailed, errno);
        return result;
    }
    result.bytes.reserve(size_t(info.st_size));
    // One byte more than allowed tells a file that grew while it was read.
    if (!ReadInto(file.Get(), result.bytes, limit + 1))
        return Failed(ReadStatus::ReadFailed, errno);
    if (result.bytes.size() > limit)
        result.status = ReadStatus::TooLarge;
    return result;
}
