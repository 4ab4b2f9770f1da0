#include "filewrite.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

int WriteAll(int fd, const std::string &bytes, WriteFunction write)
{
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        done += size_t(n);
    }
    return 0;
}

int SyncAndClose(int fd)
{
    int error = ::fsync(fd) != 0 ? errno : 0;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error;
}

void SyncFolder(const std::string &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    (void)::fsync(fd);
    ::close(fd);
}

std::string Reason(int error)
{
    return std::strerror(error);
}
