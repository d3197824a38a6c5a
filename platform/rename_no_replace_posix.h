#pragma once

// Renames `from` to `to`, both in `folder`, unless `to` exists: 0 when done, else -1 with errno
// (EEXIST when `to` exists; EINVAL or ENOSYS where the system or its file system has no such
// rename, and the caller makes do with a hard link).
int RenameNoReplace(int folder, const char* from, const char* to);
