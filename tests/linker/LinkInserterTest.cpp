#include "LinkInserter.h"
#include <gtest/gtest.h>
TEST(LinkInserter, MakeAnchor) { EXPECT_EQ(LinkInserter::makeAnchor("cat", "L"), "<a href=\"L\">cat</a>"); }
