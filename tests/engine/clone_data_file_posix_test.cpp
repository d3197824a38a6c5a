// A clone data file's save on a full disk, which a file size limit stands for (POSIX only).
#include "engine/clone_data_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/clone_image.h"
#include "tests/common/file_size_limit.h"
#include "tests/common/scratch_dir.h"
#include "tests/common/test_files.h"

TEST(CloneDataFileDisk, AFailedSaveLeavesTheOldFile)
{
    CCloneImage image;
    image.Resize(512);
    CScratchDir scratch;
    const std::string path = scratch.In("data.qrb");
    WriteFile(path, "old contents");
    CFileSizeLimit full(100); // a full disk: a write error, and the old file stays
    ASSERT_TRUE(full.IsActive());
    const std::string result = CCloneDataFile::Save(path, image, "");
    full.Lift();
    EXPECT_EQ(result, "WRITE_ERROR");
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(scratch.Entries(), std::vector<std::string>{"data.qrb"});
}
