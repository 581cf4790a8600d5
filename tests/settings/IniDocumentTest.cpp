#include "IniDocument.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

TEST(IniDocumentRead, MatchesSectionsAndKeysWithoutRegardToCase) {
    const IniDocument ini("[PanelMode]\r\nTrayIcon=1\r\n[playoption]\r\nREDUCTION=2\r\n");
    EXPECT_EQ(ini.ReadInteger("panelmode", "trayicon", 7), 1);
    EXPECT_EQ(ini.ReadInteger("PlayOption", "Reduction", 7), 2);
    EXPECT_EQ(ini.ReadInteger("PANELMODE", "TRAYICON", 7), 1);
}

TEST(IniDocumentRead, MissingSectionOrKeyGivesTheDefault) {
    const IniDocument ini("[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadInteger("B", "x", 40), 40);
    EXPECT_EQ(ini.ReadInteger("A", "y", -3), -3);
    EXPECT_EQ(ini.ReadString("A", "y", "none"), "none");
    EXPECT_FALSE(ini.Find("A", "y").has_value());
    EXPECT_EQ(IniDocument().ReadBool("A", "x", true), true);
}

TEST(IniDocumentRead, KeysBelongOnlyToTheirOwnSection) {
    const IniDocument ini("[A]\r\nx=1\r\n[B]\r\ny=2\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 0);
    EXPECT_EQ(ini.ReadInteger("B", "x", 0), 0);
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 2);
}

TEST(IniDocumentRead, TrimsNamesAndValuesAndDropsEnclosingQuotes) {
    const IniDocument ini("  [ A ]  \r\n\t x \t=\t 12 \t\r\np=\"C:\\a b\\Q.ini\"\r\nq='it'\r\n"
                          "r=\"unbalanced'\r\ns=\"\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 12);
    EXPECT_EQ(ini.ReadString("A", "p", ""), "C:\\a b\\Q.ini");
    EXPECT_EQ(ini.ReadString("A", "q", ""), "it");
    EXPECT_EQ(ini.ReadString("A", "r", ""), "\"unbalanced'");
    EXPECT_EQ(ini.ReadString("A", "s", ""), "\"");
}

TEST(IniDocumentRead, AnEmptyValueIsAStringButNoNumber) {
    const IniDocument ini("[A]\r\nx=\r\n");
    EXPECT_EQ(ini.ReadString("A", "x", "default"), "");
    EXPECT_EQ(ini.ReadInteger("A", "x", 9), 9);
}

TEST(IniDocumentRead, OnlyTheFirstSectionAndKeyOfANameCount) {
    const IniDocument ini("[A]\r\nx=1\r\nx=2\r\n[B]\r\n[a]\r\nx=3\r\ny=4\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 0);
}

TEST(IniDocumentRead, IntegersAreDecimalWithinInt32) {
    const IniDocument ini("[N]\r\na=+5\r\nb=-5\r\nc=007\r\nd=2147483647\r\ne=-2147483648\r\n"
                          "f=2147483648\r\ng=-2147483649\r\nh=12abc\r\ni=0x10\r\nj=1.5\r\n"
                          "k=--1\r\nl=-\r\nm=1 2\r\nn=99999999999999999999999999\r\n");
    EXPECT_EQ(ini.ReadInteger("N", "a", 0), 5);
    EXPECT_EQ(ini.ReadInteger("N", "b", 0), -5);
    EXPECT_EQ(ini.ReadInteger("N", "c", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "d", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "e", 0), INT32_MIN);
    for (const char* unreadable : {"f", "g", "h", "i", "j", "k", "l", "m", "n"})
        EXPECT_EQ(ini.ReadInteger("N", unreadable, 77), 77) << unreadable;
}

TEST(IniDocumentRead, AnyNonZeroIntegerIsTrue) {
    const IniDocument ini("[B]\r\none=1\r\nzero=0\r\ntwo=2\r\nminus=-1\r\nword=true\r\n");
    EXPECT_TRUE(ini.ReadBool("B", "one", false));
    EXPECT_FALSE(ini.ReadBool("B", "zero", true));
    EXPECT_TRUE(ini.ReadBool("B", "two", false));
    EXPECT_TRUE(ini.ReadBool("B", "minus", false));
    EXPECT_FALSE(ini.ReadBool("B", "word", false));
    EXPECT_TRUE(ini.ReadBool("B", "word", true));
}

TEST(IniDocumentRead, AcceptsLfCrAndCrLfLineEnds) {
    const IniDocument ini("[A]\nx=1\ry=2\r\nz=3");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
    EXPECT_EQ(ini.ReadInteger("A", "z", 0), 3);
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nx=1\r\ny=2\r\nz=3\r\n");
}

TEST(IniDocumentRead, ValuesAreBytes) {
    // Shift-JIS: the second byte of 0x95 0x5C is a backslash, 0x83 0x41 holds an 'A'.
    const std::string path = "C:\\\x95\x5C\\\x83\x41\x83\x8B\\Quorel.ini";
    const IniDocument ini("[OtherOption]\r\nSpecialIniPath=" + path + "\r\n");
    EXPECT_EQ(ini.ReadString("OtherOption", "SpecialIniPath", ""), path);
}

TEST(IniDocumentRead, HeaderWithoutClosingBracketIsNoSection) {
    const IniDocument ini("[A]\r\nx=1\r\n[B\r\ny=2\r\n[C]\r\nz=3\r\n");
    EXPECT_EQ(ini.ReadInteger("B", "y", 0), 0);
    EXPECT_EQ(ini.ReadInteger("C", "z", 0), 3);
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nx=1\r\n[B\r\ny=2\r\n[C]\r\nz=3\r\n");
}

TEST(IniDocumentRead, LinesBeforeTheFirstSectionBelongToNone) {
    const IniDocument ini("x=1\r\n[A]\r\ny=2\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 0);
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 2);
}

TEST(IniDocumentRead, NulBytesAreOrdinaryBytes) {
    const IniDocument ini("[A]\r\nx=1\0\r\n\0y=2\r\ny=3\r\nz=\0\0\r\nw=4\r\n"s);
    EXPECT_EQ(ini.ReadInteger("A", "x", 9), 9);
    EXPECT_EQ(ini.ReadInteger("A", "y", 9), 3);
    EXPECT_EQ(ini.ReadString("A", "z", ""), "\0\0"s);
    EXPECT_EQ(ini.ReadInteger("A", "w", 9), 4);
}

TEST(IniDocumentRead, LeadingUtf8ByteOrderMarkIsSkippedAndKept) {
    IniDocument ini("\xEF\xBB\xBF[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "x", 0), 1);
    ASSERT_TRUE(ini.WriteInteger("A", "x", 2));
    EXPECT_EQ(ini.ToBytes(), "\xEF\xBB\xBF[A]\r\nx=2\r\n");
}

TEST(IniDocumentRead, OverlongLinesAreReadWhole) {
    const std::string longName(1 << 20, 'n');
    const std::string longValue(1 << 20, '7');
    const IniDocument ini("[A]\r\n" + longName + "=1\r\nx=" + longValue + "\r\np=" + longName +
                          "\r\n[" + longName + "]\r\ny=5\r\n");
    EXPECT_EQ(ini.ReadInteger("A", longName, 0), 1);
    EXPECT_EQ(ini.ReadInteger("A", "x", 3), 3);
    EXPECT_EQ(ini.ReadString("A", "p", ""), longName);
    EXPECT_EQ(ini.ReadInteger(longName, "y", 0), 5);
}

TEST(IniDocumentWrite, ReplacesTheValueInPlaceKeepingTheStoredName) {
    IniDocument ini("; comment\r\n[PanelMode]\r\n  trayicon = 0 \r\nBarIcon=1\r\n");
    ASSERT_TRUE(ini.WriteBool("PANELMODE", "TrayIcon", true));
    EXPECT_EQ(ini.ToBytes(), "; comment\r\n[PanelMode]\r\ntrayicon=1\r\nBarIcon=1\r\n");
}

TEST(IniDocumentWrite, AddsANewKeyAfterTheLastLineOfItsSection) {
    IniDocument ini("[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(ini.WriteInteger("a", "z", -4));
    ASSERT_TRUE(ini.WriteInteger("B", "w", 5));
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nx=1\r\nz=-4\r\n\r\n[B]\r\ny=2\r\nw=5\r\n");
}

TEST(IniDocumentWrite, AddsANewSectionAtTheEnd) {
    IniDocument ini("[A]\r\nx=1");
    ASSERT_TRUE(ini.WriteString("Other", "Path", "C:\\Q.ini"));
    ASSERT_TRUE(ini.WriteString("Other", "Empty", ""));
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nx=1\r\n[Other]\r\nPath=C:\\Q.ini\r\nEmpty=\r\n");

    IniDocument empty;
    ASSERT_TRUE(empty.WriteBool("S", "k", false));
    EXPECT_EQ(empty.ToBytes(), "[S]\r\nk=0\r\n");
}

TEST(IniDocumentWrite, WritesIntoTheFirstSectionOfAName) {
    IniDocument ini("[A]\r\nx=1\r\n[A]\r\ny=2\r\n");
    ASSERT_TRUE(ini.WriteInteger("A", "y", 3));
    EXPECT_EQ(ini.ToBytes(), "[A]\r\nx=1\r\ny=3\r\n[A]\r\ny=2\r\n");
    EXPECT_EQ(ini.ReadInteger("A", "y", 0), 3);
}

TEST(IniDocumentWrite, ReadsBackWhatWasWritten) {
    IniDocument ini;
    ASSERT_TRUE(ini.WriteInteger("N", "min", INT32_MIN));
    ASSERT_TRUE(ini.WriteInteger("N", "max", INT32_MAX));
    ASSERT_TRUE(ini.WriteString("N", "path", "\x82\xA0\\x=y"));
    EXPECT_EQ(ini.ReadInteger("n", "MIN", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("n", "MAX", 0), INT32_MAX);
    EXPECT_EQ(ini.ReadString("N", "path", ""), "\x82\xA0\\x=y");
}

TEST(IniDocumentWrite, RefusesTextThatWouldNotReadBack) {
    IniDocument ini("[A]\r\nx=1\r\n");
    const std::string before = ini.ToBytes();
    EXPECT_FALSE(ini.WriteString("A", "x", "1\r\n[B]"));
    EXPECT_FALSE(ini.WriteString("A", "x", "1\n"));
    EXPECT_FALSE(ini.WriteString("A", "x", "1\r"));
    EXPECT_FALSE(ini.WriteString("A", "x", "1\0"s));
    EXPECT_FALSE(ini.WriteString("A", "x=y", "1"));
    EXPECT_FALSE(ini.WriteString("A", "[B]", "1"));
    EXPECT_FALSE(ini.WriteString("A", "", "1"));
    EXPECT_FALSE(ini.WriteString("", "x", "1"));
    EXPECT_FALSE(ini.WriteString("A", " x", "1"));
    EXPECT_FALSE(ini.WriteString("A\n", "x", "1"));
    EXPECT_FALSE(ini.WriteString("A ", "x", "1"));
    EXPECT_EQ(ini.ToBytes(), before);
}

} // namespace
