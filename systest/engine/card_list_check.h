// Check 7: the graphics card row and the driver row, from the diagnostic
// program's exit code and the entry that the card list scan remembered for
// the primary adapter.
#pragma once

#include "adapters/card_list_search.h"
#include "adapters/diagnostic_contract.h"
#include "adapters/primary_video_adapter.h"
#include "systest/engine/check_result.h"
#include "systest/engine/string_source.h"

#include <cstdint>

// The launcher's code for a diagnostic that could not be started, beside
// the diagnostic's own exit codes.
inline constexpr int32_t kDiagnosticNotStarted = -1;

// Whether the adapter reports a name. Texts about one that reports none (some
// drivers give no caption) take their forms without the name, so none reads
// "The graphics card  is not supported".
bool HasAdapterName(const PrimaryVideoAdapter& adapter);

// Fills card and driver, both cleared first; a result that stays at level 0
// gives no row. Entry codes count only when written exactly. A card the list
// names keeps the list's verdict whatever the diagnostic let pass (an "NG"
// card is not supported, a driver older than its line's version or date is
// told with both); one it does not name passes without being called
// certified. A remote session and screens on different adapters are told as
// what they are, and so is a virtual machine's adapter.
void DecideCardList(int32_t exitCode, const CardListMatch& match,
                    const PrimaryVideoAdapter& adapter, const StringSource& strings,
                    CheckResult& card, CheckResult& driver);
