#pragma once

#include <cstddef>
#include <string>

#include <sys/types.h>

// The low-level steps every file the program writes goes through: each write checked, the bytes
// flushed to the disk before the file is renamed into place, and the folder synced after.

// The call that writes the bytes; tests put in one that fails part-way.
using WriteFunction = ssize_t (*)(int fd, const void *bytes, size_t count);

// 0 when every byte was written, otherwise the error.
int WriteAll(int fd, const std::string &bytes, WriteFunction write);
// Flushes the file to the disk and closes it, whatever happened before; 0 or the first error.
int SyncAndClose(int fd);
// So a rename in the folder survives a power cut; a folder that cannot be synced costs nothing
// more.
void SyncFolder(const std::string &folder);
// The system's words for an error number ("Permission denied").
std::string Reason(int error);
