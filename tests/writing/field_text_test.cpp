#include "writing/field_text.h"

#include <gtest/gtest.h>

namespace pellimore {
namespace {

TEST(SplitListField, SplitsOnlyAtSemicolonsThatEndNoReference) {
  struct Case {
    std::string field;
    std::vector<std::string> values;
  };
  const std::vector<Case> cases = {
      {"", {}},
      {" ; ;; ", {}},
      {"sf; adventure", {"sf", "adventure"}},
      {";sf;;", {"sf"}},
      {"a=1&amp;b=2; c", {"a=1&amp;b=2", "c"}},
      {"x&#160;y;z&#xA0;", {"x&#160;y", "z&#xA0;"}},
      {"a&b;c", {"a&b;c"}},
      {"a & b;c", {"a & b", "c"}},
      {"&#;x", {"&#", "x"}},
      {"&#x;x", {"&#x", "x"}},
      {"\tone\r\n;two ", {"one", "two"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitListField(c.field), c.values) << c.field;
}

TEST(EscapeFieldText, EscapesBareAmpersandsAndLessThan) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plain", "plain"},
      {"a & b", "a &amp; b"},
      {"&amp;&lt;&quot;&#65;&#x41;", "&amp;&lt;&quot;&#65;&#x41;"},
      {"&#X41;", "&amp;#X41;"},
      {"&1a;", "&amp;1a;"},
      {"a<b>c", "a&lt;b>c"},
      {"&", "&amp;"},
      {"&amp", "&amp;amp"},
      {"\"q\"", "\"q\""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(EscapeFieldText(text), expected) << text;
  EXPECT_EQ(EscapeAttributeValue("say \"a&b\""), "say &quot;a&amp;b&quot;");
}

}  // namespace
}  // namespace pellimore
