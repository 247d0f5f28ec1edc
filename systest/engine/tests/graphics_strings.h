// The graphics checks' language strings for the tests, with their arguments
// in view.
#pragma once

#include "systest/engine/string_source.h"
#include "systest/resources/string_ids.h"

#include <map>
#include <string>

class GraphicsStrings final : public StringSource {
  public:
    std::u16string Load(int id) const override {
        static const std::map<int, std::u16string> table = {
            {IDS_GPU_MEMORY_LOW, u"%s: less than %d MB"},
            {IDS_GPU_MEMORY_PASSED, u"%s: at least %d MB"},
            {IDS_CARD_NOT_SUPPORTED, u"%s is not supported"},
            {IDS_CARD_DRIVER_CHECK, u"Check the driver"},
            {IDS_CARD_DRIVER_CHECK_REPORT, u"Check the driver for %s"},
            {IDS_DRIVER_OUTDATED, u"Driver %d.%d needed, %d.%d found"},
            {IDS_CARD_DRIVER_OUTDATED, u"Driver %d.%d older than %d.%d"},
            {IDS_CARD_SUPPORTED, u"Card supported"},
            {IDS_ADAPTERS_DIFFER, u"Adapters differ"},
            {IDS_DRIVER_VERSION_UNREADABLE, u"Driver version not readable"},
            {IDS_CARD_SWITCHABLE_SUPPORTED, u"Card supported (switchable)"},
        };
        const auto found = table.find(id);
        return found == table.end() ? std::u16string() : found->second;
    }
};
