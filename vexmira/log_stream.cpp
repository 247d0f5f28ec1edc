#include "vexmira/log_stream.h"

#include "common/win/wide.h"

#include <windows.h>

namespace {

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(wchar_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// No ANSI code page but UTF-8 has characters beyond U+FFFF. Each of them, and
// each half of a broken pair, becomes one "?" (WideCharToMultiByte would give
// one per half).
std::wstring ReplaceSurrogates(std::wstring_view text) {
    std::wstring result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            ++i;
        }
        const bool surrogate = IsHighSurrogate(text[i]) || IsLowSurrogate(text[i]);
        result += surrogate ? L'?' : text[i];
    }
    return result;
}

}  // namespace

std::string ToLogEncoding(std::u16string_view text) {
    if (text.empty()) {
        return {};
    }
    // A UTF-8 ANSI code page (a Windows 10 option) takes neither the flag nor a
    // default character; there every character has an encoding anyway.
    const bool utf8 = GetACP() == CP_UTF8;
    const std::wstring wide = utf8 ? ToWide(text) : ReplaceSurrogates(ToWide(text));
    const int size = static_cast<int>(wide.size());
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* defaultChar = utf8 ? nullptr : "?";
    const int length =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, defaultChar, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), size, bytes.data(), length, defaultChar,
                        nullptr);
    return bytes;
}

TextStreamOutput::~TextStreamOutput() {
    if (!open_) {
        return;
    }
    if (redirected_) {
        std::fclose(stream_);
    } else {
        std::fflush(stream_);
    }
}

bool TextStreamOutput::RedirectToFile(const std::u16string& fileName) {
    if (!open_) {
        return false;
    }
    FILE* file = _wfreopen(WideCStr(fileName), L"wt", stream_);
    if (file == nullptr) {
        // Wine's run-time cannot reopen a standard stream that was never open,
        // as in a GUI program started with a console of its own (the way the
        // system test starts it); Windows' can. A text stream of the file's own
        // writes the same log.
        file = _wfopen(WideCStr(fileName), L"wt");
    }
    // freopen has closed the old stream even when the new file failed.
    stream_ = file;
    redirected_ = file != nullptr;
    open_ = redirected_;
    return redirected_;
}

void TextStreamOutput::Print(std::u16string_view text) {
    PrintBytes(ToLogEncoding(text));
}

void TextStreamOutput::PrintBytes(std::string_view bytes) {
    if (open_ && !bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stream_);
    }
}
