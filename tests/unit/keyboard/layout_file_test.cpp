#include "keyboard/layout_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "keyboard/layout_source.h"
#include "unit/fixture_platform.h"

namespace vexa::keyboard {
namespace {

using test::Bytes;

const std::string kLayouts = std::string(VEXA_SOURCE_DIR) + "/family/layouts";
const std::string kTestData = std::string(VEXA_SOURCE_DIR) + "/tests/unit/keyboard/data";

LayoutSource ParseFile(const std::string& directory, const std::string& name) {
    auto resolve = [&](const std::string& n) { return test::ReadFile(directory + "/" + n); };
    std::optional<std::string> text = resolve(name);
    EXPECT_TRUE(text.has_value()) << name;
    return ParseLayoutSource(text.value_or(""), resolve);
}

// A file whose field for scan code `scan` holds `plain` / `shifted` (padded
// with 0x00 only when shorter than 8 bytes).
std::string FileWith(int scan, const std::string& plain, const std::string& shifted,
                     std::size_t size = kLayoutFileSize) {
    std::string file(size, '\0');
    file.replace(static_cast<std::size_t>(scan) * 8, plain.size(), plain);
    file.replace(432 + static_cast<std::size_t>(scan) * 8, shifted.size(), shifted);
    return file;
}

TEST(LayoutFile, ReadsPlainAndShiftedFieldsByScanCode) {
    KeyboardLayout layout{};
    layout[5].vedic = KeyText{0xF0, 0xA1};
    ASSERT_TRUE(ReadLayoutFile(FileWith(37, Bytes({0xB3}), Bytes({0xB4})), layout));
    EXPECT_EQ(layout[37].plain, (KeyText{0xB3}));
    EXPECT_EQ(layout[37].shifted, (KeyText{0xB4}));
    EXPECT_TRUE(layout[36].plain.Empty());
    EXPECT_TRUE(layout[5].vedic.Empty());  // files carry no Vedic column
    // The last field of each half.
    ASSERT_TRUE(ReadLayoutFile(FileWith(53, "abcdefgh", "z"), layout));
    EXPECT_EQ(layout[53].plain.View(), "abcdefgh");
    EXPECT_EQ(layout[53].shifted.View(), "z");
}

TEST(LayoutFile, FieldsEndAtTheirFirstZeroByteOrAfterEightBytes) {
    KeyboardLayout layout{};
    std::string field = Bytes({0xE8, 0x00, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8});
    ASSERT_TRUE(ReadLayoutFile(FileWith(10, field, Bytes({0x00, 0xC1})), layout));
    EXPECT_EQ(layout[10].plain.View(), Bytes({0xE8}));
    EXPECT_TRUE(layout[10].shifted.Empty());
    // Eight bytes with no zero: all eight, not running into the next field.
    ASSERT_TRUE(ReadLayoutFile(FileWith(10, "12345678", "ABCDEFGH") + "", layout));
    std::string file = FileWith(10, "12345678", "ABCDEFGH");
    file[11 * 8] = 'X';
    ASSERT_TRUE(ReadLayoutFile(file, layout));
    EXPECT_EQ(layout[10].plain.View(), "12345678");
    EXPECT_EQ(layout[11].plain.View(), "X");
}

TEST(LayoutFile, ShortFileFailsAndLeavesTheLayoutAsItWas) {
    KeyboardLayout layout{};
    layout[2].plain = KeyText{'k'};
    KeyboardLayout before = layout;
    EXPECT_FALSE(ReadLayoutFile(FileWith(3, "a", "b", 863), layout));
    EXPECT_FALSE(ReadLayoutFile("", layout));
    EXPECT_EQ(layout, before);
}

TEST(LayoutFile, LongerFileReadsLikeItsFirst864Bytes) {
    KeyboardLayout exact{};
    KeyboardLayout longer{};
    std::string file = FileWith(30, "a", "A");
    ASSERT_TRUE(ReadLayoutFile(file, exact));
    ASSERT_TRUE(ReadLayoutFile(file + std::string(36, '\x41'), longer));
    EXPECT_EQ(exact, longer);
}

TEST(LayoutFile, WriteThenReadGivesTheLayoutBack) {
    LayoutSource typewriter = ParseFile(kLayouts + "/sources", "dv1lay.txt");
    ASSERT_TRUE(typewriter.Ok()) << typewriter.error;
    std::string file = WriteLayoutFile(typewriter.layout);
    ASSERT_EQ(file.size(), kLayoutFileSize);
    KeyboardLayout back{};
    ASSERT_TRUE(ReadLayoutFile(file, back));
    EXPECT_EQ(back, typewriter.layout);
}

TEST(LayoutSource, ParsesBytesStringsIncludesAndOverrides) {
    auto resolve = [](const std::string& name) -> std::optional<std::string> {
        if (name == "base.txt") return "30 a/A E5 | B0\n31 s/S \"s\" | \"\\\"|\"\n";
        return std::nullopt;
    };
    LayoutSource s = ParseLayoutSource("# comment\ninclude base.txt\n30 a/A - | E8 CF\n", resolve);
    ASSERT_TRUE(s.Ok()) << s.error;
    EXPECT_TRUE(s.layout[30].plain.Empty());
    EXPECT_EQ(s.layout[30].shifted.View(), Bytes({0xE8, 0xCF}));
    EXPECT_EQ(s.layout[31].plain.View(), "s");
    EXPECT_EQ(s.layout[31].shifted.View(), "\"|");
}

TEST(LayoutSource, RejectsBadLines) {
    auto none = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
    for (const char* bad : {"54 x 41 | 42", "30 a/A 4 | 42", "30 a/A 41 42", "30 a/A \"abc | 41",
                            "30 a/A \"123456789\" | -", "30 a/A 00 | -", "include missing.txt",
                            "x a/A 41 | 42", "30 a/A | 42"}) {
        LayoutSource s = ParseLayoutSource(bad, none);
        EXPECT_FALSE(s.Ok()) << bad;
        EXPECT_EQ(s.layout, KeyboardLayout{}) << bad;
    }
    auto self = [](const std::string&) -> std::optional<std::string> { return "include a.txt"; };
    EXPECT_FALSE(ParseLayoutSource("include a.txt", self).Ok());
    // A source that includes itself many times over stops early.
    std::string wide;
    for (int i = 0; i < 50; ++i) wide += "include w.txt\n";
    auto widely = [&](const std::string&) -> std::optional<std::string> { return wide; };
    EXPECT_FALSE(ParseLayoutSource(wide, widely).Ok());
    // Lines of other white space are passed over.
    EXPECT_TRUE(ParseLayoutSource("\v\f\n30 a/A 41 | 42", none).Ok());
}

// The committed layout files are what their sources generate.
TEST(LayoutFiles, CommittedFilesAreCurrent) {
    std::optional<std::string> manifest = test::ReadFile(kLayouts + "/layouts.txt");
    ASSERT_TRUE(manifest);
    std::istringstream lines(*manifest);
    std::string line;
    int files = 0;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string lin, source;
        fields >> lin >> source;
        LayoutSource parsed = ParseFile(kLayouts + "/sources", source);
        ASSERT_TRUE(parsed.Ok()) << source << ": " << parsed.error;
        std::optional<std::string> committed = test::ReadFile(kLayouts + "/lin/" + lin);
        ASSERT_TRUE(committed) << lin;
        EXPECT_EQ(*committed, WriteLayoutFile(parsed.layout))
            << lin << " is stale: run `make regen-layouts`";
        // And the copy the build installs into the system directory.
        EXPECT_EQ(test::ReadFile(std::string(VEXA_FAMILY_DIR) + "/" + lin), committed) << lin;
        ++files;
    }
    EXPECT_EQ(files, 21);
}

// The built-in layouts against independently written sources of the same
// tables.
TEST(BuiltInLayouts, InscriptMatchesItsSourceAndItsVedicColumn) {
    LayoutSource inscript = ParseFile(kLayouts + "/sources", "inscript.txt");
    LayoutSource vedic = ParseFile(kTestData, "inscript-vedic.txt");
    ASSERT_TRUE(inscript.Ok() && vedic.Ok()) << inscript.error << vedic.error;
    for (int s = 0; s < kLayoutKeys; ++s) {
        const LayoutEntry& e = InscriptLayout()[static_cast<std::size_t>(s)];
        EXPECT_EQ(e.plain, inscript.layout[static_cast<std::size_t>(s)].plain) << s;
        EXPECT_EQ(e.shifted, inscript.layout[static_cast<std::size_t>(s)].shifted) << s;
        EXPECT_EQ(e.vedic, vedic.layout[static_cast<std::size_t>(s)].plain) << s;
        // Apart from Esc, which keeps its own byte, every Vedic output is the
        // extension byte and one more.
        if (!e.vedic.Empty() && s != 1) {
            EXPECT_EQ(e.vedic.Size(), 2u) << s;
            EXPECT_EQ(static_cast<unsigned char>(e.vedic.View()[0]), 0xF0) << s;
        }
    }
    EXPECT_EQ(InscriptLayout()[4].shifted.View(), Bytes({0xE8, 0xCF}));
    EXPECT_EQ(InscriptLayout()[5].shifted.View(), Bytes({0xCF, 0xE8}));
}

TEST(BuiltInLayouts, TibetanMatchesItsSourceAndHasNoVedicColumn) {
    LayoutSource tibetan = ParseFile(kTestData, "tibetan.txt");
    ASSERT_TRUE(tibetan.Ok()) << tibetan.error;
    for (int s = 0; s < kLayoutKeys; ++s) {
        const LayoutEntry& e = TibetanLayout()[static_cast<std::size_t>(s)];
        EXPECT_EQ(e.plain, tibetan.layout[static_cast<std::size_t>(s)].plain) << s;
        EXPECT_EQ(e.shifted, tibetan.layout[static_cast<std::size_t>(s)].shifted) << s;
        EXPECT_TRUE(e.vedic.Empty()) << s;
    }
    // 0xDA after the consonant on e, before it on g.
    EXPECT_EQ(TibetanLayout()[18].shifted.View(), Bytes({0xC5, 0xDA}));
    EXPECT_EQ(TibetanLayout()[34].shifted.View(), Bytes({0xDA, 0xC5}));
}

TEST(BuiltInLayouts, EveryListBoxInscriptFileIsTheBuiltInLayout) {
    for (const char* code : {"as", "bn", "dv", "gj", "kn", "ml", "or", "pn", "tm", "tl"}) {
        std::optional<std::string> file =
            test::ReadFile(kLayouts + "/lin/" + std::string(code) + "0lay.lin");
        KeyboardLayout layout{};
        ASSERT_TRUE(file && ReadLayoutFile(*file, layout)) << code;
        for (int s = 0; s < kLayoutKeys; ++s) {
            EXPECT_EQ(layout[static_cast<std::size_t>(s)].plain,
                      InscriptLayout()[static_cast<std::size_t>(s)].plain)
                << code << " " << s;
        }
    }
}

}  // namespace
}  // namespace vexa::keyboard
