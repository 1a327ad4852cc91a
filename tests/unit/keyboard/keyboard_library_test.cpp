// Calls into keyboard libraries: buffers, terminators and missing entries.

#include "keyboard/keyboard_library.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vexa::keyboard {
namespace {

std::size_t g_seenLength = 0;
unsigned char g_firstOutputByte = 0xFF;

// Writes exactly what the contract allows: 2n + 31 bytes and the terminator.
int VEXA_STDCALL FillContract(const unsigned char* input, unsigned char* output) {
    std::size_t n = std::strlen(reinterpret_cast<const char*>(input));
    g_seenLength = n;
    std::memset(output, 'a', 2 * n + 31);
    output[2 * n + 31] = 0;
    return 0;
}

// Overruns the contract and leaves no terminator.
int VEXA_STDCALL Overrun(const unsigned char* input, unsigned char* output) {
    std::size_t n = std::strlen(reinterpret_cast<const char*>(input));
    std::memset(output, 'b', 3 * n + 40);
    return 0;
}

int VEXA_STDCALL WritesNothing(const unsigned char*, unsigned char* output) {
    g_firstOutputByte = output[0];
    return 0;
}

TEST(KeyboardLibraryCalls, TheContractBufferIsReadWhole) {
    std::string out = CallMakeIscii(&FillContract, "abcd");
    EXPECT_EQ(g_seenLength, 4u);
    EXPECT_EQ(out, std::string(2 * 4 + 31, 'a'));
    EXPECT_EQ(CallMakeIscii(&FillContract, ""), std::string(31, 'a'));
}

TEST(KeyboardLibraryCalls, AnOverrunningLibraryIsCutAtOurBuffer) {
    std::string out = CallIscii2Ascii(&Overrun, "0123456789");
    EXPECT_GE(out.size(), 3 * 10 + 40u);
    EXPECT_LT(out.size(), 4 * 10 + 64u);
    EXPECT_EQ(out.find_first_not_of('b'), std::string::npos);
}

TEST(KeyboardLibraryCalls, InputEndsAtItsFirstZeroAndOutputStartsEmpty) {
    CallMakeIscii(&FillContract, std::string("ab\0cd", 5));
    EXPECT_EQ(g_seenLength, 2u);
    EXPECT_EQ(CallIscii2Ascii(&WritesNothing, "xyz"), "");
    EXPECT_EQ(g_firstOutputByte, 0);
}

TEST(KeyboardLibraryCalls, MissingEntriesAreNeverCalled) {
    KeyboardBinding none;
    EXPECT_EQ(none.Convert("ka"), "");
    EXPECT_EQ(none.Reverse("ka"), "");
    EXPECT_TRUE(none.CanCompose(KeyboardKind::Inscript));
    EXPECT_FALSE(none.CanCompose(KeyboardKind::Phonetic));
    EXPECT_FALSE(none.CanCompose(KeyboardKind::Typewriter));
    KeyboardBinding typewriter{&FillContract, nullptr};
    EXPECT_TRUE(typewriter.CanCompose(KeyboardKind::Typewriter));
    EXPECT_FALSE(typewriter.CanCompose(KeyboardKind::Phonetic));
    KeyboardBinding phonetic{&FillContract, &WritesNothing};
    EXPECT_TRUE(phonetic.CanCompose(KeyboardKind::Phonetic));
}

TEST(LayoutNames, OnlyBareLinNamesAreLoadable) {
    EXPECT_EQ(LibraryOfLayoutFile("dv1lay.lin"), "dv1lay32.dll");
    EXPECT_EQ(LibraryOfLayoutFile("a.LiN"), "a32.dll");
    for (const char* bad : {"", "lin", ".lin", "x.li", "a\\b.lin", "a/b.lin", "c:b.lin", "..a.lin",
                            "dv1lay.lin ", "abcdefghijklmnopqrstu.lin", "a\tb.lin"}) {
        EXPECT_FALSE(IsLoadableLayoutName(bad)) << bad;
        EXPECT_EQ(LibraryOfLayoutFile(bad), "") << bad;
    }
    // Reserved device names (the whole rule: DeviceNames in the platform
    // tests), whatever the extension.
    for (const char* device : {"COM1.lin", "aux.LIN", "nul.txt.lin", "COM\xB9.lin"}) {
        EXPECT_FALSE(IsLoadableLayoutName(device)) << device;
        EXPECT_EQ(LibraryOfLayoutFile(device), "") << device;
    }
    // Names that only start like a device are files.
    for (const char* file : {"COM10.lin", "com.lin", "CONX.lin", "console.lin", "lpt.lin",
                             "nul1.lin", "aux_.lin", "xcon.lin"}) {
        EXPECT_TRUE(IsLoadableLayoutName(file)) << file;
    }
}

}  // namespace
}  // namespace vexa::keyboard
