// A video system in memory for the adapter discovery tests: WMI objects,
// display devices and registry keys as a test sets them up.
#pragma once

#include "adapters/driver_version.h"
#include "adapters/tests/test_printers.h"
#include "adapters/video_sources.h"

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

inline WmiText Text(std::u16string text) {
    return {WmiText::State::Text, std::move(text)};
}
inline WmiText NotText() {
    return {WmiText::State::NotText, {}};
}
inline WmiText ReadFails() {
    return {WmiText::State::ReadFailed, {}};
}
inline WmiMemory Bytes(uint32_t bytes) {
    return {WmiMemory::State::Value, bytes};
}
inline constexpr uint32_t kMb = 1024 * 1024;

// The stock adapter of Wine's WMI, with the given caption and PNP device id.
inline WmiVideoController Controller(std::u16string caption, std::u16string pnpDeviceId,
                                     uint32_t memoryMb = 512,
                                     std::u16string driverVersion = u"8.17.12.9573",
                                     std::u16string driverDate = u"20120120000000.000000-000") {
    return {Text(std::move(caption)), Bytes(memoryMb * kMb), Text(std::move(driverDate)),
            Text(std::move(driverVersion)), Text(std::move(pnpDeviceId))};
}

inline constexpr char16_t kQuadroPnp[] =
    u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&2B5A3A7C&0&0010";
inline constexpr char16_t kQuadroDevice[] = u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1";
inline constexpr char16_t kRadeonPnp[] =
    u"PCI\\VEN_1002&DEV_6798&SUBSYS_30001002&REV_00\\4&1E1E2D2C&0&0008";
inline constexpr char16_t kRadeonDevice[] = u"PCI\\VEN_1002&DEV_6798&SUBSYS_30001002&REV_00";
inline constexpr char16_t kIntelPnp[] =
    u"PCI\\VEN_8086&DEV_0162&SUBSYS_21F317AA&REV_09\\3&21436425&0&10";
inline constexpr char16_t kIntelDevice[] = u"PCI\\VEN_8086&DEV_0162&SUBSYS_21F317AA&REV_09";

inline constexpr char16_t kVideoKeyPrefix[] =
    u"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\";

inline constexpr uint32_t kAttachedPrimary = kDisplayAttachedToDesktop | kDisplayPrimaryDevice;

class FakeVideoSystem final : public VideoControllerSource,
                              public DisplayDeviceSource,
                              public DriverKeySource {
  public:
    WmiVideoControllerQuery query{true, {}};
    std::vector<DisplayDevice> displays;
    std::map<std::u16string, DriverKeyValues, std::less<>> keys;  // by subkey of HKLM
    std::vector<Dialect> queriedDialects;
    std::vector<std::u16string> openedKeys;

    // A display device with its key "...\Video\{name}\0000" holding the values.
    void AddDisplay(std::u16string deviceId, std::u16string name, uint32_t flags,
                    std::u16string driverVersion, std::u16string releaseVersion = u"") {
        const std::u16string subkey =
            u"System\\CurrentControlSet\\Control\\Video\\{" + name + u"}\\0000";
        displays.push_back(
            {std::move(deviceId), kVideoKeyPrefix + (u"{" + name + u"}\\0000"), flags, u""});
        DriverKeyValues values;
        values.driverVersion = {!driverVersion.empty(), driverVersion};
        values.releaseVersion = {!releaseVersion.empty(), releaseVersion};
        keys[subkey] = values;
    }

    WmiVideoControllerQuery Query(Dialect dialect) override {
        queriedDialects.push_back(dialect);
        return query;
    }
    std::vector<DisplayDevice> Enumerate() override { return displays; }
    std::optional<DriverKeyValues> Read(std::u16string_view subkey) override {
        openedKeys.emplace_back(subkey);
        const auto it = keys.find(subkey);
        if (it == keys.end()) {
            return std::nullopt;
        }
        return it->second;
    }

    VideoSystem Sources() { return {*this, *this, *this}; }
};
