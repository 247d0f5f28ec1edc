// Real machines through both programs: what Windows reported of their
// graphics (WMI's Win32_VideoController rows, the display devices, the
// OpenGL strings), as public hardware dumps, driver files and issue threads
// show them, run through the real adapter discovery, the shipped list,
// Vexmira's card step and QuarvelSysTest's graphics checks. Each row says
// what the person at that machine should read.
//
// Sources, by the short names of the rows:
//   S1  OSDeploy GitBook, "Video Drivers" (an SCCM inventory of WMI names)
//   S2  OSDeploy GitBook drivers/video-drivers/intel/intel-generations.md
//   S3  StefanG3D/INF-modding nv_dispi_39101.inf, [Strings]
//   S5  FoldingAtHome/fah-issues #873 (AMD driver names, 2012)
//   S6  deepfakes/faceswap lib/gpu_stats/rocm.py, _DEVICE_LOOKUP
//   S7  Wine's wined3d gpu_description_table (Windows' captions)
//   S8  aosp-mirror/platform_external_qemu android/opengl/gpuinfo_unittest.cpp
//   S9  google/winops gwinpy/wmi/hw_info_test.py, testVideoControllers
//   S10 KhronosGroup/Vulkan-Loader #283 (Get-WmiObject Win32_VideoController)
//   S11 MicrosoftDocs/winrt-api #378 (display devices with an empty DeviceID)
//   S12 Siv3D/OpenSiv3D #719, S13 strongtz/i915-sriov-dkms #316 (Remote Desktop)
//   S14 prusa3d/PrusaSlicer #12908, #12671, #6150 (OpenGL strings on Windows)
//   S15 ValveSoftware/halflife #3989 (AMD's OpenGL strings)
//   S17 AdrianoDiDio/Medal-Of-Honor-PSX-File-Viewer #9 ("GDI Generic" 1.1.0)
//   S18 ToniIAPro73/Anclora-Aura-Reflect DxDiag.md (a render-only RTX 3050)
//   S19 a Windows 8.1 ASUS laptop's device dump (HD 4000 + GT 635M)
//   S20 VirtualDrivers/Virtual-Display-Driver #364, #12
//   S24 JHRobotics/vmdisp9x README (VirtualBox ids); OVITO ("2.1 Chromium 1.9")
//   S25 VMware SVGA 3D ids and driver 9.17.11.3; vmware/open-vm-tools #674
//   S26 marosset/EliiseS aks-windows-gpu-acceleration ("Microsoft Hyper-V Video")
//   S27 virtio-win guides ("Red Hat QXL controller"); a QEMU guest's
//       "Microsoft Basic Display Adapter, AdapterRAM 0"
//   S28 Blender's OpenGL backend (Intel "3.1.0 - Build 9.17.10.4101")
//   S29 an Ogre log ("4.0.0 - Build 10.18.10.4425", HD 4000)
//   S30 windowsadmins/cimian #78 (a card without a driver)
//   S31 IGCIT #402 (Arc A770, 31.0.101.4575); S33 a crash report (HD 7950)
//   PN  our platform notes: NVIDIA 31.0.15.3623 = 536.23, AdapterRAM 4293918720
//       for 4 GiB and more, the Remote Desktop, dock and VM patterns
// Subsystem ids, instance suffixes and dates that no source gave are filled
// in the pattern the sources show.
#include "cardlist/explain.h"

#include "cardlist/tests/memory_system.h"
#include "common/text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Adapter {
    const char16_t* caption;
    const char16_t* pnpDeviceId;
    std::optional<uint32_t> adapterRam;  // none: VT_NULL
    const char16_t* driverVersion;       // null: WMI gives none (no driver)
    const char16_t* driverDate;          // yyyymmdd
};

// How an adapter's screens show among the display devices.
enum class Screen {
    None,          // drives no screen (render-only, powered down, no driver)
    Primary,       // the primary screen
    Other,         // a further screen of the desktop
    PrimaryNoId,   // the primary screen, its device id empty (S11)
    PrimaryNoKey,  // the primary screen of a remote session: no driver key
    OtherMirror,   // a mirroring driver's device
};

struct OnMachine {
    const Adapter& adapter;
    Screen screen;
};

struct GL {
    const char* vendor;
    const char* version;
};

// clang-format off
// Adapters as WMI reports them.
const Adapter kRtx3060{u"NVIDIA GeForce RTX 3060", u"PCI\\VEN_10DE&DEV_2504&SUBSYS_397D1462&REV_A1\\4&2B49CAF9&0&0019", 4293918720u, u"31.0.15.3623", u"20230515"};  // S3, PN
const Adapter kRx6600{u"AMD Radeon RX 6600", u"PCI\\VEN_1002&DEV_73FF&SUBSYS_50221462&REV_C7\\6&1AB6C12D&0&00000010", 4293918720u, u"31.0.12044.3", u"20221025"};  // PN
const Adapter kUhd630{u"Intel(R) UHD Graphics 630", u"PCI\\VEN_8086&DEV_3E92&SUBSYS_86941043&REV_00\\3&11583659&0&10", 1073741824u, u"31.0.101.2111", u"20220606"};  // S20 #12, S8
const Adapter kArcA770{u"Intel(R) Arc(TM) A770 Graphics", u"PCI\\VEN_8086&DEV_56A0&SUBSYS_10208086&REV_08\\6&2A1E8AC2&0&00080008", 4293918720u, u"31.0.101.4575", u"20230707"};  // S31
const Adapter kFx580Old{u"NVIDIA Quadro FX 580", u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&16C9E9F9&0&0010", 536870912u, u"8.17.12.6099", u"20101130"};  // S1: 260.99
const Adapter kFx580Last{u"NVIDIA Quadro FX 580", u"PCI\\VEN_10DE&DEV_0659&SUBSYS_063A10DE&REV_A1\\4&16C9E9F9&0&0010", 536870912u, u"21.21.13.4201", u"20161114"};  // S1: 342.01
const Adapter kGtx560{u"NVIDIA GeForce GTX 560 ", u"PCI\\VEN_10DE&DEV_1201&SUBSYS_35131462&REV_A1\\4&2A43D483&0&0010", 1073741824u, u"8.17.12.8562", u"20111024"};  // S3 (with its blank)
const Adapter kFx570{u"NVIDIA Quadro FX 570", u"PCI\\VEN_10DE&DEV_040E&SUBSYS_040E10DE&REV_A1\\4&1E1E3E2C&0&0010", 268435456u, u"8.17.12.7642", u"20110712"};  // S1
const Adapter k8400gs{u"NVIDIA GeForce 8400GS", u"PCI\\VEN_10DE&DEV_10C3&SUBSYS_83541043&REV_A2\\4&3A1B2C3D&0&0010", 536870912u, u"21.21.13.4201", u"20161114"};  // S3, S1
const Adapter k9500gt{u"NVIDIA GeForce 9500 GT", u"PCI\\VEN_10DE&DEV_0640&SUBSYS_C8141458&REV_A1\\4&1C3D25BB&0&0010", 536870912u, u"8.17.12.8562", u"20111024"};  // S7
const Adapter kHd4000of2012{u"Intel(R) HD Graphics 4000", u"PCI\\VEN_8086&DEV_0166&SUBSYS_21FB17AA&REV_09\\3&E89B380&0&10", 2214592512u, u"9.17.10.2843", u"20120919"};  // S9
const Adapter kHd4000{u"Intel(R) HD Graphics 4000", u"PCI\\VEN_8086&DEV_0166&SUBSYS_14471043&REV_09\\3&11583659&0&10", 2147483648u, u"10.18.10.4425", u"20160322"};  // S19
const Adapter kHd3000Old{u"Intel(R) HD Graphics 3000", u"PCI\\VEN_8086&DEV_0126&SUBSYS_21CF17AA&REV_09\\3&E89B380&0&10", 1073741824u, u"8.15.10.2321", u"20110218"};  // S2, S7
const Adapter kHdGt1{u"Intel(R) HD Graphics", u"PCI\\VEN_8086&DEV_0102&SUBSYS_2ABD103C&REV_09\\3&11583659&0&10", 1073741824u, u"9.17.10.4101", u"20150112"};  // S2, S28
const Adapter kHd520{u"Intel(R) HD Graphics 520", u"PCI\\VEN_8086&DEV_1916&SUBSYS_06B21028&REV_07\\3&11583659&0&10", 1073741824u, u"10.18.15.4281", u"20150831"};  // S8
const Adapter kHd630{u"Intel(R) HD Graphics 630", u"PCI\\VEN_8086&DEV_591B&SUBSYS_07C01028&REV_04\\3&11583659&0&10", 1073741824u, u"26.20.100.7262", u"20190916"};  // S10's machine
const Adapter kArcLaptop{u"Intel(R) Arc(TM) Graphics", u"PCI\\VEN_8086&DEV_7D55&SUBSYS_053B1854&REV_08\\3&11583659&0&10", 2147483648u, u"32.0.101.5768", u"20240614"};  // S18
const Adapter kGt635m{u"NVIDIA GeForce GT 635M", u"PCI\\VEN_10DE&DEV_0DE3&SUBSYS_14471043&REV_A1\\4&1595E8D4&0&0008", 2147483648u, u"21.21.13.7633", u"20161206"};  // S19
const Adapter kRtx3050Laptop{u"NVIDIA GeForce RTX 3050 4GB Laptop GPU", u"PCI\\VEN_10DE&DEV_25AB&SUBSYS_052F1854&REV_A1\\4&2F2357E9&0&0008", 4293918720u, u"32.0.15.5599", u"20240601"};  // S18
const Adapter kApu{u"AMD Radeon(TM) Graphics", u"PCI\\VEN_1002&DEV_1638&SUBSYS_12BB1462&REV_C4\\3&2411E6FE&0&41", 536870912u, u"31.0.12044.3", u"20221025"};  // DirectML device list
const Adapter kRx6600m{u"AMD Radeon RX 6600M", u"PCI\\VEN_1002&DEV_73FF&SUBSYS_12BB1462&REV_C3\\6&1AB6C12D&0&00000010", 4293918720u, u"31.0.12044.3", u"20221025"};  // the same list
const Adapter kRadeon610m{u"AMD Radeon(TM) 610M", u"PCI\\VEN_1002&DEV_164E&SUBSYS_3E0617AA&REV_C9\\3&2411E6FE&0&41", 536870912u, u"32.0.13031.3015", u"20250305"};  // tubatoolsPlugin #625
const Adapter kRtx5060Laptop{u"NVIDIA GeForce RTX 5060 Laptop GPU", u"PCI\\VEN_10DE&DEV_2D59&SUBSYS_3E0617AA&REV_A1\\4&1FC990D7&0&0009", 4293918720u, u"32.0.15.7652", u"20250701"};  // tubatoolsPlugin #249
const Adapter kR5m335{u"AMD Radeon (TM) R5 M335", u"PCI\\VEN_1002&DEV_6660&SUBSYS_06B21028&REV_81\\4&2370267D&0&00E0", 4293918720u, u"15.300.1025.1001", u"20151204"};  // S8
const Adapter kRtx2060{u"NVIDIA GeForce RTX 2060", u"PCI\\VEN_10DE&DEV_1F08&SUBSYS_37541462&REV_A1\\4&2B49CAF9&0&0019", 4293918720u, u"27.21.14.6109", u"20201224"};  // ReadySunValley #31
const Adapter kRtx3090{u"NVIDIA GeForce RTX 3090", u"PCI\\VEN_10DE&DEV_2204&SUBSYS_161319DA&REV_A1\\4&3834D97&0&0008", 4293918720u, u"31.0.15.3623", u"20230515"};  // S20 #364
const Adapter kP400{u"NVIDIA Quadro P400", u"PCI\\VEN_10DE&DEV_1CB3&SUBSYS_11BE10DE&REV_A1\\4&1F0E3A2B&0&0010", 2147483648u, u"31.0.15.3623", u"20230515"};  // pci.ids 1cb3
const Adapter kM1200{u"NVIDIA Quadro M1200", u"PCI\\VEN_10DE&DEV_13B6&SUBSYS_07C01028&REV_A2\\4&2D211F3D&0&0008", 4293918720u, u"25.21.14.1771", u"20181214"};  // S10
const Adapter kDisplayLink{u"DisplayLink USB Device", u"USB\\VID_17E9&PID_430C&MI_00\\8&D6F23A6&1&0000", std::nullopt, u"10.2.6961.0", u"20220517"};  // S10
const Adapter kVncMirror{u"VNC Mirror Driver", u"ROOT\\DISPLAY\\0000", std::nullopt, u"1.8.0.0", u"20080314"};  // S8
const Adapter kGtx660m{u"NVIDIA GeForce GTX 660M ", u"PCI\\VEN_10DE&DEV_0FD4&SUBSYS_21151043&REV_A1\\4&169534F2&0&0008", 2147483648u, u"10.18.13.6472", u"20160321"};  // S8
const Adapter kVirtualDisplay{u"Virtual Display Driver", u"ROOT\\DISPLAY\\0000", std::nullopt, u"1.0.0.0", u"20231015"};  // S20 #364
const Adapter kRemoteDisplay{u"Microsoft Remote Display Adapter", u"SWD\\REMOTEDISPLAYENUM\\RDPIDD_INDIRECTDISPLAY&SESSIONID_0002", std::nullopt, u"10.0.19041.3636", u"20060621"};  // S12, S13, PN
const Adapter kVmware{u"VMware SVGA 3D", u"PCI\\VEN_15AD&DEV_0405&SUBSYS_040515AD&REV_00\\3&61AAA01&0&78", 268435456u, u"9.17.11.3", u"20240212"};  // S25
const Adapter kVirtualBox{u"VirtualBox Graphics Adapter (WDDM)", u"PCI\\VEN_80EE&DEV_BEEF&SUBSYS_040515AD&REV_00\\3&267A616A&1&10", 134217728u, u"7.0.12.9681", u"20231017"};  // S24
const Adapter kHyperV{u"Microsoft Hyper-V Video", u"VMBUS\\{DA0A7802-E377-4AAC-8E77-0558EB1073F8}\\{5620E0C7-8062-4DCE-AEB7-520C7EF76171}", std::nullopt, u"10.0.17763.1", u"20060621"};  // S26
const Adapter kQxl{u"Red Hat QXL controller", u"PCI\\VEN_1B36&DEV_0100&SUBSYS_11001AF4&REV_05\\3&267A616A&0&10", 268435456u, u"10.0.0.21000", u"20210319"};  // S27
const Adapter kQemuBasic{u"Microsoft Basic Display Adapter", u"PCI\\VEN_1234&DEV_1111&SUBSYS_11001AF4&REV_02\\3&13C0B0C5&0&10", 0u, u"10.0.19041.3636", u"20060621"};  // S27
const Adapter kNoDriver{u"Video Controller (VGA Compatible)", u"PCI\\VEN_10DE&DEV_1D01&SUBSYS_37991458&REV_A1\\4&1F0E3A2B&0&0010", std::nullopt, nullptr, u"20060621"};  // PN, S30
const Adapter kHd4350{u"ATI Radeon HD 4300/4500 Series", u"PCI\\VEN_1002&DEV_954F&SUBSYS_30501787&REV_00\\4&2E3E0F4D&0&0010", 536870912u, u"8.850-110504a-118930C-ATI", u"20110504"};  // S7, PN
const Adapter kV4800{u"ATI FirePro V4800 (FireGL) Graphics Adapter", u"PCI\\VEN_1002&DEV_68C8&SUBSYS_24501002&REV_00\\4&1F0E3A2B&0&0010", 1073741824u, u"8.850.0.0", u"20110607"};  // S5, S6
const Adapter kHd7950{u"AMD Radeon HD 7900 Series", u"PCI\\VEN_1002&DEV_679A&SUBSYS_3000174B&REV_00\\4&2A43D483&0&0010", 3221225472u, u"8.921.0.0", u"20111220"};  // S33

// OpenGL as the drivers report it.
const GL kNvidiaGL{"NVIDIA Corporation", "4.6.0 NVIDIA 536.23"};  // PN
const GL kNvidiaGL33{"NVIDIA Corporation", "3.3.0"};               // S14 #12908
const GL kNvidiaGL42{"NVIDIA Corporation", "4.2.0"};
const GL kAmdGL{"ATI Technologies Inc.", "4.6.0 Compatibility Profile Context 22.20.44.221025"};  // S15, PN
const GL kAtiGL33{"ATI Technologies Inc.", "3.3.10750 Compatibility Profile Context"};  // S28, S14 #7574
const GL kIntelGL{"Intel", "4.6.0 - Build 31.0.101.2111"};          // S14 #12671
const GL kIntelGL40{"Intel", "4.0.0 - Build 10.18.10.4425"};        // S29
const GL kIntelGL31{"Intel", "3.1.0 - Build 9.17.10.4101"};         // S28
const GL kVmwareGL{"VMware, Inc.", "4.3 (Compatibility Profile) Mesa 23.1.9"};  // S25
const GL kChromiumGL{"Humper", "2.1 Chromium 1.9"};                 // S24
const GL kGdiGeneric{"Microsoft Corporation", "1.1.0"};             // S17
// clang-format on

const std::u16string kVideoKey =
    u"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{";

WmiText Text(const char16_t* text) {
    return text != nullptr ? WmiText{WmiText::State::Text, text}
                           : WmiText{WmiText::State::NotText, {}};
}

// The machine Windows describes: each adapter a WMI row in the order given,
// its screens display devices of its hardware id, each with a driver key
// that holds the version WMI reports.
MachineFacts Describe(const std::vector<OnMachine>& adapters, bool remoteSession) {
    MachineFacts machine;
    machine.remoteSession = remoteSession;
    int key = 0;
    for (const OnMachine& on : adapters) {
        const Adapter& a = on.adapter;
        machine.controllers.push_back(
            {Text(a.caption),
             a.adapterRam ? WmiMemory{WmiMemory::State::Value, *a.adapterRam}
                          : WmiMemory{WmiMemory::State::Null, 0},
             Text((std::u16string(a.driverDate) + u"000000.000000-000").c_str()),
             Text(a.driverVersion), Text(a.pnpDeviceId)});
        if (on.screen == Screen::None) {
            continue;
        }
        const std::u16string pnp = a.pnpDeviceId;
        const std::u16string hardwareId = pnp.substr(0, pnp.find(u'\\', pnp.find(u'\\') + 1));
        const std::u16string subkey = u"{" + std::u16string(1, u'A' + key++) + u"}\\0000";
        const bool primary = on.screen == Screen::Primary || on.screen == Screen::PrimaryNoId ||
                             on.screen == Screen::PrimaryNoKey;
        const uint32_t flags = kDisplayAttachedToDesktop | (primary ? kDisplayPrimaryDevice : 0) |
                               (on.screen == Screen::OtherMirror ? kDisplayMirroringDriver : 0);
        machine.displays.push_back({on.screen == Screen::PrimaryNoId ? u"" : hardwareId,
                                    on.screen == Screen::PrimaryNoKey ? u"" : kVideoKey + subkey,
                                    flags, a.caption});
        if (a.driverVersion != nullptr) {
            DriverKeyValues values;
            values.driverVersion = {true, a.driverVersion};
            machine.driverKeys.emplace(u"System\\CurrentControlSet\\Control\\Video\\" + subkey,
                                       values);
        }
    }
    return machine;
}

// The rows as "key level/message", in the order the checks give them.
std::string Rows(const std::vector<RowVerdict>& rows) {
    std::string text;
    for (const RowVerdict& row : rows) {
        const std::string_view prefix = "graphics-";
        const std::string key =
            row.key.starts_with(prefix) ? row.key.substr(prefix.size()) : row.key;
        text += (text.empty() ? "" : ", ") + key + " " +
                std::to_string(static_cast<int>(row.level)) + "/" + std::to_string(row.message);
    }
    return text;
}

struct MachineCase {
    const char* what;
    std::vector<OnMachine> adapters;
    GL gl;
    int exitCode;  // Vexmira's, when its OpenGL capability and shader tests pass
    const char* rows;
    bool remoteSession = false;
};

constexpr Screen kNone = Screen::None;
constexpr Screen kPrimary = Screen::Primary;
constexpr Screen kOther = Screen::Other;

// Messages: 940/941 memory below/at least 256 MB; 980 not supported; 981 not
// certified, driver checked; 985 certified; 987 adapters differ; 989
// switchable graphics; 1000 passes, on no list line; 1002 remote session;
// 1003 screens on different adapters; 1004/1005 a virtual machine's that
// passes/does not; 1006 driver older than the line's version; 1008 a
// certified card's driver older; 1010 an idle discrete GPU beside the judged.
TEST(RealMachines, EachGetsTheVerdictItsUserShouldRead) {
    // clang-format off
    const MachineCase cases[] = {
        {"RTX 3060 desktop, not on the list", {{kRtx3060, kPrimary}}, kNvidiaGL, 3, "memory 3/941, card 3/1000"},
        {"RX 6600 desktop", {{kRx6600, kPrimary}}, kAmdGL, 3, "memory 3/941, card 3/1000"},
        {"UHD 630 desktop", {{kUhd630, kPrimary}}, kIntelGL, 3, "memory 3/941, card 3/1000"},
        {"Arc A770 desktop", {{kArcA770, kPrimary}}, kIntelGL, 3, "memory 3/941, card 3/1000"},
        {"Quadro FX 580 (GL), driver 260.99, OpenGL 3.3", {{kFx580Old, kPrimary}}, kNvidiaGL33, 2, "memory 3/941, card 2/1008"},
        {"Quadro FX 580 (GL), driver 342.01", {{kFx580Last, kPrimary}}, kNvidiaGL33, 3, "memory 3/941, card 4/985"},
        {"GeForce GTX 560 (GD), driver 285.62", {{kGtx560, kPrimary}}, kNvidiaGL42, 3, "memory 3/941, card 2/981"},
        {"Quadro FX 570 (GD), driver 276.42", {{kFx570, kPrimary}}, kNvidiaGL33, 3, "memory 3/941, card 2/981"},
        {"GeForce 8400 GS (NG), OpenGL 3.3", {{k8400gs, kPrimary}}, kNvidiaGL33, 0, "memory 3/941, card 2/980"},
        {"GeForce 9500 GT (GD) of 2008", {{k9500gt, kPrimary}}, kNvidiaGL33, 3, "memory 3/941, card 2/981"},
        {"HD 4000 (CD), driver of 2012", {{kHd4000of2012, kPrimary}}, kIntelGL40, 3, "memory 3/941, card 3/1000"},
        {"HD 3000 (CD, GD), driver older than both lines", {{kHd3000Old, kPrimary}}, kIntelGL31, 2, "memory 3/941, driver 2/1006"},
        {"Sandy Bridge GT1 (NG), named plain HD Graphics", {{kHdGt1, kPrimary}}, kIntelGL31, 0, "memory 3/941, card 2/980"},
        {"HD 4350 (NG) as its series, ATI's registry version", {{kHd4350, kPrimary}}, kAtiGL33, 0, "memory 3/941, card 2/980"},
        {"FirePro V4800 (GL), an older Catalyst", {{kV4800, kPrimary}}, kAtiGL33, 2, "memory 3/941, card 2/1008"},
        {"Radeon HD 7950 (GD) as the 7900 Series", {{kHd7950, kPrimary}}, kAmdGL, 3, "memory 3/941, card 2/981"},
        {"HD 4000 + GT 635M laptop, OpenGL on Intel", {{kHd4000, kPrimary}, {kGt635m, kNone}}, kIntelGL40, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
        {"HD 4000 + GT 635M laptop, OpenGL on NVIDIA", {{kHd4000, kPrimary}, {kGt635m, kNone}}, kNvidiaGL, 4, "memory 3/941, card 4/989"},
        {"Arc + RTX 3050 laptop, OpenGL on NVIDIA", {{kArcLaptop, kPrimary}, {kRtx3050Laptop, kNone}}, kNvidiaGL, 4, "memory 3/941, card 4/989"},
        {"AMD APU + RX 6600M laptop", {{kApu, kPrimary}, {kRx6600m, kNone}}, kAmdGL, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
        {"AMD 610M + RTX 5060 laptop, OpenGL on NVIDIA", {{kRadeon610m, kPrimary}, {kRtx5060Laptop, kNone}}, kNvidiaGL, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
        {"AMD R5 M335 first in WMI, off, beside HD 520", {{kR5m335, kNone}, {kHd520, kPrimary}}, kIntelGL, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
        {"Arc laptop, HDMI on the RTX 3050", {{kArcLaptop, kPrimary}, {kRtx3050Laptop, kOther}}, kIntelGL, 0, "memory 3/941, card 2/1003, adapters 2/987"},
        {"RTX 2060, a third screen on the onboard UHD 630", {{kRtx2060, kPrimary}, {kUhd630, kOther}}, kNvidiaGL, 0, "memory 3/941, card 2/1003, adapters 2/987"},
        {"RTX 3090 beside a Quadro P400", {{kRtx3090, kPrimary}, {kP400, kOther}}, kNvidiaGL, 0, "memory 3/941, card 2/1003, adapters 2/987"},
        {"DisplayLink dock beside HD 630 and Quadro M1200", {{kM1200, kNone}, {kDisplayLink, kOther}, {kHd630, kPrimary}}, kIntelGL, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
        {"DisplayLink dock only, the lid closed", {{kHd630, kNone}, {kDisplayLink, kPrimary}}, kIntelGL, 3, "memory 3/941, card 3/1000"},
        {"VNC mirror driver beside a GTX 660M", {{kVncMirror, Screen::OtherMirror}, {kGtx660m, kPrimary}}, kNvidiaGL, 3, "memory 3/941, card 3/1000"},
        {"virtual display driver beside an RTX 3090", {{kVirtualDisplay, kOther}, {kRtx3090, kPrimary}}, kNvidiaGL, 3, "memory 3/941, card 3/1000"},
        {"Remote Desktop into a UHD 630 + RTX 2060 desktop", {{kRemoteDisplay, Screen::PrimaryNoKey}, {kUhd630, kNone}, {kRtx2060, kNone}}, kGdiGeneric, 1, "card 2/1002", true},
        {"VMware guest, 3D on", {{kVmware, kPrimary}}, kVmwareGL, 3, "memory 3/941, card 3/1004"},
        {"VirtualBox guest", {{kVirtualBox, kPrimary}}, kChromiumGL, 0, "memory 2/940, card 2/1005"},
        {"Hyper-V guest", {{kHyperV, kPrimary}}, kGdiGeneric, 0, "card 2/1005"},
        {"QEMU guest with QXL", {{kQxl, kPrimary}}, kGdiGeneric, 0, "memory 3/941, card 2/1005"},
        {"QEMU guest, basic display driver", {{kQemuBasic, kPrimary}}, kGdiGeneric, 0, "card 2/1005"},
        {"certified Quadro beside a driverless device", {{kNoDriver, kNone}, {kFx580Last, kPrimary}}, kNvidiaGL33, 3, "memory 3/941, card 4/985"},
        {"display devices without an id, one Intel", {{kHdGt1, Screen::PrimaryNoId}}, kIntelGL31, 0, "memory 3/941, card 2/980"},
        {"display devices without an id, hybrid laptop", {{kGt635m, kNone}, {kHd4000, Screen::PrimaryNoId}}, kIntelGL40, 3, "memory 3/941, card 3/1000, hybrid-graphics 4/1010"},
    };
    // clang-format on
    ASSERT_GE(std::size(cases), 30u);
    const ListReadings list = ReadAsBothPrograms(ShippedList());
    for (const MachineCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Explanation explanation =
            Explain(list, u"GraphicsCardGBList.txt", Describe(c.adapters, c.remoteSession),
                    {c.gl.version, false, c.gl.vendor});
        EXPECT_EQ(explanation.vexmira.exitCode, c.exitCode);
        EXPECT_EQ(Rows(explanation.quarvelSysTest.rows), c.rows);
    }
}

}  // namespace
