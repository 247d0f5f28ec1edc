#include "cardlist/json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What is JSON reads, what is not says where and why.
TEST(ReadJson, TakesJsonAndTellsWhereTheRestStops) {
    const std::string deep(kMaxJsonDepth, '[');
    const struct {
        std::string text;
        const char* problem;  // empty: it reads
    } cases[] = {
        {"{\"a\": [1, -0.5e3, true, false, null, \"x\\u00e9\\ud83d\\ude00\\n\"], \"b\": {}}", ""},
        {"\xEF\xBB\xBF[]", ""},
        {deep + std::string(kMaxJsonDepth, ']'), ""},
        {deep + "[]" + std::string(kMaxJsonDepth, ']'), "line 1, column 65: nested too deep"},
        {"{\"a\": 1,}", "line 1, column 9: a name in quotes is missing"},
        {"{\n  \"a\": 1\n  \"b\": 2}", "line 3, column 3: a comma or } is missing"},
        {"[1, 2", "line 1, column 6: the text ends too soon"},
        {"{} {}", "line 1, column 4: more follows the value"},
        {"{\"a\": 1, \"a\": 2}", "line 1, column 16: the object has a name twice"},
        {"// note\n{}", "line 1, column 1: not a JSON value"},
        {"[tru]", "line 1, column 2: not a JSON value"},
        {"01", "line 1, column 2: more follows the value"},
        {"1.x", "line 1, column 3: a digit is missing after the decimal point"},
        {"\"\\ud800x\"", "line 1, column 8: a surrogate without its partner"},
        {"\"\\x\"", "line 1, column 3: an unknown escape"},
        {"\"\xC0\x80\"", "line 1, column 2: not UTF-8"},      // too long a form
        {"\"\xED\xA0\x80\"", "line 1, column 2: not UTF-8"},  // a surrogate
        {"\"\xC3\xA9\xFF\"", "line 1, column 3: not UTF-8"},  // columns count characters
        {"\"a\tb\"", "line 1, column 3: a control character in a string"},
        {"\"open", "line 1, column 6: the text ends too soon"},
        {"", "line 1, column 1: the text ends too soon"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const JsonReading reading = ReadJson(c.text);
        EXPECT_EQ(reading.problem, c.problem);
        EXPECT_EQ(reading.ok, std::string(c.problem).empty());
    }

    const JsonReading reading = ReadJson(cases[0].text);
    const std::vector<JsonValue>& items = *reading.value.Find(u"a")->Items();
    EXPECT_EQ(items[0].Integer(), 1);
    EXPECT_EQ(items[1].Integer(), std::nullopt);
    EXPECT_EQ(items[2].Boolean(), true);
    EXPECT_TRUE(items[4].IsNull());
    EXPECT_EQ(*items[5].String(), u"x\u00e9\U0001F600\n");
    EXPECT_EQ(reading.value.Find(u"c"), nullptr);
}

}  // namespace
