#include "platform/rename_no_replace_posix.h"

#include <cerrno>

// Systems without a rename that refuses to replace (the BSDs and macOS under other names,
// WebAssembly): the caller's hard link does the same.
int RenameNoReplace(int, const char*, const char*)
{
    errno = ENOSYS;
    return -1;
}
