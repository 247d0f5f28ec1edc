// What a change of the graphics card list re-rates: the display adapters of
// the PCI ID database, each evaluated against the old and the new list at the
// drivers that the lists' entries for it tell apart.
#pragma once

#include "cardlist/explain.h"
#include "cardlist/list_readings.h"

#include <string>
#include <string_view>
#include <vector>

// A display adapter as Windows names it.
struct PciAdapter {
    std::u16string caption;      // "NVIDIA GeForce 9500 GT"
    std::u16string pnpDeviceId;  // "PCI\VEN_10DE&DEV_0640&SUBSYS_00000000&REV_00\..."
};

// The display adapters of NVIDIA, AMD and Intel in the PCI ID database
// (pci.ids): its devices whose name is a display model ("G96 [GeForce 9500
// GT]"), or for Intel, whose models seldom carry one, that name graphics. The
// database gives no device its class, so the makers and model names stand in
// for display controllers.
std::vector<PciAdapter> ReadDisplayAdapters(std::string_view pciIds);

// What the user's programs end with: Vexmira's exit code and QuarvelSysTest's
// graphics rows, and the line each of them took.
struct Verdict {
    int exitCode = 0;
    std::vector<RowVerdict> rows;
    int entryLine = 0;  // the line QuarvelSysTest remembered; 0 for none
    std::u16string entryCode;
};

struct VerdictChange {
    PciAdapter adapter;
    AdapterFacts driver;  // the adapter with the driver of this evaluation
    OpenGLFacts gl;
    Verdict before;
    Verdict after;
};

// Every adapter whose verdict differs between the lists, at a driver just
// below, at and above the version and date of each entry that names it in
// either list, with OpenGL below 3 (the list must name the card) and from 3 on
// (a card it does not name passes).
std::vector<VerdictChange> DiffVerdicts(const ListReadings& before, const ListReadings& after,
                                        const std::vector<PciAdapter>& adapters);

// The changes as a table: adapter, PNP id, driver, OpenGL, before -> after.
std::u16string ChangesTable(const std::vector<VerdictChange>& changes);
