#include "systest/engine/file_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ExtendedLengthPath, TakesTheFormThatLiftsMaxPathAndBack) {
    const struct {
        std::u16string full;
        std::u16string extended;
        std::u16string plain;  // as it is written everywhere else
    } cases[] = {
        {u"C:\\qst\\PC7.txt", u"\\\\?\\C:\\qst\\PC7.txt", u"C:\\qst\\PC7.txt"},
        {u"\\\\server\\qst\\PC7.txt", u"\\\\?\\UNC\\server\\qst\\PC7.txt",
         u"\\\\server\\qst\\PC7.txt"},
        // Windows takes the prefix's letters in any case.
        {u"\\\\?\\unc\\server\\qst\\PC7.txt", u"\\\\?\\unc\\server\\qst\\PC7.txt",
         u"\\\\server\\qst\\PC7.txt"},
        // A device is no file: "NUL" as GetFullPathNameW gives it.
        {u"\\\\.\\NUL", u"\\\\.\\NUL", u"\\\\.\\NUL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtendedLengthPath(c.full), c.extended);
        EXPECT_EQ(WithoutExtendedPrefix(c.full), c.plain);
        EXPECT_EQ(WithoutExtendedPrefix(c.extended), c.plain);
        EXPECT_EQ(IsDevicePath(c.full), c.full == u"\\\\.\\NUL");
    }
}

}  // namespace
