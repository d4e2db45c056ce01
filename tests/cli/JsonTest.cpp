#include <gtest/gtest.h>

#include "app/cli/Json.h"

namespace korvane::cli {
namespace {

const JsonValue& Ok(const JsonParseResult& r) {
  EXPECT_TRUE(std::holds_alternative<JsonValue>(r));
  return std::get<JsonValue>(r);
}

TEST(CliJson, ReadsNestedValuesEscapesAndCompactIntegerArrays) {
  const JsonParseResult parsed = ParseJson(
      R"( {"a": [1, -2, 3], "b": [1, 2.5, "x"], "s": "q\"\\\/\n\u00e9\ud83d\ude00",
           "t": true, "n": null, "f": 16.0, "a": 0} )");
  const JsonValue& v = Ok(parsed);
  ASSERT_TRUE(v.IsObject());
  EXPECT_EQ(v.Find("a")->integers, (std::vector<int64_t>{1, -2, 3}));  // the first "a" wins
  const JsonValue& mixed = *v.Find("b");
  ASSERT_EQ(mixed.ArraySize(), 3u);
  EXPECT_TRUE(mixed.integers.empty());
  EXPECT_EQ(mixed.array[0].integer, 1);
  EXPECT_DOUBLE_EQ(mixed.array[1].number, 2.5);
  EXPECT_FALSE(mixed.array[1].isInteger);
  EXPECT_EQ(mixed.array[2].string, "x");
  EXPECT_EQ(v.Find("s")->string, "q\"\\/\n\xC3\xA9\xF0\x9F\x98\x80");
  EXPECT_TRUE(v.Find("t")->boolean);
  EXPECT_EQ(v.Find("n")->kind, JsonValue::Kind::Null);
  EXPECT_FALSE(v.Find("f")->isInteger);
  EXPECT_EQ(v.Find("missing"), nullptr);
}

TEST(CliJson, ReportsWhereTheTextGoesWrong) {
  struct Case {
    const char* text;
    size_t line;
    size_t column;
  };
  for (const Case& c : {Case{"", 1, 1}, Case{"{\"a\": 1,\n  \"b\" 2}", 2, 7}, Case{"[1, 2", 1, 6},
                        Case{"\"abc", 1, 5}, Case{"[01]", 1, 3}, Case{"{} {}", 1, 4},
                        Case{"\"\\x\"", 1, 2}, Case{"[-]", 1, 2}, Case{"[1e400]", 1, 2}}) {
    const JsonParseResult r = ParseJson(c.text);
    ASSERT_TRUE(std::holds_alternative<JsonError>(r)) << c.text;
    EXPECT_EQ(std::get<JsonError>(r).line, c.line) << c.text;
    EXPECT_EQ(std::get<JsonError>(r).column, c.column) << c.text;
  }
}

TEST(CliJson, RefusesNestingThatWouldExhaustTheStack) {
  const std::string deep(100000, '[');
  ASSERT_TRUE(std::holds_alternative<JsonError>(ParseJson(deep)));
  EXPECT_TRUE(
      std::holds_alternative<JsonValue>(ParseJson(std::string(150, '[') + std::string(150, ']'))));
}

TEST(CliJson, WriterIndentsMembersAndFlowsArraysWithLineBreaks) {
  std::string text;
  JsonWriter w([&text](std::string_view s) {
    text += s;
    return true;
  });
  w.BeginObject().Key("name").String("a\"b\n").Key("data").BeginArray(true);
  w.LineBreak().Int(1).Int(2).LineBreak().Int(-3);
  w.EndArray().Key("list").BeginArray().BeginObject().EndObject().EndArray();
  w.Key("ok").Bool(false).EndObject();
  ASSERT_TRUE(w.Finish());
  EXPECT_EQ(text,
            "{\n"
            "  \"name\": \"a\\\"b\\n\",\n"
            "  \"data\": [\n"
            "    1, 2,\n"
            "    -3\n"
            "  ],\n"
            "  \"list\": [\n"
            "    {}\n"
            "  ],\n"
            "  \"ok\": false\n"
            "}\n");
  EXPECT_TRUE(std::holds_alternative<JsonValue>(ParseJson(text)));
}

TEST(CliJson, WriterStopsAtTheFirstFailedWrite) {
  int calls = 0;
  JsonWriter w([&calls](std::string_view) { return ++calls > 1 ? true : false; });
  w.BeginArray(true);
  for (int i = 0; i < 100000; ++i) w.Int(i);
  w.EndArray();
  EXPECT_FALSE(w.Finish());
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace korvane::cli
