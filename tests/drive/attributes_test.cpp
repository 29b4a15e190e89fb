#include "drive/attributename.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(AttributeName, CatalogueNamesKeepTheirBlanks)
{
    EXPECT_EQ(AttributeName(5), "Reallocated Sector Count");
    EXPECT_EQ(AttributeName(14), "(Unknown attribute)     ");
    EXPECT_EQ(AttributeName(227), "Torque Amplification Count");
    EXPECT_EQ(AttributeName(231), "Temperature             ");
}

} // namespace
} // namespace orvane
