// The diagnostic's two adapter steps on the real system, sharing one
// process-wide adapter table.
#include "adapters/vexmira_adapters.h"

#include "adapters/card_list_search.h"
#include "adapters/video_adapters.h"
#include "adapters/win/card_list_stream.h"
#include "adapters/win/video_system.h"

namespace {

// Filled by the adapter test, read by the list search; lives until exit.
VideoAdapterTable& AdapterTable() {
    static VideoAdapterTable table;
    return table;
}

}  // namespace

int SummarizeVideoAdapters(DiagnosticLog& log) {
    Win32VideoSystem system;
    return SummarizeVideoAdapters(AdapterTable(), system.Sources(), log);
}

int SearchCardList(const std::u16string& listPath, int mode, DiagnosticLog& log) {
    CStreamCardListFiles files;
    return SearchCardList(AdapterTable(), listPath,
                          mode == 0 ? CardListMode::NamedCardsOnly : CardListMode::Full, files,
                          log);
}
