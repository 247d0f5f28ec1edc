#include "cardlist/diff.h"

#include "cardlist/tests/memory_system.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Three makers' devices as the database lists them, a subsystem, a device
// that is no display adapter, and the classes that end the devices.
constexpr char kPciIds[] =
    "# pci.ids\n"
    "10de  NVIDIA Corporation\n"
    "\t0308  NV35GL [Quadro FX 2000]\n"
    "\t0640  G96C [GeForce 9500 GT]\n"
    "\t0ae0  MCP89 SMBus\n"
    "\t0dd8  GF106GL [Quadro 2000]\n"
    "\t\t10de 0914  Quadro 2000D\n"
    "1002  Advanced Micro Devices, Inc. [AMD/ATI]\n"
    "\t68be  Juniper PRO [Radeon HD 5750 / 6750]\n"
    "1af4  Red Hat, Inc.\n"
    "\t1050  Virtio GPU [GeForce 9500 GT]\n"
    "8086  Intel Corporation\n"
    "\t0166  3rd Gen Core processor Graphics Controller\n"
    "\t1c22  6 Series/C200 Series Chipset Family SMBus Controller\n"
    "C 03  Display controller\n"
    "\t00  VGA compatible controller\n";

TEST(ReadDisplayAdapters, DisplayModelsOfTheThreeMakersAsWindowsNamesThem) {
    std::vector<std::pair<std::u16string, std::u16string>> adapters;
    for (const PciAdapter& adapter : ReadDisplayAdapters(kPciIds)) {
        adapters.emplace_back(adapter.caption, adapter.pnpDeviceId);
    }
    const std::u16string instance = u"&SUBSYS_00000000&REV_00\\4&2B5A3A7C&0&0010";
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"NVIDIA Quadro FX 2000", u"PCI\\VEN_10DE&DEV_0308" + instance},
        {u"NVIDIA GeForce 9500 GT", u"PCI\\VEN_10DE&DEV_0640" + instance},
        {u"NVIDIA Quadro 2000", u"PCI\\VEN_10DE&DEV_0DD8" + instance},
        {u"AMD Radeon HD 5750", u"PCI\\VEN_1002&DEV_68BE" + instance},
        {u"Intel(R) 3rd Gen Core processor Graphics Controller",
         u"PCI\\VEN_8086&DEV_0166" + instance},
    };
    EXPECT_EQ(adapters, expected);
}

const std::string kList =
    "pci\\ven_8086&dev_0166,8.15.10.2653,20120209,CD\n"
    "Quadro 2000,276.42,20110712,GL\n"
    "GeForce 9500 GT,285.62,20111024,GD\n";

// A card turned from GL to NG: every adapter the line names changes, at each
// driver and whatever the OpenGL version.
TEST(DiffCommand, ListsTheAdaptersOfAChangedEntry) {
    MemorySystem system;
    system.files[u"pci.ids"] = kPciIds;
    system.files[u"old.txt"] = kList;
    system.files[u"new.txt"] =
        "pci\\ven_8086&dev_0166,8.15.10.2653,20120209,CD\n"
        "Quadro 2000,276.42,20110712,NG\n"
        "GeForce 9500 GT,285.62,20111024,GD\n";
    EXPECT_EQ(system.Run({u"diff", u"old.txt", u"new.txt"}), kToolFindings);
    std::string expected =
        "Adapter                PNP id                 Driver                    "
        "OpenGL      Before" +
        std::string(26, ' ') + "\u2192  After\n";
    for (const char* adapter : {"NVIDIA Quadro FX 2000  PCI\\VEN_10DE&DEV_0308",
                                "NVIDIA Quadro 2000     PCI\\VEN_10DE&DEV_0DD8"}) {
        for (const char* driver : {"7641 of 20110711", "7642 of 20110712", "7643 of 20110713"}) {
            const std::string before = std::string(driver).starts_with("7641")
                                           ? "GL: exit 2, card 2/1008  "
                                           : "GL: exit 3, card 4/985   ";
            for (const char* gl : {"below 3   ", "3 or later"}) {
                expected += std::string(adapter) + "  9.18.12." + driver + "  " + gl + "  line 2 " +
                            before + "\u2192  line 2 NG: exit 0, card 2/980\n";
            }
        }
    }
    EXPECT_EQ(system.out, expected);
}

// Moving lines and adding comments re-rate nothing: no output, exit 0. So
// does a list against itself.
TEST(DiffCommand, AChangeThatReratesNothingPrintsNothing) {
    MemorySystem system;
    system.files[u"pci.ids"] = kPciIds;
    system.files[u"old.txt"] = kList;
    system.files[u"new.txt"] =
        "# the switchable Intel graphics first\n"
        "pci\\ven_8086&dev_0166,8.15.10.2653,20120209,CD\n"
        "GeForce 9500 GT,285.62,20111024,GD\n"
        "\n"
        "Quadro 2000,276.42,20110712,GL\n";
    for (const char16_t* other : {u"old.txt", u"new.txt"}) {
        EXPECT_EQ(system.Run({u"diff", u"old.txt", other}), kToolClean);
        EXPECT_EQ(system.out, "");
    }
    EXPECT_EQ(system.Run({u"diff", u"old.txt"}), kToolFailed);
    EXPECT_EQ(system.Run({u"diff", u"old.txt", u"new.txt", u"--pci-ids", u"none"}), kToolFailed);
    EXPECT_EQ(system.error, "cardlist: cannot read none\n");
}

// Edits that the rows show in part: Vexmira's exit code alone, which
// deployment scripts read, and the version a row's text names.
TEST(DiffCommand, ShowsWhatChangedWhereTheRowsLookAlike) {
    const struct {
        std::string before;
        std::string after;
        const char* row;  // the first row of the table
    } cases[] = {
        {"GeForce 9500 GT,285.62,20111024,GD\nGeForce 9500,285.62,20111024,NG\n",
         "GeForce 9500 GT,285.62,20111024,NG\nGeForce 9500,285.62,20111024,NG\n",
         "line 2 NG: exit 2, card 2/980  \u2192  line 2 NG: exit 0, card 2/980\n"},
        {"GeForce 9500 GT,285.62,20111024,GD\n", "GeForce 9500 GT,290.10,20111024,GD\n",
         "line 1 GD: exit 2, driver 2/1006 \"...285.62...\"  \u2192  "
         "line 1 GD: exit 2, driver 2/1006 \"...290.10...\"\n"},
    };
    MemorySystem system;
    system.files[u"pci.ids"] = kPciIds;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after);
        system.files[u"old.txt"] = c.before;
        system.files[u"new.txt"] = c.after;
        EXPECT_EQ(system.Run({u"diff", u"old.txt", u"new.txt"}), kToolFindings);
        const size_t second = system.out.find('\n') + 1;
        EXPECT_TRUE(
            system.out.substr(second, system.out.find('\n', second) + 1 - second).ends_with(c.row))
            << system.out;
    }
}

// NVIDIA's Quadro devices of Debian's database, which the sanitizers' builds
// evaluate in a few seconds where the whole database takes a minute.
std::string QuadroPciIds() {
    std::istringstream database(ReadBytes(QST_PCI_IDS_PATH));
    std::string quadros = "10de  NVIDIA Corporation\n";
    bool nvidia = false;
    for (std::string line; std::getline(database, line);) {
        if (!line.starts_with('\t') && !line.starts_with('#')) {
            nvidia = line.starts_with("10de  ");
        }
        if (nvidia && line.find("[Quadro") != std::string::npos) {
            quadros += line + "\n";
        }
    }
    return quadros;
}

// The shipped list against a copy with one card from GL to NG, over Debian's
// database: that card's adapters, and no other Quadro.
TEST(DiffCommand, ShippedListOverThePciIdDatabase) {
    MemorySystem system;
    system.files[u"pci.ids"] = QuadroPciIds();
    ASSERT_GT(ReadDisplayAdapters(system.files[u"pci.ids"]).size(), 100u);
    system.files[u"old.txt"] = ShippedList();
    std::string changed = ShippedList();
    const std::string line = "\nQuadro 600,276.42,20110712,GL\n";
    const size_t at = changed.find(line);
    ASSERT_NE(at, std::string::npos);
    changed.replace(at + line.size() - 3, 2, "NG");
    system.files[u"new.txt"] = changed;
    EXPECT_EQ(system.Run({u"diff", u"old.txt", u"new.txt"}), kToolFindings);
    size_t rows = 0;
    for (size_t start = system.out.find('\n') + 1; start < system.out.size();
         start = system.out.find('\n', start) + 1) {
        ++rows;
        EXPECT_TRUE(system.out.compare(start, 19, "NVIDIA Quadro 600  ") == 0)
            << system.out.substr(start, system.out.find('\n', start) - start);
    }
    EXPECT_EQ(rows, 6u);  // below, at and above its driver, with OpenGL below 3 and from 3 on
}

}  // namespace
