// SPDX-License-Identifier: MIT
// The storage query that carries the two NVMe requests: its exact bytes, the one allow-list
// that every back-end decodes it with, and the checks on the answer.
#include "drive/nvmerequest.h"
#include "drive/smartstructs.h"

#include <cstring>
#include <gtest/gtest.h>

namespace orvane {
namespace {

std::uint32_t dwordAt(const std::vector<std::uint8_t> &bytes, std::size_t offset)
{
    std::uint32_t value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

void setDword(std::vector<std::uint8_t> &bytes, std::size_t offset, std::uint32_t value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

struct QueryCase
{
    NvmeCommand command;
    std::uint32_t property, dataType, requestValue, length;
};

class NvmeQueryBytes : public ::testing::TestWithParam<QueryCase>
{
};

TEST_P(NvmeQueryBytes, AreTheDocumentedProtocolQuery)
{
    const QueryCase c = GetParam();
    const std::vector<std::uint8_t> q = nvmeQuery(c.command);
    ASSERT_EQ(q.size(), 48u + c.length);
    // STORAGE_PROPERTY_QUERY: PropertyId, QueryType (standard)
    EXPECT_EQ(dwordAt(q, 0), c.property);
    EXPECT_EQ(dwordAt(q, 4), 0u);
    // STORAGE_PROTOCOL_SPECIFIC_DATA from byte 8
    EXPECT_EQ(dwordAt(q, 8), 3u); // ProtocolTypeNvme
    EXPECT_EQ(dwordAt(q, 12), c.dataType);
    EXPECT_EQ(dwordAt(q, 16), c.requestValue);
    EXPECT_EQ(dwordAt(q, 20), 0u); // identify: no namespace; log: offset 0
    EXPECT_EQ(dwordAt(q, 24), 40u); // the data follows the protocol data
    EXPECT_EQ(dwordAt(q, 28), c.length);
    for (std::size_t at = 32; at < q.size(); at += 4) {
        EXPECT_EQ(dwordAt(q, at), 0u) << at;
    }
    EXPECT_EQ(parseNvmeQuery(kIoctlStorageQueryProperty, q), c.command);
    EXPECT_EQ(nvmeDataSize(c.command), c.length);
}

INSTANTIATE_TEST_SUITE_P(Both, NvmeQueryBytes,
                         ::testing::Values(QueryCase{NvmeCommand::IdentifyController, 49, 1, 1, 4096},
                                           QueryCase{NvmeCommand::HealthLog, 50, 2, 2, 512}),
                         [](const auto &param) { return param.index == 0 ? "Identify" : "HealthLog"; });

// One field of a valid query changed: each makes it a request that must never be sent.
struct Refusal
{
    const char *what;
    std::size_t offset;
    std::uint32_t value;
};

class NvmeQueryRefusal : public ::testing::TestWithParam<Refusal>
{
};

TEST_P(NvmeQueryRefusal, RefusesAnyOtherRequest)
{
    for (const NvmeCommand command : {NvmeCommand::IdentifyController, NvmeCommand::HealthLog}) {
        std::vector<std::uint8_t> q = nvmeQuery(command);
        setDword(q, GetParam().offset, GetParam().value);
        EXPECT_FALSE(parseNvmeQuery(kIoctlStorageQueryProperty, q)) << GetParam().what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, NvmeQueryRefusal,
    ::testing::Values(Refusal{"device property", 0, 0}, Refusal{"exists query", 4, 1}, Refusal{"ATA protocol", 8, 2},
                      Refusal{"feature data", 12, 3}, Refusal{"namespace identify or error log", 16, 0},
                      Refusal{"active namespace list", 16, 0x10}, Refusal{"namespace or offset", 20, 1},
                      Refusal{"data offset", 24, 44}, Refusal{"length", 28, 8192}, Refusal{"fixed return data", 32, 1},
                      Refusal{"sub value 2", 36, 1}, Refusal{"sub value 3", 40, 1}, Refusal{"sub value 4", 44, 1}),
    [](const auto &param) { return "Field" + std::to_string(param.param.offset) + "_" + std::to_string(param.index); });

TEST(NvmeQuery, TheTwoPropertiesAreNotInterchangeable)
{
    std::vector<std::uint8_t> identify = nvmeQuery(NvmeCommand::IdentifyController);
    setDword(identify, 0, kStorageDeviceProtocolSpecificProperty);
    EXPECT_FALSE(parseNvmeQuery(kIoctlStorageQueryProperty, identify));
    std::vector<std::uint8_t> log = nvmeQuery(NvmeCommand::HealthLog);
    setDword(log, 0, kStorageAdapterProtocolSpecificProperty);
    EXPECT_FALSE(parseNvmeQuery(kIoctlStorageQueryProperty, log));
}

TEST(NvmeQuery, RefusesOtherCodesAndShortInput)
{
    const std::vector<std::uint8_t> q = nvmeQuery(NvmeCommand::HealthLog);
    EXPECT_FALSE(parseNvmeQuery(kSmartRcvDriveData, q));
    EXPECT_FALSE(parseNvmeQuery(kIoctlStorageQueryProperty, std::span(q).first(47)));
    EXPECT_TRUE(parseNvmeQuery(kIoctlStorageQueryProperty, std::span(q).first(48))); // the head is enough
}

TEST(NvmeReply, RoundTripsThroughTheDescriptor)
{
    NvmeHealthLog log{};
    log[0] = 0x04;
    log[511] = 0x99;
    std::vector<std::uint8_t> out(48 + 512, 0xEE);
    ASSERT_TRUE(writeNvmeReply(NvmeCommand::HealthLog, log, out));
    EXPECT_EQ(dwordAt(out, 0), 48u); // Version and Size: sizeof(STORAGE_PROTOCOL_DATA_DESCRIPTOR)
    EXPECT_EQ(dwordAt(out, 4), 48u);
    EXPECT_EQ(dwordAt(out, 24), 40u); // ProtocolDataOffset
    EXPECT_EQ(dwordAt(out, 28), 512u); // ProtocolDataLength
    NvmeHealthLog back{};
    ASSERT_TRUE(nvmeReplyData(out, back));
    EXPECT_EQ(back, log);
    EXPECT_FALSE(writeNvmeReply(NvmeCommand::HealthLog, log, std::span(out).first(48 + 511)));
    EXPECT_FALSE(writeNvmeReply(NvmeCommand::IdentifyController, log, out));
}

TEST(NvmeReply, RefusesAnswersThatAreNotWhatWasAsked)
{
    NvmeHealthLog log{};
    std::vector<std::uint8_t> good(48 + 512);
    ASSERT_TRUE(writeNvmeReply(NvmeCommand::HealthLog, log, good));
    const struct
    {
        const char *what;
        std::size_t offset;
        std::uint32_t value;
    } spoiled[] = {{"version", 0, 40},
                   {"size", 4, 560},
                   {"offset inside the protocol data", 24, 36},
                   {"offset past the end", 24, 44},
                   {"offset far past the end", 24, 0xFFFFFFF0},
                   {"short length", 28, 511}};
    for (const auto &s : spoiled) {
        std::vector<std::uint8_t> out = good;
        setDword(out, s.offset, s.value);
        EXPECT_FALSE(nvmeReplyData(out, log)) << s.what;
    }
    EXPECT_FALSE(nvmeReplyData(std::span(good).first(47), log));
    // A larger offset is fine while the data still fits.
    std::vector<std::uint8_t> later(48 + 8 + 512, 0);
    std::copy(good.begin(), good.begin() + 48, later.begin());
    setDword(later, 24, 48);
    later[56] = 0x42;
    ASSERT_TRUE(nvmeReplyData(later, log));
    EXPECT_EQ(log[0], 0x42);
}

} // namespace
} // namespace orvane
