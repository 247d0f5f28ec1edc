// The error mode widened for a while keeps the flags it found and gives them
// back.
#include "common/win/error_mode.h"

#include <gtest/gtest.h>

namespace {

TEST(AddedErrorMode, KeepsTheEarlierFlagsAndRestoresThem) {
    const UINT before = SetErrorMode(SEM_NOOPENFILEERRORBOX);
    {
        const AddedErrorMode added(SEM_FAILCRITICALERRORS);
        EXPECT_EQ(GetErrorMode(), UINT{SEM_NOOPENFILEERRORBOX | SEM_FAILCRITICALERRORS});
    }
    EXPECT_EQ(GetErrorMode(), UINT{SEM_NOOPENFILEERRORBOX});
    SetErrorMode(before);
}

}  // namespace
