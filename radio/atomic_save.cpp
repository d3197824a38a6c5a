#include "radio/atomic_save.h"

#include <sstream>

#include "platform/file_io.h"
#include "text/text_util.h"
#include "res/resource_ids.h"
#include "res/string_table.h"

std::string DescribeSaveError(EFileError error, const std::string& detail)
{
    switch (error) {
    case EFileError::None:
        return std::string();
    case EFileError::NotAFileName:
        return LoadResString(IDS_SAVE_NOT_A_FILE_NAME);
    case EFileError::NotRegular:
        return LoadResString(IDS_SAVE_NOT_REGULAR);
    case EFileError::ReadOnly:
        return LoadResString(IDS_SAVE_READ_ONLY);
    case EFileError::CannotReplace:
        return FormatText(LoadResString(IDS_SAVE_CANNOT_REPLACE), {detail});
    case EFileError::CannotWrite:
        return LoadResString(IDS_SAVE_CANNOT_WRITE);
    default:
        return LoadResString(IDS_SAVE_CANNOT_CREATE);
    }
}

std::string CheckSaveTarget(const std::string& target)
{
    std::string detail;
    const EFileError error = CheckWritable(target, &detail);
    return DescribeSaveError(error, detail);
}

bool SaveAtomically(const std::string& target, const std::function<void(std::ostream&)>& write,
                    std::string* error)
{
    std::string reason = CheckSaveTarget(target);
    if (reason.empty()) {
        std::ostringstream text;
        write(text);
        std::string detail;
        reason = text ? DescribeSaveError(WriteFileAtomically(target, text.str(), &detail), detail)
                      : LoadResString(IDS_SAVE_CANNOT_WRITE);
    }
    if (error)
        *error = reason;
    return reason.empty();
}
