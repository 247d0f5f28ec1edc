// The language strings of the tests: a table in memory with short English
// texts whose arguments show in the result, standing in for Lang_En.Dll.
#pragma once

#include "systest/engine/string_source.h"
#include "systest/resources/string_ids.h"

#include <map>
#include <string>
#include <utility>

class MemoryStrings final : public StringSource {
  public:
    MemoryStrings() = default;
    explicit MemoryStrings(std::map<int, std::u16string> table) : table_(std::move(table)) {}

    std::u16string Load(int id) const override {
        const auto found = table_.find(id);
        return found == table_.end() ? std::u16string() : found->second;
    }

    void Set(int id, std::u16string text) { table_[id] = std::move(text); }
    void Remove(int id) { table_.erase(id); }

  private:
    std::map<int, std::u16string> table_ = {
        {IDS_STATUS_FAILED, u"Failed: "},
        {IDS_STATUS_WARNING, u"Warning: "},
        {IDS_STATUS_PASSED, u"Passed: "},
        {IDS_STATUS_NO_RESULT, u"No result: "},
        {IDS_OS_NOT_SUPPORTED, u"Windows version not supported"},
        {IDS_OS_SERVICE_PACK_TOO_OLD, u"Service Pack %d required"},
        {IDS_OS_PASSED, u"Windows version supported"},
        {IDS_OS_NEWER_WINDOWS, u"Windows version newer than known"},
        {IDS_META_DATA, u"Meta data: %c%s%c %s %s %s"},
        {IDS_CPU_FAILED, u"Processor without SSE2"},
        {IDS_CPU_PASSED, u"Processor with SSE2"},
        {IDS_DISK_BELOW, u"Drive %s: below %d GB"},
        {IDS_DISK_PASSED, u"Drive %s: at least %d GB"},
        {IDS_MEMORY_FAILED, u"Memory too small"},
        {IDS_MEMORY_WARNING, u"Memory small"},
        {IDS_MEMORY_PASSED, u"Memory sufficient"},
        {IDS_MEMORY_UNREADABLE, u"Memory not readable"},
        {IDS_SCREEN_BELOW, u"Screen below %dx%d"},
        {IDS_SCREEN_PASSED, u"Screen at least %dx%d"},
        {IDS_SUMMARY_FAILED, u"This computer does not meet the requirements of %s."},
        {IDS_SUMMARY_WARNING, u"This computer meets the minimum requirements of %s."},
        {IDS_SUMMARY_PASSED, u"This computer meets the requirements of %s."},
        // The graphics checks.
        {IDS_GPU_MEMORY_LOW, u"%s: less than %d MB"},
        {IDS_GPU_MEMORY_PASSED, u"%s: at least %d MB"},
        {IDS_CARD_NOT_SUPPORTED, u"%s is not supported"},
        {IDS_GPU_MEMORY_LOW_UNNAMED, u"Adapter: less than %d MB"},
        {IDS_GPU_MEMORY_PASSED_UNNAMED, u"Adapter: at least %d MB"},
        {IDS_CARD_NOT_SUPPORTED_UNNAMED, u"The card is not supported"},
        {IDS_CARD_DRIVER_CHECK, u"Check the driver"},
        {IDS_CARD_DRIVER_CHECK_REPORT, u"Check the driver for %s"},
        {IDS_DRIVER_OLDER_VERSION, u"Driver %s needed, %s found"},
        {IDS_DRIVER_OLDER_DATE, u"Driver of %s needed, of %s found"},
        {IDS_CARD_DRIVER_OLDER_VERSION, u"Driver %s older than %s"},
        {IDS_CARD_DRIVER_OLDER_DATE, u"Driver of %s older than of %s"},
        {IDS_CARD_NOT_CERTIFIED, u"%s passes, not certified"},
        {IDS_CARD_NOT_CERTIFIED_UNNAMED, u"The card passes, not certified"},
        {IDS_GRAPHICS_REMOTE_SESSION, u"Not tested: remote session"},
        {IDS_CARD_SCREENS_ON_DIFFERENT_ADAPTERS, u"Not judged: screens on two adapters"},
        {IDS_CARD_VIRTUAL_MACHINE, u"Virtual machine: passes"},
        {IDS_CARD_VIRTUAL_MACHINE_NOT_SUPPORTED, u"Virtual machine: not supported"},
        {IDS_HYBRID_GRAPHICS, u"%s judged, %s idle"},
        {IDS_REPORT_ADAPTERS, u"Adapters as Windows reports them:"},
        {IDS_CARD_SUPPORTED, u"Card supported"},
        {IDS_DIAGNOSTIC_UNFINISHED, u"Graphics test unfinished"},
        {IDS_DIAGNOSTIC_NOT_STARTED, u"Graphics test not started"},
        {IDS_ADAPTERS_DIFFER, u"Adapters differ"},
        {IDS_DRIVER_VERSION_UNREADABLE, u"Driver version not readable"},
        {IDS_CARD_SWITCHABLE_SUPPORTED, u"Card supported (switchable)"},
    };
};
