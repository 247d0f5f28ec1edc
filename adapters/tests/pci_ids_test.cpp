// The list rules over real data: the display adapters of NVIDIA, AMD and Intel
// in the PCI ID database (Debian package pci.ids).
#include "adapters/card_list.h"

#include "common/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

struct PciDevice {
    std::string vendor;  // 4 hex digits, lower case as in the database
    std::string device;
    std::string model;  // the marketing name in brackets; empty when there is none
};

struct Vendor {
    const char* id;
    const char* captionPrefix;  // how Windows' caption begins for the vendor
};
constexpr Vendor kVendors[] = {{"10de", "NVIDIA"}, {"1002", "AMD"}, {"8086", "Intel(R)"}};

// Model names of display adapters begin with one of these families.
constexpr const char* kFamilies[] = {
    "GeForce", "Quadro", "NVS",         "Radeon", "Mobility Radeon",
    "FirePro", "FireGL", "HD Graphics", "Iris",   "UHD Graphics"};

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string Trim(std::string text) {
    const size_t start = text.find_first_not_of(' ');
    const size_t end = text.find_last_not_of(' ');
    return start == std::string::npos ? std::string() : text.substr(start, end - start + 1);
}

// "GT200GL [Quadro FX 5800]" gives "Quadro FX 5800"; of "[Radeon HD 7970/8970
// OEM / R9 280X]" only the first name is whole.
std::string ModelName(const std::string& name) {
    const size_t open = name.find('[');
    const size_t close = name.find(']', open);
    if (open == std::string::npos || close == std::string::npos) {
        return {};
    }
    const std::string model =
        Trim(name.substr(open + 1, close - open - 1)
                 .substr(0, name.substr(open + 1, close - open - 1).find('/')));
    for (const char* family : kFamilies) {
        if (StartsWith(model, family)) {
            return model;
        }
    }
    return {};
}

// Display adapters: a model name of a display family, or (Intel, whose
// database names seldom carry one) "Graphics" in the description.
std::vector<PciDevice> ReadDisplayAdapters() {
    std::ifstream file(QST_PCI_IDS_PATH);
    std::vector<PciDevice> devices;
    std::string vendor;
    std::string line;
    while (std::getline(file, line)) {
        if (StartsWith(line, "C ")) {
            break;  // the device classes follow the vendors
        }
        if (line.size() > 6 && line[0] != '\t' && line[0] != '#' && line.substr(4, 2) == "  ") {
            vendor = line.substr(0, 4);
            continue;
        }
        if (line.size() < 8 || line[0] != '\t' || line[1] == '\t' || line.substr(5, 2) != "  ") {
            continue;
        }
        bool wanted = false;
        for (const Vendor& v : kVendors) {
            wanted = wanted || vendor == v.id;
        }
        const std::string name = line.substr(7);
        const std::string model = ModelName(name);
        if (wanted &&
            (!model.empty() || (vendor == "8086" && name.find("Graphics") != std::string::npos))) {
            devices.push_back({vendor, line.substr(1, 4), model});
        }
    }
    return devices;
}

const std::vector<PciDevice>& DisplayAdapters() {
    static const std::vector<PciDevice> devices = ReadDisplayAdapters();
    return devices;
}

std::u16string Caption(const PciDevice& device) {
    for (const Vendor& v : kVendors) {
        if (device.vendor == v.id) {
            return Utf16FromAscii(std::string(v.captionPrefix) + " " + device.model);
        }
    }
    return Utf16FromAscii(device.model);
}

std::u16string PnpDeviceId(const PciDevice& device) {
    return ToUpperAscii(Utf16FromAscii("PCI\\VEN_" + device.vendor + "&DEV_" + device.device +
                                       "&SUBSYS_00000000&REV_00\\4&2B5A3A7C&0&0010"));
}

const Dialect kDialects[] = {Dialect::QuarvelSysTest, Dialect::Vexmira};

TEST(PciIds, DatabaseHoldsTheDisplayAdapters) {
    size_t models = 0;
    for (const PciDevice& device : DisplayAdapters()) {
        models += device.model.empty() ? 0 : 1;
    }
    EXPECT_GT(DisplayAdapters().size(), 1000u);
    EXPECT_GT(models, 1000u);
}

TEST(PciIds, EveryModelNameMatchesItsOwnCaption) {
    for (const PciDevice& device : DisplayAdapters()) {
        if (device.model.empty()) {
            continue;
        }
        const std::u16string name = Utf16FromAscii(device.model);
        for (Dialect dialect : kDialects) {
            EXPECT_TRUE(MatchCardListEntry(name, Caption(device), PnpDeviceId(device), dialect))
                << device.vendor << ":" << device.device << " " << device.model;
        }
    }
}

TEST(PciIds, EveryPciFragmentMatchesItsDeviceOnly) {
    // A fragment could only be confused with an id that shares its text: the
    // same device under another vendor, or a neighbouring device of its vendor
    // (the same first two digits: dev_0640 and dev_0641, dev_0659 and dev_065a).
    std::vector<PciDevice> devices;
    for (const PciDevice& device : DisplayAdapters()) {
        const bool listed = std::any_of(devices.begin(), devices.end(), [&](const PciDevice& d) {
            return d.vendor == device.vendor && d.device == device.device;
        });
        if (!listed) {  // the database lists a few ids twice
            devices.push_back(device);
        }
    }
    std::map<std::string, std::vector<const PciDevice*>> neighbours;  // by digits 1-2
    for (const PciDevice& device : devices) {
        neighbours[device.device.substr(0, 2)].push_back(&device);
    }
    size_t comparisons = 0;
    for (const PciDevice& own : devices) {
        const std::u16string fragment =
            Utf16FromAscii("pci\\ven_" + own.vendor + "&dev_" + own.device);
        std::vector<PciDevice> others;
        for (const PciDevice* other : neighbours[own.device.substr(0, 2)]) {
            others.push_back(*other);
        }
        for (const Vendor& vendor : kVendors) {
            others.push_back({vendor.id, own.device, {}});
        }
        for (const PciDevice& other : others) {
            const bool same = other.vendor == own.vendor && other.device == own.device;
            for (Dialect dialect : kDialects) {
                ++comparisons;
                EXPECT_EQ(MatchCardListEntry(fragment, u"", PnpDeviceId(other), dialect), same)
                    << own.vendor << ":" << own.device << " against " << other.vendor << ":"
                    << other.device;
            }
        }
    }
    EXPECT_GT(comparisons, 10 * devices.size());
}

std::vector<std::string> Words(const std::string& name) {
    std::vector<std::string> words;
    std::string word;
    for (char c : name + ' ') {
        if (c == ' ') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return words;
}

// Whether b is a's model with a longer number: the same words, except that one
// of a's words runs on into a digit or an "m" in b ("Quadro FX 580" and
// "Quadro FX 5800", "GeForce 8600 GT" and "GeForce 8600M GT"). b may have more
// words after a's.
bool ExtendsNumber(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (b.size() < a.size()) {
        return false;
    }
    size_t extended = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i]) {
            continue;
        }
        const bool runsOn = b[i].size() > a[i].size() && StartsWith(b[i], a[i]) &&
                            IsAsciiDigit(static_cast<char16_t>(b[i][a[i].size()]));
        const bool mobile = b[i].size() > a[i].size() && StartsWith(b[i], a[i]) &&
                            b[i][a[i].size()] == 'm' && !a[i].empty() &&
                            IsAsciiDigit(static_cast<char16_t>(a[i].back()));
        if (!runsOn && !mobile) {
            return false;
        }
        ++extended;
    }
    return extended == 1;
}

TEST(PciIds, NoModelMatchesAModelWhoseNumberExtendsIt) {
    std::vector<const PciDevice*> models;
    std::vector<std::vector<std::string>> words;
    for (const PciDevice& device : DisplayAdapters()) {
        if (!device.model.empty()) {
            models.push_back(&device);
            words.push_back(Words(device.model));
        }
    }
    size_t pairs = 0;
    bool quadro = false;
    bool geforce = false;
    for (size_t a = 0; a < models.size(); ++a) {
        for (size_t b = 0; b < models.size(); ++b) {
            if (!ExtendsNumber(words[a], words[b])) {
                continue;
            }
            ++pairs;
            quadro = quadro ||
                     (models[a]->model == "Quadro FX 580" && models[b]->model == "Quadro FX 5800");
            geforce = geforce || (models[a]->model == "GeForce 8600 GT" &&
                                  models[b]->model == "GeForce 8600M GT");
            const std::u16string name = Utf16FromAscii(models[a]->model);
            for (Dialect dialect : kDialects) {
                EXPECT_FALSE(
                    MatchCardListEntry(name, Caption(*models[b]), PnpDeviceId(*models[b]), dialect))
                    << models[a]->model << " against " << models[b]->model;
            }
        }
    }
    EXPECT_GT(pairs, 100u);
    EXPECT_TRUE(quadro);
    EXPECT_TRUE(geforce);
}

}  // namespace
