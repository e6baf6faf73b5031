// The kb9012 and brimex bench lines: what a bench author gets told when a
// line is wrong.
#include <gtest/gtest.h>

#include "TargetLineError.h"

#include "VirtualBench.h"

namespace {

TEST(KbTargetBench, BadLinesNameTheLineAndTheProblem) {
  const std::string kStuckRule =
      "kb9012: stuck must be ADDR:MASK:LEVEL (address below 0x20000, mask 1 to 0xFF, level 0 or 1), not ";
  struct Case { const char* target; std::string error; };
  const Case cases[] = {
      {"kb9012 x=1", "kb9012: unknown parameter 'x'"},
      {"kb9012 debug-version=0xFF", "kb9012: debug-version must be a number from 0 to 254, not '0xFF'"},
      {"kb9012 debug-version=twelve", "kb9012: debug-version must be a number from 0 to 254, not 'twelve'"},
      {"kb9012 debug-version=0x", "kb9012: debug-version must be a number from 0 to 254, not '0x'"},
      {"kb9012 content=full", "kb9012: content must be pattern|erased, not 'full'"},
      {"kb9012 lost-at-block=512", "kb9012: lost-at-block must be a number from 0 to 511, not '512'"},
      {"kb9012 absent=maybe", "kb9012: absent must be no|yes, not 'maybe'"},
      {"kb9012 stuck=0x1234:1", kStuckRule + "'0x1234:1'"},
      {"kb9012 stuck=1:1:0,0x20000:1:0", kStuckRule + "'0x20000:1:0'"},
      {"kb9012 stuck=1:0:0", kStuckRule + "'1:0:0'"},
      {"kb9012 stuck=1:1:2", kStuckRule + "'1:1:2'"},
      {"kb9012 stuck=1:1:0 stuck=2:1:0", "target parameter 'stuck' given twice"},
      {"brimex", "brimex: position is required (1-2|31-32|none|both)"},
      {"brimex position=3-4", "brimex: position must be 1-2|31-32|none|both, not '3-4'"},
      {"brimex position=1-2 sense=1,2", "brimex: sense must be three bytes R0,R1,R2, not '1,2'"},
      {"brimex position=1-2 sense=1,2,256", "brimex: sense must be three bytes R0,R1,R2, not '1,2,256'"},
  };
  for (const Case& c : cases) EXPECT_EQ(simtest::TargetLineError(c.target), c.error) << c.target;
}

}  // namespace
