// SPDX-License-Identifier: MIT
#include "drive/attributename.h"
#include "drive/attributes.h"
#include "drive/reporttable.h"
#include "support/fakedrivecontrol.h"

#include <gtest/gtest.h>

namespace orvane {
namespace {

using test::attributeSector;
using test::SectorData;
using test::thresholdSector;
using Rows = std::vector<std::vector<std::string>>;

Sector view(const SectorData &s)
{
    return Sector(s.data(), kSectorSize);
}

struct TemperatureCase
{
    const char *what;
    SectorData attributes;
    SectorData thresholds;
    TAttrReading expected;
};

TEST(DecodeTemperature, ReadsAttribute194)
{
    const TemperatureCase cases[] = {
        {"194 in slot 0", attributeSector({{0, {194, 100, 100, 35, 0}}}), thresholdSector({{0, 0}}), {35, 0, 100, 100}},
        {"194 in slot 4 takes threshold slot 4",
         attributeSector({{0, {1, 200, 200, 0, 0}},
                          {1, {3, 1, 1, 0, 0}},
                          {2, {4, 1, 1, 0, 0}},
                          {3, {5, 1, 1, 0, 0}},
                          {4, {194, 120, 99, 38, 0}}}),
         thresholdSector({{0, 51}, {3, 36}, {4, 17}}),
         {38, 17, 120, 99}},
        {"raw bytes 40 and 1", attributeSector({{0, {194, 100, 100, 40, 1}}}), {}, {50, 0, 100, 100}},
        {"raw 0 takes the value", attributeSector({{0, {194, 38, 30, 0, 0}}}), {}, {38, 0, 38, 30}},
        {"raw 101 takes the value", attributeSector({{0, {194, 62, 50, 101, 0}}}), {}, {62, 0, 62, 50}},
        {"raw 100 stays", attributeSector({{0, {194, 62, 50, 100, 0}}}), {}, {100, 0, 62, 50}},
        {"empty slot before 194",
         attributeSector({{0, {1, 9, 9, 0, 0}}, {1, {9, 9, 9, 0, 0}}, {5, {194, 1, 1, 3, 0}}}),
         {},
         {kNoTemperature, kNoThreshold, 0, 0}},
        {"sector of zeros", {}, {}, {kNoTemperature, kNoThreshold, 0, 0}},
        // The scan goes on past 231 and stops at the empty slot 1.
        {"231 is not a temperature",
         attributeSector({{0, {231, 100, 100, 40, 0}}}),
         {},
         {kNoTemperature, kNoThreshold, 0, 0}},
    };
    for (const TemperatureCase &c : cases) {
        EXPECT_EQ(DecodeTemperature(view(c.attributes), view(c.thresholds)), c.expected) << c.what;
    }
}

SectorData fullSector(std::uint8_t id)
{
    SectorData s{};
    for (std::size_t slot = 0; slot < kAttributeSlots; ++slot) {
        s[2 + 12 * slot] = id;
        s[2 + 12 * slot + 3] = static_cast<std::uint8_t>(100 + slot);
    }
    return s;
}

TEST(DecodeTemperature, WithThirtySlotsAndNo194ReadsJustPastTheLastSlot)
{
    SectorData a = fullSector(9);
    a[365] = 77; // value and worst as seen at the position after slot 29
    a[366] = 66;
    const TAttrReading r = DecodeTemperature(view(a), view(SectorData{}));
    EXPECT_EQ(r, (TAttrReading{kNoTemperature, kNoThreshold, 77, 66}));
}

TEST(DecodeTemperature, NeverTakesTheBytesAfterTheLastSlotForAnAttribute)
{
    // Byte 362 is the offline-collection status, not an attribute id, even when it happens
    // to read C2h.
    SectorData a = fullSector(9);
    a[362] = 194;
    a[365] = 40;
    a[367] = 35;
    EXPECT_EQ(DecodeTemperature(view(a), view(SectorData{})).Raw, kNoTemperature);
}

TEST(ListAttributeRows, ListsSlotsInOrderUpToTheFirstEmptyOne)
{
    const SectorData a = attributeSector(
        {{0, {9, 97, 97, 16, 39}}, {1, {194, 100, 100, 0, 0}}, {2, {250, 100, 253, 0, 0}}, {4, {5, 100, 100, 0, 0}}});
    const SectorData t = thresholdSector({{0, 0}, {1, 100}, {2, 99}, {4, 36}});
    ReportTable rows;
    ListAttributeRows(rows, view(a), view(t));
    EXPECT_EQ(rows.rows,
              (Rows{
                  {"09", "Power On Hours Count    ", "0", "97", "97", "406", "OK"},
                  {"C2", "Temperature             ", "100", "100", "100", "0", "BAD"},
                  {"FA", "Read Error Retry Rate   ", "99", "100", "253", "0", "OK"},
              }));
}

TEST(ListAttributeRows, ListsAllThirtySlots)
{
    ReportTable rows;
    ListAttributeRows(rows, view(fullSector(1)), view(SectorData{}));
    ASSERT_EQ(rows.rows.size(), kAttributeSlots);
    EXPECT_EQ(rows.rows.back()[3], "129");
}

TEST(AttrVerdict, IsOkOnlyAboveTheThreshold)
{
    EXPECT_EQ(AttrVerdict({0, 99, 100, 0}), "OK");
    EXPECT_EQ(AttrVerdict({0, 100, 100, 0}), "BAD");
    EXPECT_EQ(AttrVerdict({0, 0, 0, 0}), "BAD");
    EXPECT_EQ(AttrVerdict({kNoTemperature, kNoThreshold, 0, 0}), "OK");
}

TEST(AttributeName, CatalogueNamesKeepTheirBlanks)
{
    EXPECT_EQ(AttributeName(5), "Reallocated Sector Count");
    EXPECT_EQ(AttributeName(14), "(Unknown attribute)     ");
    EXPECT_EQ(AttributeName(227), "Torque Amplification Count");
    EXPECT_EQ(AttributeName(231), "Temperature             ");
    EXPECT_EQ(AttributeName(201), AttributeName(13));
    EXPECT_EQ(AttributeName(0), "No Attribute Here       ");
    for (const int unknown : {14, 190, 210, 219, 229, 232, 239, 241, 249, 251, 255}) {
        EXPECT_EQ(AttributeName(static_cast<std::uint8_t>(unknown)), "(Unknown attribute)     ") << unknown;
    }
    for (int id = 0; id < 256; ++id) {
        const std::size_t length = AttributeName(static_cast<std::uint8_t>(id)).size();
        EXPECT_EQ(length, id == 227 ? 26u : 24u) << id;
    }
}

TEST(TemperatureText, ShowsDegreesOrNotAvailable)
{
    EXPECT_EQ(temperatureText(35),
              "35\xB0"
              "C");
    EXPECT_EQ(temperatureText(kNoTemperature), "N/A");
}

} // namespace
} // namespace orvane
