#include "platform/rename_no_replace_posix.h"

#include <cstdio>

#include <fcntl.h>

int RenameNoReplace(int folder, const char* from, const char* to)
{
    return ::renameat2(folder, from, folder, to, RENAME_NOREPLACE);
}
