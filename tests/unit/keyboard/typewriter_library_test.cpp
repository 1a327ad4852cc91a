// The typewriter keyboard libraries: keys typed in the order the typist sees
// the letters become ISCII in logical order.

#include <gtest/gtest.h>


#include "keyboard/keyboard_library.h"
#include "keyboard/layout_file.h"
#include "sim/sim_platform.h"
#include "unit/fixture_platform.h"

namespace vexa::keyboard {
namespace {

using test::Bytes;

class TypewriterLibrary : public ::testing::Test {
protected:
    void TearDown() override { ReleaseKeyboardLibraries(sim.libraries); }

    KeyboardBinding Bind(const std::string& code) {
        platform::EntryAddress address = nullptr;
        EXPECT_EQ(BindKeyboardEntry(sim, code + "1lay32.dll", "make_iscii", address),
                  EntryLoad::Bound);
        return {reinterpret_cast<VexaMakeIsciiFn>(address), nullptr};
    }

    // The key text of a sequence of keys on a layout file, each key given by
    // its scan code (negative: with Shift).
    static std::string Keys(const std::string& lin, std::initializer_list<int> scans) {
        KeyboardLayout layout{};
        EXPECT_TRUE(ReadLayoutFile(test::ReadFile(std::string(VEXA_FAMILY_DIR) + "/" + lin).value_or(""), layout));
        std::string keys;
        for (int s : scans) {
            const LayoutEntry& e = layout[static_cast<std::size_t>(s < 0 ? -s : s)];
            keys += s < 0 ? e.shifted.View() : e.plain.View();
        }
        return keys;
    }

    sim::SimPlatform sim;
};

constexpr int kF = 33, kD = 32, kR = 19, kK = 37, kC = 46, kE = 18, kZ = 44, kO = 24, kS = 31;

TEST_F(TypewriterLibrary, VowelSignTypedBeforeItsConsonantMovesAfterIt) {
    KeyboardBinding dv = Bind("dv");
    // f d r k c: the i sign, ka, ta, the aa sign, ba.
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kF, kD, kR, kK, kC})),
              Bytes({0xB3, 0xDB, 0xC2, 0xDA, 0xCA}));
    // Before a conjunct it moves after the whole conjunct.
    EXPECT_EQ(dv.Convert(Bytes({0xD9, 0xDB, 0xB3, 0xE8, 0xD6})), Bytes({0xB3, 0xE8, 0xD6, 0xDB}));
    // Still waiting for its consonant: shown on its own.
    EXPECT_EQ(dv.Convert(Bytes({0xD9, 0xDB})), Bytes({0xD9, 0xDB}));
    EXPECT_EQ(dv.Convert(Bytes({0xCC, 0xD9, 0xDB})), Bytes({0xCC, 0xD9, 0xDB}));
}

TEST_F(TypewriterLibrary, IsciiAlreadyInTheWordStaysInPlace) {
    KeyboardBinding dv = Bind("dv");
    // ki followed by a new ma: the sign belongs to ka, not to ma.
    EXPECT_EQ(dv.Convert(Bytes({0xB3, 0xDB, 0xCC})), Bytes({0xB3, 0xDB, 0xCC}));
    // dharma already in logical order keeps its reph where it is.
    EXPECT_EQ(dv.Convert(Bytes({0xC5, 0xCF, 0xE8, 0xCC, 0xDA})),
              Bytes({0xC5, 0xCF, 0xE8, 0xCC, 0xDA}));
}

TEST_F(TypewriterLibrary, HalfLettersAndTheAaStroke) {
    KeyboardBinding dv = Bind("dv");
    // [ k: kha as half letter + stroke = kha.
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {26, kK})), Bytes({0xB4}));
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kF, 26, kK})), Bytes({0xB4, 0xDB}));
    // A half letter before a full one is a conjunct.
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {-kD, kR})), Bytes({0xB3, 0xE8, 0xC2}));
    // The stroke after a full letter is the aa sign.
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kD, kK})), Bytes({0xB3, 0xDA}));
}

TEST_F(TypewriterLibrary, RephTypedAfterItsSyllableMovesBeforeIt) {
    KeyboardBinding dv = Bind("dv");
    // dharma: dha ma reph.
    EXPECT_EQ(dv.Convert(Bytes({0xC5, 0xCC, 0xCF, 0xE8, 0xD9})),
              Bytes({0xC5, 0xCF, 0xE8, 0xCC}));
    // The reph takes the vowel sign of its syllable along.
    EXPECT_EQ(dv.Convert(Bytes({0xCC, 0xDC, 0xCF, 0xE8, 0xD9})),
              Bytes({0xCF, 0xE8, 0xCC, 0xDC}));
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kF, kD, -kZ})), Bytes({0xCF, 0xE8, 0xB3, 0xDB}));
    // Nothing before it: left as typed.
    EXPECT_EQ(dv.Convert(Bytes({0xCF, 0xE8, 0xD9})), Bytes({0xCF, 0xE8, 0xD9}));
}

TEST_F(TypewriterLibrary, VowelsTypedInParts) {
    KeyboardBinding dv = Bind("dv");
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kD, kK, kS})), Bytes({0xB3, 0xE5}));       // ko
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {kD, kK, -kS})), Bytes({0xB3, 0xE6}));      // kau
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {47, kK})), Bytes({0xA5}));                 // aa
    EXPECT_EQ(dv.Convert(Keys("dv1lay.lin", {47, kK, kS})), Bytes({0xB0}));             // o
    // Bengali: the e sign before the consonant and the aa stroke after make o.
    KeyboardBinding bn = Bind("bn");
    EXPECT_EQ(bn.Convert(Keys("bn1lay.lin", {kS, kD, kK})), Bytes({0xB3, 0xE5}));
    EXPECT_EQ(bn.Convert(Keys("bn1lay.lin", {47, kK})), Bytes({0xA5}));
    EXPECT_EQ(bn.Convert(Keys("bn1lay.lin", {47, kK, kS})), Bytes({0xA5, 0xD9, 0xE1}));
    // Tamil: short e before the consonant, then aa: short o; a + aa stays two letters.
    KeyboardBinding tm = Bind("tm");
    EXPECT_EQ(tm.Convert(Keys("tm1lay.lin", {-17, kD, kK})), Bytes({0xB3, 0xE4}));
    EXPECT_EQ(tm.Convert(Keys("tm1lay.lin", {47, kK})), Bytes({0xA4, 0xDA}));
    EXPECT_EQ(tm.Convert(Keys("tm1lay.lin", {kF, kD})), Bytes({0xDB, 0xB3}));
    // Kannada: the i sign follows its consonant as typed.
    KeyboardBinding kn = Bind("kn");
    EXPECT_EQ(kn.Convert(Keys("kn1lay.lin", {kD, kF, kO})), Bytes({0xB3, 0xDB, 0xD4}));
}

TEST_F(TypewriterLibrary, OutputStaysWithinTheContractBuffer) {
    KeyboardBinding dv = Bind("dv");
    std::string keys;
    for (int i = 0; i < 300; ++i) keys += Bytes({0xD9, 0xDB, 0xB3, 0xE8, 0xD6, 0xCF, 0xE8, 0xD9});
    std::string word = dv.Convert(keys);
    EXPECT_LE(word.size(), 2 * keys.size() + 31);
    EXPECT_EQ(word.substr(0, 6), Bytes({0xCF, 0xE8, 0xB3, 0xE8, 0xD6, 0xDB}));
}

}  // namespace
}  // namespace vexa::keyboard
