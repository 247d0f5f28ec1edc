// A language string used as a format: any format string with the arguments
// the program passes (texts and numbers, in any order against the format's
// conversions). Input: the format, then a text argument.
#include "fuzz/fuzz_lines.h"

#include "common/format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzLines input(data, size);
    const std::u16string format = input.Next();
    const std::u16string text = input.Next();
    const std::u16string formatted = FormatString(
        format, {text, 2012, u"Quarvel 2012", INT32_MIN, UINT32_MAX, u'\u00c4', INT32_MAX, text});
    FUZZ_CHECK(formatted.size() <= kFormatOutputLimit);
    FUZZ_CHECK(FormatString(format).size() <= kFormatOutputLimit);
    return 0;
}
