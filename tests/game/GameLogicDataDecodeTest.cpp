#include "content/PuzzleFileWriter.h"
#include "game/GameLogicData.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace Mirabel
{
namespace
{

using Bytes = std::vector<std::uint8_t>;

Bytes Repeat(std::size_t count, std::uint8_t value)
{
    return Bytes(count, value);
}

Bytes Sequence(std::size_t count)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

// Each stream sits at the very end of its own heap block, and the output has
// exactly the given length, so AddressSanitizer sees any read or write past
// either.
bool Decode(const Bytes& coded, std::uint32_t outputLength, Bytes& output)
{
    const auto input = std::make_unique<std::uint8_t[]>(coded.size());
    std::copy(coded.begin(), coded.end(), input.get());
    const auto decoded = std::make_unique<std::uint8_t[]>(outputLength);
    std::fill(decoded.get(), decoded.get() + outputLength, std::uint8_t{0xEE});
    const bool result =
        GameLogicData::DecodeRle(input.get(), static_cast<std::uint32_t>(coded.size()), decoded.get(), outputLength);
    output.assign(decoded.get(), decoded.get() + outputLength);
    return result;
}

TEST(DecodeRleTest, DecodesCopyAndRepeatCodesAndRefusesStreamsThatDoNotFillTheOutputExactly)
{
    Bytes copy128{0x7F};
    const Bytes literal = Sequence(128);
    copy128.insert(copy128.end(), literal.begin(), literal.end());
    const struct
    {
        const char* name;
        Bytes coded;
        std::uint32_t outputLength;
        bool accepted;
        Bytes output;
    } cases[] = {
        {"copy of four", {0x03, 0x41, 0x42, 0x43, 0x44}, 4, true, {0x41, 0x42, 0x43, 0x44}},
        {"repeat of four", {0x82, 0x7F}, 4, true, Repeat(4, 0x7F)},
        {"shortest repeat", {0x80, 0x00}, 2, true, Repeat(2, 0x00)},
        {"longest repeat", {0xFF, 0x05}, 129, true, Repeat(129, 0x05)},
        {"longest copy", copy128, 128, true, literal},
        {"copy then repeat", {0x00, 0x09, 0x81, 0x03}, 4, true, {0x09, 0x03, 0x03, 0x03}},
        {"nothing into nothing", {}, 0, true, {}},
        {"input ends inside a copy", {0x03, 0x41, 0x42}, 4, false, {}},
        {"repeat without its byte", {0xFF}, 129, false, {}},
        {"repeat longer than the output", {0x82, 0x7F}, 3, false, {}},
        {"copy longer than the output", {0x03, 0x41, 0x42, 0x43, 0x44}, 2, false, {}},
        {"stream too short", {0x81, 0x7F}, 4, false, {}},
        {"empty stream for a buffer", {}, 1, false, {}},
    };
    for (const auto& c : cases)
    {
        Bytes output;
        EXPECT_EQ(Decode(c.coded, c.outputLength, output), c.accepted) << c.name;
        if (c.accepted)
        {
            EXPECT_EQ(output, c.output) << c.name;
        }
    }
}

// The encoder's runs and copies cut at every boundary the code allows must
// come back byte for byte.
TEST(DecodeRleTest, RoundTripsTheContentEncoderOnRandomAndRunHeavyData)
{
    std::mt19937 random(17);
    std::vector<Bytes> inputs{{}, {0x01}, Repeat(129, 9), Repeat(130, 9), Repeat(131, 9), Sequence(128),
                              Sequence(129), Sequence(300)};
    for (int round = 0; round < 40; ++round)
    {
        Bytes bytes;
        const std::size_t size = random() % 3000;
        while (bytes.size() < size)
        {
            // Runs of 1 to 300 of a few values, with stretches of noise.
            if (random() % 3 == 0)
                for (std::size_t k = random() % 200; k > 0; --k)
                    bytes.push_back(static_cast<std::uint8_t>(random()));
            else
                bytes.insert(bytes.end(), 1 + random() % 300, static_cast<std::uint8_t>(random() % 3));
        }
        inputs.push_back(bytes);
    }
    for (const Bytes& input : inputs)
    {
        const std::string coded = corvellan::content::PuzzleFileWriter::EncodeRle(input.data(), input.size());
        Bytes output;
        ASSERT_TRUE(Decode(Bytes(coded.begin(), coded.end()), static_cast<std::uint32_t>(input.size()), output))
            << input.size();
        EXPECT_EQ(output, input);
        if (!input.empty())
        {
            // One byte short or one over never passes.
            EXPECT_FALSE(Decode(Bytes(coded.begin(), coded.end()), static_cast<std::uint32_t>(input.size() - 1),
                                output));
            EXPECT_FALSE(Decode(Bytes(coded.begin(), coded.end()), static_cast<std::uint32_t>(input.size() + 1),
                                output));
        }
    }
}

} // namespace
} // namespace Mirabel
