#include "edit/edit_buffer.h"

#include <gtest/gtest.h>

namespace vexa::edit {
namespace {

TEST(EditBufferTest, ChangesKeepTheLineCountEqualToTheLineEndBytes) {
    EditBuffer b;
    b.Reset("ab\rcd\x04" "ef");
    EXPECT_EQ(b.LastLine(), 2);
    b.Insert(1, "\x1D\x05x");
    EXPECT_EQ(b.LastLine(), 4);
    b.Erase(0, 4);  // "a", 0x1D, 0x05, "x"
    EXPECT_EQ(b.Text(), "b\rcd\x04" "ef");
    EXPECT_EQ(b.LastLine(), 2);
    b.Replace(4, ' ');
    EXPECT_EQ(b.LastLine(), 1);
    b.Replace(0, '\r');
    EXPECT_EQ(b.LastLine(), 2);
    b.Erase(5, 100);  // clamped at the end
    EXPECT_EQ(b.Text(), "\r\rcd ");
    b.Erase(10, 1);  // past the end: nothing
    EXPECT_EQ(b.Text(), "\r\rcd ");
}

TEST(EditBufferTest, LinesAreFoundFromTheirNumberAndOffsets) {
    EditBuffer b;
    b.Reset("one\rtwo\x04three\x1D\rfive");
    EXPECT_EQ(b.LineOffset(0), 0u);
    EXPECT_EQ(b.LineOffset(1), 4u);
    EXPECT_EQ(b.LineOffset(2), 8u);
    EXPECT_EQ(b.LineOffset(3), 14u);
    EXPECT_EQ(b.LineOffset(4), 15u);
    EXPECT_EQ(b.LineOffset(9), b.Size());
    EXPECT_EQ(b.LineStart(10), 8u);
    EXPECT_EQ(b.LineStop(10), 13u);
    EXPECT_EQ(b.LineStop(15), b.Size());
    EXPECT_EQ(b.LineOf(0), 0);
    EXPECT_EQ(b.LineOf(14), 3);
    EXPECT_EQ(b.LineOf(b.Size()), 4);
}

TEST(EditBufferTest, TheTopLineStaysOnItsLineWhenTextChangesInFrontOfIt) {
    EditBuffer b;
    b.Reset("aa\rbb\rcc\rdd");
    b.SetTopLine(2);
    EXPECT_EQ(b.TopLineOffset(), 6u);  // "cc"
    b.Insert(0, "x\ry");
    EXPECT_EQ(b.TopLine(), 3);
    EXPECT_EQ(b.TopLineOffset(), 9u);
    EXPECT_EQ(b.Text().substr(b.TopLineOffset(), 2), "cc");
    // Removing the line end in front of the top line joins it to the line before.
    b.Erase(8, 1);
    EXPECT_EQ(b.TopLine(), 2);
    EXPECT_EQ(b.Text().substr(b.TopLineOffset(), 4), "bbcc");
    b.Replace(1, 'z');  // the first line end becomes a letter
    EXPECT_EQ(b.TopLine(), 1);
    EXPECT_EQ(b.LineOffset(b.TopLine()), b.TopLineOffset());
    // Changes after the top line leave it alone.
    b.Insert(b.Size(), "\r\r");
    EXPECT_EQ(b.TopLine(), 1);
}

TEST(EditBufferTest, PendingBytesGoInAtTheCaretAndUndoCopiesOnlyWhenArmed) {
    EditBuffer b;
    b.Reset("ab\rcd");
    b.MoveCaret(4);
    EXPECT_EQ(b.CaretLine(), 1);
    b.AppendPending('x');
    b.AppendPending('\r');
    b.Flush();
    EXPECT_EQ(b.Text(), "ab\rcx\rd");
    EXPECT_EQ(b.CaretIndex(), 6u);
    EXPECT_EQ(b.CaretLine(), 2);
    EXPECT_EQ(b.LastLine(), 2);
    b.SetPending("yy");
    b.InsertPendingAt(0);  // the caret stays where it was
    EXPECT_EQ(b.Text(), "yyab\rcx\rd");
    EXPECT_EQ(b.CaretIndex(), 6u);
    EXPECT_TRUE(b.Pending().empty());

    b.KeepUndoCopy();  // not armed: the copy stays
    EXPECT_EQ(b.UndoText(), "VEdit");
    b.ArmUndo();
    b.KeepUndoCopy();
    EXPECT_EQ(b.UndoText(), "yyab\rcx\rd");
    b.Erase(0, 2);
    b.KeepUndoCopy();  // disarmed by the copy
    EXPECT_EQ(b.UndoText(), "yyab\rcx\rd");
    b.Reset("new");  // a new text keeps the undo copy
    EXPECT_EQ(b.UndoText(), "yyab\rcx\rd");
    EXPECT_EQ(b.CaretIndex(), 0u);
}

}  // namespace
}  // namespace vexa::edit
