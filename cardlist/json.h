// A strict reader of JSON (RFC 8259) in UTF-8, for the results files the tool
// collects from many computers: it takes JSON and nothing else (no comments,
// no trailing commas, no invalid UTF-8, no lone surrogate, no name twice in
// one object), nests at most kMaxJsonDepth deep, and tells where a text stops
// being JSON. A UTF-8 byte order mark before the text is skipped: editors add
// one when a file is saved again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kMaxJsonDepth = 64;

class JsonValue {
  public:
    enum class Kind { Null, Boolean, Number, String, Array, Object };

    Kind kind() const { return kind_; }
    bool IsNull() const { return kind_ == Kind::Null; }
    std::optional<bool> Boolean() const;
    // A number written without fraction or exponent that fits 64 bits.
    std::optional<int64_t> Integer() const;
    // The text of a string; null for any other kind.
    const std::u16string* String() const;
    // The items of an array; null for any other kind.
    const std::vector<JsonValue>* Items() const;
    // An object's member; null when this is no object or it has no such member.
    const JsonValue* Find(std::u16string_view name) const;

  private:
    friend class JsonParser;

    Kind kind_ = Kind::Null;
    bool boolean_ = false;
    std::string number_;                 // as written
    std::u16string text_;                // a string's text
    std::vector<JsonValue> items_;       // an array's items, an object's values
    std::vector<std::u16string> names_;  // an object's names, one per value
};

struct JsonReading {
    bool ok = false;
    JsonValue value;
    // Where and why the text is no JSON: "line 3, column 7: a comma or } is
    // missing". Columns count characters.
    std::string problem;
};

JsonReading ReadJson(std::string_view text);
