#include "common/dll_search.h"

#include <gtest/gtest.h>

namespace {

TEST(ChooseDllSearchNarrowing, PreloadsWhereTheSearchCannotBeTheSystemFolderAlone) {
    const struct {
        const char* windows;
        bool hasSetDefaultDllDirectories;
        WindowsVersion version;
        DllSearchNarrowing narrowing;
    } cases[] = {
        {"XP", false, {5, 1}, DllSearchNarrowing::PreloadedSystemLibraries},
        {"XP x64, Server 2003", false, {5, 2}, DllSearchNarrowing::PreloadedSystemLibraries},
        {"Vista", false, {6, 0}, DllSearchNarrowing::PreloadedSystemLibraries},
        {"Vista with KB2533623", true, {6, 0}, DllSearchNarrowing::PreloadedSystemLibraries},
        {"7", false, {6, 1}, DllSearchNarrowing::PreloadedSystemLibraries},
        {"7 with KB2533623", true, {6, 1}, DllSearchNarrowing::SystemFolderOnly},
        {"8 to 11", true, {6, 2}, DllSearchNarrowing::SystemFolderOnly},
        {"10 as it tells a program that declares it",
         true,
         {10, 0},
         DllSearchNarrowing::SystemFolderOnly},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseDllSearchNarrowing(c.hasSetDefaultDllDirectories, c.version), c.narrowing)
            << c.windows;
    }
}

}  // namespace
