#include <gtest/gtest.h>

#include "png_writer.h"
#include "scenario.h"

namespace vexa::container {
namespace {

std::uint32_t Be32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 |
           static_cast<unsigned char>(s[at + 3]);
}

// Reads back a PNG written with stored blocks: checks every chunk's CRC and
// the zlib checksum, and returns the pixels.
std::vector<std::uint8_t> Decode(const std::string& png, int& width, int& height) {
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
    std::size_t at = 8;
    std::string idat;
    while (at < png.size()) {
        std::uint32_t length = Be32(png, at);
        std::string type = png.substr(at + 4, 4);
        std::string body = png.substr(at + 4, 4 + length);
        EXPECT_EQ(Be32(png, at + 8 + length),
                  Crc32(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()))
            << type;
        if (type == "IHDR") {
            width = static_cast<int>(Be32(png, at + 8));
            height = static_cast<int>(Be32(png, at + 12));
            EXPECT_EQ(length, 13u);
            EXPECT_EQ(png[at + 16], 8);
            EXPECT_EQ(png[at + 17], 2);
        }
        if (type == "IDAT") idat += png.substr(at + 8, length);
        at += 12 + length;
    }
    std::string raw;
    std::size_t p = 2;
    bool last = false;
    while (!last) {
        last = idat[p] & 1;
        std::size_t n = static_cast<unsigned char>(idat[p + 1]) | static_cast<unsigned char>(idat[p + 2]) << 8;
        std::size_t nn = static_cast<unsigned char>(idat[p + 3]) | static_cast<unsigned char>(idat[p + 4]) << 8;
        EXPECT_EQ(n ^ 0xFFFF, nn);
        raw += idat.substr(p + 5, n);
        p += 5 + n;
    }
    EXPECT_EQ(Be32(idat, p), Adler32(reinterpret_cast<const std::uint8_t*>(raw.data()), raw.size()));
    std::vector<std::uint8_t> rgb;
    for (int y = 0; y < height; ++y) {
        EXPECT_EQ(raw[static_cast<std::size_t>(y) * (1 + 3 * width)], 0);
        for (int i = 0; i < 3 * width; ++i)
            rgb.push_back(static_cast<std::uint8_t>(raw[static_cast<std::size_t>(y) * (1 + 3 * width) + 1 + i]));
    }
    return rgb;
}

TEST(Png, KnownChecksums) {
    const std::string text = "123456789";
    auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
    EXPECT_EQ(Crc32(data, text.size()), 0xCBF43926u);
    EXPECT_EQ(Adler32(data, text.size()), 0x091E01DEu);
}

TEST(Png, PixelsSurviveAcrossSeveralStoredBlocks) {
    const int w = 150, h = 200;  // 90,200 bytes of scanlines: two blocks
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
    for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 7 + i / 3);
    int dw = 0, dh = 0;
    std::vector<std::uint8_t> back = Decode(EncodePng(w, h, rgb), dw, dh);
    EXPECT_EQ(dw, w);
    EXPECT_EQ(dh, h);
    EXPECT_EQ(back, rgb);
}

TEST(Scenario, WordsQuotesAndEscapes) {
    ParseResult r = ParseScenarioLine(R"(  set e1 Text "a \"b\" \xA4\x00z" 12 # not a comment here)", 3);
    ASSERT_TRUE(r.line);
    EXPECT_EQ(r.line->number, 3);
    EXPECT_EQ(r.line->command, "set");
    ASSERT_EQ(r.line->args.size(), 9u);  // "#" starts a comment only at the line start
    EXPECT_EQ(r.line->args[2], std::string("a \"b\" \xA4\0z", 9));
    EXPECT_TRUE(r.line->quoted[2]);
    EXPECT_FALSE(r.line->quoted[3]);
    EXPECT_FALSE(ParseScenarioLine("   # comment", 1).line);
    EXPECT_FALSE(ParseScenarioLine("", 1).line);
    EXPECT_NE(ParseScenarioLine("set a \"open", 5).error, "");
    EXPECT_NE(ParseScenarioLine("set a \"bad \\q\"", 5).error, "");
    EXPECT_NE(ParseScenarioLine("set a \"short \\x4\"", 5).error, "");
}

TEST(Scenario, EscapeShowsBytesTheLogCanCarry) {
    EXPECT_EQ(Escape(std::string("a\xA4\"\\\x0D", 5)), "a\\xA4\\x22\\x5C\\x0D");
    ParseResult r = ParseScenarioLine("x \"" + Escape(std::string("\xDA\xCD q\x01", 5)) + "\"", 1);
    ASSERT_TRUE(r.line);
    EXPECT_EQ(r.line->args[0], std::string("\xDA\xCD q\x01", 5));
}

}  // namespace
}  // namespace vexa::container
