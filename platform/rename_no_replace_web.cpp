#include "platform/rename_no_replace_posix.h"

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>

// The browser's files have no hard links and no rename that refuses to replace. They belong to
// this page alone, which runs one thing at a time, so nothing can come between the look and the
// rename.
int RenameNoReplace(int folder, const char* from, const char* to)
{
    struct stat existing {};
    if (::fstatat(folder, to, &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    if (errno != ENOENT)
        return -1;
    return ::renameat(folder, from, folder, to);
}
