// What adapter discovery reads from the system, as three small sources: the
// WMI class Win32_VideoController, the display devices of the desktop and the
// display drivers' registry keys. The Windows layer (adapters/win) reads them;
// the tests give their own.
#pragma once

#include "adapters/dialect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A text property of a WMI object. It counts only when the VARIANT holds a BSTR.
struct WmiText {
    enum class State {
        ReadFailed,  // IWbemClassObject::Get failed
        NotText,     // read, but not a BSTR (VT_NULL, a number ...)
        Text,
    };
    State state = State::ReadFailed;
    std::u16string text;  // only with State::Text

    bool IsText() const { return state == State::Text; }
};

// Both programs judge AdapterRAM in whole MB, against the graphics memory the
// product recommends.
inline constexpr uint32_t kBytesPerMbShift = 20;
inline constexpr uint32_t kRecommendedGraphicsMemoryMb = 256;

// AdapterRAM, in bytes, as CIM's unsigned 32-bit number.
struct WmiMemory {
    enum class State {
        ReadFailed,     // IWbemClassObject::Get failed
        Null,           // VT_NULL or VT_EMPTY: no value
        Unconvertible,  // not convertible to an unsigned 32-bit number: unknown
        Value,
    };
    State state = State::ReadFailed;
    uint32_t bytes = 0;  // only with State::Value

    // Unknown memory counts as 0 in both programs.
    uint32_t BytesOrZero() const { return state == State::Value ? bytes : 0; }
};

// The properties of one Win32_VideoController object that the programs use.
struct WmiVideoController {
    WmiText caption;
    WmiMemory adapterRam;
    WmiText driverDate;  // a CIM datetime, yyyymmddHHMMSS.mmmmmmsUUU
    WmiText driverVersion;
    WmiText pnpDeviceId;
};

struct WmiVideoControllerQuery {
    // False when COM security, the locator, the connection or the query failed.
    bool ok = false;
    // The objects in the order of the query. The diagnostic's enumerator call
    // failing or giving no object leaves this empty; the system test stops
    // early at a failing call and keeps what it had.
    std::vector<WmiVideoController> objects;
};

class VideoControllerSource {
  public:
    virtual ~VideoControllerSource() = default;
    // "SELECT * FROM Win32_VideoController" with the dialect's flags, at most
    // kMaxVideoControllers objects.
    virtual WmiVideoControllerQuery Query(Dialect dialect) = 0;
};

// No more objects are asked of the query: the diagnostic's adapter table has
// 10 records and the system test asks 10 times for one object.
inline constexpr size_t kMaxVideoControllers = 10;

// DISPLAY_DEVICE state flags.
inline constexpr uint32_t kDisplayAttachedToDesktop = 0x1;
inline constexpr uint32_t kDisplayPrimaryDevice = 0x4;
inline constexpr uint32_t kDisplayMirroringDriver = 0x8;

struct DisplayDevice {
    std::u16string deviceId;   // a hardware id: PCI\VEN_10DE&DEV_0640&SUBSYS_...
    std::u16string deviceKey;  // \Registry\Machine\System\...\Video\{GUID}\0000
    uint32_t stateFlags = 0;
    std::u16string deviceString;  // the adapter's name, as WMI's Caption gives it
};

class DisplayDeviceSource {
  public:
    virtual ~DisplayDeviceSource() = default;
    // Every display device of the desktop's display adapters in the order the
    // system gives them; none when the system cannot enumerate them.
    virtual std::vector<DisplayDevice> Enumerate() = 0;
};

// A registry text value as read into a buffer of 100 UTF-16 units.
struct RegistryText {
    bool found = false;   // the query succeeded
    std::u16string text;  // up to the first NUL, at most 100 units
};

struct DriverKeyValues {
    RegistryText driverVersion;   // "DriverVersion"
    RegistryText releaseVersion;  // "ReleaseVersion"
};

class DriverKeySource {
  public:
    virtual ~DriverKeySource() = default;
    // Both version values of a subkey of HKEY_LOCAL_MACHINE; empty when the key
    // cannot be opened for reading.
    virtual std::optional<DriverKeyValues> Read(std::u16string_view subkey) = 0;
};

// The three sources together, as adapter discovery uses them.
struct VideoSystem {
    VideoControllerSource& controllers;
    DisplayDeviceSource& displays;
    DriverKeySource& driverKeys;
};

// The display devices that drive the desktop: attached, not a mirroring
// driver, and with a registry key.
bool IsDesktopDisplay(const DisplayDevice& device);

// A display device's registry key relative to HKEY_LOCAL_MACHINE: the kernel's
// "\Registry\Machine\" prefix (exactly so written) is dropped.
std::u16string_view DriverSubkey(std::u16string_view deviceKey);

// Whether a display device belongs to the WMI adapter of a PNP device id and
// caption: the diagnostic finds the device id anywhere in the upper-case PNP
// id, the system test at its start, exactly. Some Windows 10 builds report
// display devices with an empty id, which names no adapter: such a device
// belongs to the adapter whose caption is its device string, letter case
// aside, and to none when it has none.
bool DisplayBelongsToAdapter(const DisplayDevice& device, std::u16string_view pnpDeviceId,
                             std::u16string_view caption, Dialect dialect);

// Whether OpenGL can run on the adapter of a PNP device id. USB docks (USB\),
// virtual display drivers (ROOT\) and indirect or remote displays (SWD\)
// present screens that another adapter draws; they never count as the
// graphics adapter, and their screens are drawn by the one that does.
bool RendersOpenGL(std::u16string_view pnpDeviceId);

// Whether the adapter is a virtual machine's, by its PCI vendor (VMware,
// VirtualBox, Hyper-V, QEMU, Red Hat's virtio and QXL, Parallels) or by
// Hyper-V's synthetic video on the VM bus.
bool IsVirtualMachineAdapter(std::u16string_view pnpDeviceId);

// The adapter that draws the screens when no adapter that renders OpenGL
// owns a desktop display device, although screens are there whose device
// names no adapter (an empty id without a known name) or one that renders
// nothing (a dock, a virtual display): the only adapter that renders OpenGL
// and has a driver. Its index among the objects, or none when there is not
// exactly one.
std::optional<size_t> SoleRenderingAdapter(const std::vector<WmiVideoController>& objects,
                                           const std::vector<DisplayDevice>& displays,
                                           Dialect dialect);
