#include "cardlist/json.h"

#include "common/text.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

}  // namespace

// Recursive descent over the bytes; the first fault ends the reading.
class JsonParser {
  public:
    explicit JsonParser(std::string_view text) : text_(text) {}

    JsonReading Read() {
        JsonReading reading;
        if (text_.starts_with(kByteOrderMark)) {
            at_ = kByteOrderMark.size();
        }
        SkipSpace();
        if (Value(reading.value, 0)) {
            SkipSpace();
            if (at_ == text_.size()) {
                reading.ok = true;
                return reading;
            }
            Fail("more follows the value");
        }
        reading.value = JsonValue();
        reading.problem = Where() + problem_;
        return reading;
    }

  private:
    // A text cut short, the usual damage of a copy, fails at its end.
    bool Fail(const char* problem) {
        problem_ = AtEnd() ? "the text ends too soon" : problem;
        return false;
    }

    // The line and the column, in characters, of the fault.
    std::string Where() const {
        const std::string_view before = text_.substr(0, at_);
        const size_t lineStart = before.rfind('\n') + 1;  // 0 when there is none
        const size_t line = std::count(before.begin(), before.end(), '\n') + 1;
        const size_t column =
            std::count_if(before.begin() + static_cast<std::ptrdiff_t>(lineStart), before.end(),
                          [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
        return "line " + std::to_string(line) + ", column " + std::to_string(column + 1) + ": ";
    }

    bool AtEnd() const { return at_ == text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[at_]; }

    void SkipSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            ++at_;
        }
    }

    bool Literal(std::string_view word) {
        if (text_.substr(at_, word.size()) != word) {
            return Fail("not a JSON value");
        }
        at_ += word.size();
        return true;
    }

    bool Value(JsonValue& value, size_t depth) {
        switch (Peek()) {
            case '{':
                return Object(value, depth + 1);
            case '[':
                return Array(value, depth + 1);
            case '"':
                value.kind_ = JsonValue::Kind::String;
                return String(value.text_);
            case 't':
            case 'f':
                value.kind_ = JsonValue::Kind::Boolean;
                value.boolean_ = Peek() == 't';
                return Literal(value.boolean_ ? "true" : "false");
            case 'n':
                return Literal("null");
            default:
                value.kind_ = JsonValue::Kind::Number;
                return Number(value.number_);
        }
    }

    bool Object(JsonValue& value, size_t depth) {
        if (depth > kMaxJsonDepth) {
            return Fail("nested too deep");
        }
        value.kind_ = JsonValue::Kind::Object;
        ++at_;
        SkipSpace();
        if (Peek() == '}') {
            ++at_;
            return true;
        }
        while (true) {
            if (Peek() != '"') {
                return Fail("a name in quotes is missing");
            }
            value.names_.emplace_back();
            if (!String(value.names_.back())) {
                return false;
            }
            SkipSpace();
            if (Peek() != ':') {
                return Fail("a colon is missing");
            }
            ++at_;
            SkipSpace();
            value.items_.emplace_back();
            if (!Value(value.items_.back(), depth)) {
                return false;
            }
            SkipSpace();
            if (Peek() == '}') {
                if (!UniqueNames(value.names_)) {
                    return false;
                }
                ++at_;
                return true;
            }
            if (Peek() != ',') {
                return Fail("a comma or } is missing");
            }
            ++at_;
            SkipSpace();
        }
    }

    bool UniqueNames(std::vector<std::u16string> names) {
        std::sort(names.begin(), names.end());
        if (std::adjacent_find(names.begin(), names.end()) != names.end()) {
            return Fail("the object has a name twice");
        }
        return true;
    }

    bool Array(JsonValue& value, size_t depth) {
        if (depth > kMaxJsonDepth) {
            return Fail("nested too deep");
        }
        value.kind_ = JsonValue::Kind::Array;
        ++at_;
        SkipSpace();
        if (Peek() == ']') {
            ++at_;
            return true;
        }
        while (true) {
            value.items_.emplace_back();
            if (!Value(value.items_.back(), depth)) {
                return false;
            }
            SkipSpace();
            if (Peek() == ']') {
                ++at_;
                return true;
            }
            if (Peek() != ',') {
                return Fail("a comma or ] is missing");
            }
            ++at_;
            SkipSpace();
        }
    }

    bool Digits() {
        if (!IsDigit(Peek())) {
            return false;
        }
        while (IsDigit(Peek())) {
            ++at_;
        }
        return true;
    }

    bool Number(std::string& number) {
        const size_t start = at_;
        if (Peek() == '-') {
            ++at_;
        }
        if (Peek() == '0') {
            ++at_;
        } else if (!Digits()) {
            return Fail("not a JSON value");
        }
        if (Peek() == '.') {
            ++at_;
            if (!Digits()) {
                return Fail("a digit is missing after the decimal point");
            }
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++at_;
            if (Peek() == '+' || Peek() == '-') {
                ++at_;
            }
            if (!Digits()) {
                return Fail("a digit is missing in the exponent");
            }
        }
        number = text_.substr(start, at_ - start);
        return true;
    }

    // Four hexadecimal digits after "\u".
    bool Hex4(char32_t& unit) {
        unit = 0;
        for (int i = 0; i < 4; ++i) {
            const int digit = HexValue(Peek());
            if (digit < 0) {
                return Fail("\\u needs four hexadecimal digits");
            }
            unit = unit << 4 | static_cast<char32_t>(digit);
            ++at_;
        }
        return true;
    }

    bool Escape(std::u16string& text) {
        const char c = Peek();
        ++at_;
        switch (c) {
            case '"':
            case '\\':
            case '/':
                text += static_cast<char16_t>(c);
                return true;
            case 'b':
                text += u'\b';
                return true;
            case 'f':
                text += u'\f';
                return true;
            case 'n':
                text += u'\n';
                return true;
            case 'r':
                text += u'\r';
                return true;
            case 't':
                text += u'\t';
                return true;
            case 'u':
                break;
            default:
                --at_;
                return Fail("an unknown escape");
        }
        char32_t unit = 0;
        if (!Hex4(unit)) {
            return false;
        }
        if (IsHighSurrogate(unit) && text_.substr(at_, 2) == "\\u") {
            at_ += 2;
            char32_t low = 0;
            if (!Hex4(low)) {
                return false;
            }
            if (IsLowSurrogate(low)) {
                AppendUtf16(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                return true;
            }
        }
        if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            return Fail("a surrogate without its partner");
        }
        AppendUtf16(text, unit);
        return true;
    }

    // One character of UTF-8 that is not ASCII.
    bool NonAsciiCharacter(std::u16string& text) {
        const std::optional<Utf8Character> character = DecodeUtf8Character(text_.substr(at_));
        if (!character) {
            return Fail("not UTF-8");
        }
        at_ += character->length;
        AppendUtf16(text, character->code);
        return true;
    }

    bool String(std::u16string& text) {
        ++at_;
        while (true) {
            if (AtEnd()) {
                return Fail("");
            }
            const auto c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c < 0x20) {
                return Fail("a control character in a string");
            }
            if (c == '\\') {
                ++at_;
                if (!Escape(text)) {
                    return false;
                }
            } else if (c < 0x80) {
                text += static_cast<char16_t>(c);
                ++at_;
            } else if (!NonAsciiCharacter(text)) {
                return false;
            }
        }
    }

    std::string_view text_;
    size_t at_ = 0;
    const char* problem_ = "";
};

std::optional<bool> JsonValue::Boolean() const {
    return kind_ == Kind::Boolean ? std::optional(boolean_) : std::nullopt;
}

std::optional<int64_t> JsonValue::Integer() const {
    if (kind_ != Kind::Number) {
        return std::nullopt;
    }
    int64_t number = 0;
    const char* end = number_.data() + number_.size();
    const auto [stop, error] = std::from_chars(number_.data(), end, number);
    return error == std::errc() && stop == end ? std::optional(number) : std::nullopt;
}

const std::u16string* JsonValue::String() const {
    return kind_ == Kind::String ? &text_ : nullptr;
}

const std::vector<JsonValue>* JsonValue::Items() const {
    return kind_ == Kind::Array ? &items_ : nullptr;
}

const JsonValue* JsonValue::Find(std::u16string_view name) const {
    if (kind_ != Kind::Object) {
        return nullptr;
    }
    const auto found = std::find(names_.begin(), names_.end(), name);
    return found == names_.end() ? nullptr : &items_[static_cast<size_t>(found - names_.begin())];
}

JsonReading ReadJson(std::string_view text) {
    return JsonParser(text).Read();
}
