// GetOSDisplayString as other programs call it: this program loads the real
// QuarvelSysTest.exe of its own architecture as a library and calls its
// export, in a Wine session of its own that reports the Windows version named
// on the command line. The answer must be what the description logic derives
// from the facts this test reads itself, and what those facts are known to be
// for that version. Built 32-bit, it is the 32-bit caller of the release,
// which runs under WOW64 on Wine's 64-bit Windows.
#include "systest/engine/os_identification.h"

#include "common/win/handles.h"
#include "common/win/wide.h"
#include "systest/engine/get_os_display_string.h"
#include "systest/engine/machine_probe.h"
#include "systest/engine/tests/memory_strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string g_windowsVersion;  // "win7", from the command line

// Writes one import address table entry, whatever the section's protection.
void WriteImportEntry(ULONG_PTR* entry, ULONG_PTR value) {
    DWORD protection = 0;
    VirtualProtect(entry, sizeof *entry, PAGE_READWRITE, &protection);
    *entry = value;
    VirtualProtect(entry, sizeof *entry, protection, &protection);
}

// Binds the imports of a loaded exe. Windows does this when it loads an exe as
// a library; Wine 8 binds imports only of images flagged as DLLs, so an export
// of an exe would call through an unbound table there.
bool BindImports(HMODULE module) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    // The headers, thunks and ordinal macros of this program's architecture,
    // which is the exe's: a process loads images of its own kind only.
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) {
        return true;
    }
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        HMODULE dll = LoadLibraryA(reinterpret_cast<const char*>(base + library->Name));
        if (dll == nullptr) {
            return false;
        }
        const DWORD lookup =
            library->OriginalFirstThunk != 0 ? library->OriginalFirstThunk : library->FirstThunk;
        const auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + lookup);
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++addresses) {
            const char* name =
                IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)
                    ? MAKEINTRESOURCEA(IMAGE_ORDINAL(names->u1.Ordinal))
                    : reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)
                          ->Name;
            const FARPROC function = GetProcAddress(dll, name);
            if (function == nullptr) {
                return false;
            }
            WriteImportEntry(&addresses->u1.Function, reinterpret_cast<ULONG_PTR>(function));
        }
    }
    return true;
}

// The program folder, which the test runs in.
std::wstring ProgramPath() {
    wchar_t folder[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, folder);
    return std::wstring(folder, length) + L"\\QuarvelSysTest.exe";
}

// The facts, read here with the same calls but by this test's own code.
struct ReadFacts {
    OSVersionFacts facts;
    std::u16string servicePack;
};

ReadFacts ReadFactsHere() {
    OSVERSIONINFOEXW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    EXPECT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)));
    SYSTEM_INFO system = {};
    ResolveFunction<void(SYSTEM_INFO*)>(L"kernel32.dll", "GetNativeSystemInfo")(&system);
    ReadFacts read;
    read.servicePack = FromWide(version.szCSDVersion);
    OSVersionFacts& facts = read.facts;
    facts.majorVersion = version.dwMajorVersion;
    facts.minorVersion = version.dwMinorVersion;
    facts.buildNumber = version.dwBuildNumber;
    facts.platformId = version.dwPlatformId;
    facts.servicePackMajor = version.wServicePackMajor;
    facts.suiteMask = version.wSuiteMask;
    facts.productType = version.wProductType;
    facts.processorArchitecture = system.wProcessorArchitecture;
    facts.serverR2 = GetSystemMetrics(SM_SERVERR2) != 0;
    if (version.dwMajorVersion == 6) {
        DWORD type = 0;
        ResolveFunction<BOOL(DWORD, DWORD, DWORD, DWORD, DWORD*)>(
            L"kernel32.dll", "GetProductInfo")(version.dwMajorVersion, version.dwMinorVersion, 0, 0,
                                               &type);
        facts.editionType = type;
    }
    return read;
}

// What Wine 8 reports for each version (always AMD64, never SM_SERVERR2).
struct KnownVersion {
    const char* name;
    const char16_t* description;
    const char16_t* verdict;
    int32_t level;
};

constexpr KnownVersion kKnownVersions[] = {
    {"winxp", u"Microsoft Windows XP Professional Service Pack 3 (build 2600)", u"+3", 3},
    {"winxp64", u"Microsoft Windows XP Professional x64 Edition Service Pack 2 (build 3790)", u"+2",
     3},
    {"win2003", u"Microsoft Windows Server 2003, Standard x64 Edition Service Pack 2 (build 3790)",
     u"D", 1},
    {"vista", u"Microsoft Windows Vista  Service Pack 2 (build 6002), 64-bit", u"+2", 3},
    {"win2008",
     u"Microsoft Windows Server 2008 Standard Edition Service Pack 2 (build 6002), 64-bit", u"+2",
     3},
    {"win7", u"Microsoft Windows 7  Service Pack 1 (build 7601), 64-bit", u"+1", 3},
    {"win2008r2",
     u"Microsoft Windows Server 2008 R2 Standard Edition Service Pack 1 (build 7601), 64-bit",
     u"+1", 3},
    // Without a manifest that declares them, 8.1 and 10 report 6.2.
    {"win8", u"Microsoft  (build 9200), 64-bit", u"N", 2},
    {"win10", u"Microsoft  (build 9200), 64-bit", u"N", 2},
};

const KnownVersion* FindKnownVersion(const std::string& name) {
    for (const KnownVersion& known : kKnownVersions) {
        if (name == known.name) {
            return &known;
        }
    }
    return nullptr;
}

std::u16string VerdictText(const wchar_t* verdict) {
    return FromWide(verdict);  // the digit is 0 for D and N, so the text ends there
}

TEST(GetOSDisplayString, ExportOfTheLoadedProgramDescribesThisWindows) {
    const KnownVersion* known = FindKnownVersion(g_windowsVersion);
    ASSERT_NE(known, nullptr) << "unknown Windows version " << g_windowsVersion;

    UniqueLibrary program(LoadLibraryW(ProgramPath().c_str()));
    ASSERT_TRUE(program.valid()) << "error " << GetLastError();
    ASSERT_TRUE(BindImports(program.get()));
    const auto getOSDisplayString = reinterpret_cast<GetOSDisplayStringFunction>(
        reinterpret_cast<void*>(GetProcAddress(program.get(), "GetOSDisplayString")));
    ASSERT_NE(getOSDisplayString, nullptr);

    wchar_t description[kOSDescriptionUnits];
    wchar_t verdict[kOSVerdictUnits] = {L'x', L'x', L'x'};
    ASSERT_EQ(getOSDisplayString(description, verdict), 1);
    EXPECT_EQ(verdict[2], L'\0');

    ReadFacts read = ReadFactsHere();
    read.facts.servicePack = read.servicePack;
    OSDescription derived;
    ASSERT_TRUE(DescribeOSVersion(read.facts, derived));
    EXPECT_EQ(FromWide(description), std::u16string(derived.text.data()));
    EXPECT_EQ(verdict[0], derived.verdict.verdict);
    EXPECT_EQ(verdict[1], derived.verdict.digit);

    EXPECT_EQ(FromWide(description), known->description);
    EXPECT_EQ(VerdictText(verdict), known->verdict);
}

TEST(GetOSDisplayString, OperatingSystemCheckOfThisWindows) {
    const KnownVersion* known = FindKnownVersion(g_windowsVersion);
    ASSERT_NE(known, nullptr) << "unknown Windows version " << g_windowsVersion;
    Win32MachineProbe probe;
    const MemoryStrings strings;
    const CheckResult result = ProbedSystemChecks(probe, strings).CheckOperatingSystem().result;
    EXPECT_EQ(static_cast<int32_t>(result.level), known->level);
}

// Windows refuses to start a program whose manifest names another processor
// architecture than its own; Wine starts it all the same.
TEST(ProgramImage, ManifestNamesTheArchitectureOfTheProgram) {
    UniqueLibrary program(LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(program.valid()) << "error " << GetLastError();
    const HRSRC found = FindResourceW(program.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(found, nullptr);
    const auto* text = static_cast<const char*>(LockResource(LoadResource(program.get(), found)));
    const std::string manifest(text, SizeofResource(program.get(), found));
    const char* architecture =
        sizeof(void*) == 8 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\"";
    EXPECT_NE(manifest.find(architecture), std::string::npos) << manifest;
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <Windows version as Wine names it>\n", argv[0]);
        return 2;
    }
    g_windowsVersion = argv[1];
    return RUN_ALL_TESTS();
}
