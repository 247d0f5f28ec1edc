// The number filter of the list's edit box: any character typed over any
// selection of any text, and the sign change. Input: the column flags, the
// selection start and end, the typed character (the line's first unit), the
// text.
#include "fuzz/fuzz_lines.h"

#include "systest/ui/userlist/list_column.h"
#include "systest/ui/userlist/number_filter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const uint32_t flags = NormaliseColumnFlags(static_cast<uint32_t>(input.NextNumber()));
    const auto start = static_cast<size_t>(static_cast<uint32_t>(input.NextNumber()));
    const auto end = static_cast<size_t>(static_cast<uint32_t>(input.NextNumber()));
    const std::u16string typed = input.Next();
    const std::u16string text = input.Next();
    const char16_t c = typed.empty() ? u'0' : typed.front();

    const TypedCharVerdict verdict = FilterTypedChar(flags, c, text, start, end);
    FUZZ_CHECK(verdict != TypedCharVerdict::Negate || (flags & AllowNegative));
    const Negation negation = NegateNumberText(text, (flags & Decimal) != 0);
    FUZZ_CHECK(negation.caretShift == 1 || negation.caretShift == -1);
    return 0;
}
