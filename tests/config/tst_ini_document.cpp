#include "config/IniDocument.h"

#include <gtest/gtest.h>

using XQTestDev::IniDocument;

namespace {

QString read(const IniDocument& doc, const char* section, const char* key) {
    return doc.value(QString::fromUtf8(section), QString::fromUtf8(key))
        .value_or(QStringLiteral("<missing>"));
}

struct ReadCase {
    const char* name;
    QByteArray file;
    const char* section;
    const char* key;
    const char* expected;
};

class IniReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadTable, ReadsValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(read(IniDocument::parse(c.file), c.section, c.key), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniReadTable,
    ::testing::Values(
        ReadCase{"plain", "[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"names looked up trimmed", "[A]\nk=v\n", " A ", "\tk ", "v"},
        ReadCase{"section and key ignore case", "[ATE Configuration]\nID=ATE7\n",
                 "ate configuration", "id", "ATE7"},
        ReadCase{"value after first equals", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase{"blanks around trimmed", "[A]\n  k \t=  v w \t\n", "A", "k", "v w"},
        ReadCase{"double quotes removed once", "[A]\nk=\"\"x\"\"\n", "A", "k", "\"x\""},
        ReadCase{"single quotes removed", "[A]\nk= 'x y' \n", "A", "k", "x y"},
        ReadCase{"unbalanced quote kept", "[A]\nk=\"x\n", "A", "k", "\"x"},
        ReadCase{"empty value", "[A]\nk=\n", "A", "k", ""},
        ReadCase{"missing key", "[A]\nk=v\n", "A", "other", "<missing>"},
        ReadCase{"missing section", "[A]\nk=v\n", "B", "k", "<missing>"},
        ReadCase{"key before any section ignored", "k=v\n[A]\n", "A", "k", "<missing>"},
        ReadCase{"first duplicate key wins", "[A]\nk=1\nk=2\n", "A", "k", "1"},
        ReadCase{"first duplicate section wins", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A", "j",
                 "<missing>"},
        ReadCase{"comment is no key", "[A]\n;k=v\n", "A", ";k", "<missing>"},
        ReadCase{"line without equals ignored", "[A]\njunk\nk=v\n", "A", "k", "v"},
        ReadCase{"header without bracket names the section", "[A\nk=v\n", "A", "k", "v"},
        ReadCase{"section name ends at first bracket", "[A]x]\nk=v\n", "A", "k", "v"},
        ReadCase{"crlf line ends", "[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase{"cr line ends", "[A]\rk=v\rj=w\r", "A", "j", "w"},
        ReadCase{"stray cr in crlf file ends the line", "[A]\r\nk=v\rj=w\r\n", "A", "j", "w"},
        ReadCase{"stray cr leaves the value before it alone", "[A]\r\nk=v\rj=w\r\n", "A", "k", "v"},
        ReadCase{"blanks inside quotes trimmed", "[A]\nk=  \"   TestValue   \"  \n", "A", "k",
                 "TestValue"},
        ReadCase{"utf-8 mark read past", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "v"},
        ReadCase{"utf-16 le with mark", QByteArray("\xFF\xFE[\0A\0]\0\n\0k\0=\0\xB0\0\n\0", 18),
                 "A", "k", "\xC2\xB0"},
        ReadCase{"utf-16 be with mark", QByteArray("\xFE\xFF\0[\0A\0]\0\n\0k\0=\0v", 16), "A", "k",
                 "v"},
        ReadCase{"nul makes it no text", QByteArray("[A]\nk=v\n\0", 9), "A", "k", "<missing>"},
        ReadCase{"no final line end", "[A]\r\nk=v", "A", "k", "v"},
        ReadCase{"blank section header padding", "  [ A ]  \nk=v\n", "A", "k", "v"},
        ReadCase{"utf8 value",
                 "[A]\nk=\xc2\xb5"
                 "A\n",
                 "A", "k",
                 "\xc2\xb5"
                 "A"},
        ReadCase{"windows-1252 value", "[A]\nk=\x80 5\xb5V\n", "A", "k",
                 "\xe2\x82\xac 5\xc2\xb5V"}),
    [](const auto& row) {
        std::string name = row.param.name;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

// Every white-space character is a blank around section headers, keys and
// values, as Windows reads them: a header behind a vertical tab is a header,
// and the keys after it are its own.
class WindowsBlanks : public ::testing::TestWithParam<char> {
protected:
    QByteArray blank() const { return QByteArray(1, GetParam()); }
};

TEST_P(WindowsBlanks, SurroundHeadersKeysAndComments) {
    const QByteArray b = blank();
    const IniDocument doc = IniDocument::parse("[A]\r\nk=1\r\n" + b + "[B]" + b + "\r\n" + b + "j" +
                                               b + "=" + b + "2" + b + "\r\n" + b + ";c=3\r\n");
    EXPECT_EQ(read(doc, "B", "j"), QStringLiteral("2"));
    EXPECT_EQ(read(doc, "A", "j"), QStringLiteral("<missing>"));
    EXPECT_EQ(doc.keys(QStringLiteral("B")), QStringList{QStringLiteral("j")});
}

TEST_P(WindowsBlanks, AWriteFindsTheSectionAndTheValueBehindThem) {
    const QByteArray b = blank();
    IniDocument doc = IniDocument::parse("[A]\r\nk=1\r\n" + b + "[B]\r\nj=" + b + "2\r\n");
    ASSERT_TRUE(doc.setValue(QStringLiteral("B"), QStringLiteral("j"), QStringLiteral("4")));
    ASSERT_TRUE(doc.setValue(QStringLiteral("B"), QStringLiteral("n"), QStringLiteral("5")));
    EXPECT_EQ(doc.serialize(), "[A]\r\nk=1\r\n" + b + "[B]\r\nj=" + b + "4\r\nn=5\r\n");
}

INSTANTIATE_TEST_SUITE_P(Blanks, WindowsBlanks, ::testing::Values(' ', '\t', '\v', '\f'),
                         [](const auto& row) {
                             switch (row.param) {
                             case ' ':
                                 return std::string("Space");
                             case '\t':
                                 return std::string("Tab");
                             case '\v':
                                 return std::string("VerticalTab");
                             default:
                                 return std::string("FormFeed");
                             }
                         });

TEST(IniDocument, UntouchedFileSerializesToSameBytes) {
    const QByteArray file =
        "; station\r\n\r\n[A]\r\nk = v ; note\r\njunk line\r\n[B\n\xff\xfe\x00x=1\n[C]\nq=\"2\"";
    EXPECT_EQ(IniDocument::parse(file).serialize(), file);
}

struct WriteCase {
    const char* name;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

class IniWriteTable : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteTable, ChangesOnlyWhatItWasAsked) {
    const WriteCase& c = GetParam();
    IniDocument doc = IniDocument::parse(c.before);
    ASSERT_TRUE(doc.setValue(QString::fromUtf8(c.section), QString::fromUtf8(c.key),
                             QString::fromUtf8(c.value)));
    EXPECT_EQ(doc.serialize(), c.after);
    EXPECT_EQ(read(IniDocument::parse(doc.serialize()), c.section, c.key),
              QString::fromUtf8(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Semantics, IniWriteTable,
    ::testing::Values(
        WriteCase{"replace keeps spelling and spacing", "[A]\r\n; c\r\nKey = old\r\nz=1\r\n", "a",
                  "KEY", "new", "[A]\r\n; c\r\nKey = new\r\nz=1\r\n"},
        WriteCase{"add at section end before blank line", "[A]\nk=1\n\n[B]\nj=2\n", "A", "n", "3",
                  "[A]\nk=1\nn=3\n\n[B]\nj=2\n"},
        WriteCase{"add section at file end", "[A]\r\nk=1\r\n", "B", "j", "2",
                  "[A]\r\nk=1\r\n\r\n[B]\r\nj=2\r\n"},
        WriteCase{"terminates last line first", "[A]\nk=1", "A", "n", "2", "[A]\nk=1\nn=2\n"},
        WriteCase{"empty file", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
        WriteCase{"windows-1252 file gets windows-1252", "[A]\n\xb5=\x80\nk=1\n", "A", "k",
                  "\xc2\xb5", "[A]\n\xb5=\x80\nk=\xb5\n"},
        WriteCase{"outside windows-1252 as utf-8", "[A]\nk=\x80\n", "A", "k", "\xe2\x9c\x93",
                  "[A]\nk=\xe2\x9c\x93\n"},
        WriteCase{"utf-8 file gets utf-8", "[A]\nk=\xc2\xb0\n", "A", "j", "\xc2\xb5",
                  "[A]\nk=\xc2\xb0\nj=\xc2\xb5\n"},
        WriteCase{"cr file gets cr", "[A]\rk=1\r", "A", "j", "2", "[A]\rk=1\rj=2\r"},
        WriteCase{"quoted value inside one more pair", "[A]\n", "A", "k", "\"SN-1\"",
                  "[A]\nk=\"\"SN-1\"\"\n"},
        WriteCase{"single-quoted value inside one more pair", "[A]\n", "A", "k", "'SN-1'",
                  "[A]\nk=\"'SN-1'\"\n"},
        WriteCase{"empty quotes", "[A]\n", "A", "k", "\"\"", "[A]\nk=\"\"\"\"\n"},
        WriteCase{"two quoted words", "[A]\n", "A", "k", "\"a\" and \"b\"",
                  "[A]\nk=\"\"a\" and \"b\"\"\n"},
        WriteCase{"one quote only is left alone", "[A]\n", "A", "k", "\"SN-1", "[A]\nk=\"SN-1\n"},
        WriteCase{"mixed quotes are left alone", "[A]\n", "A", "k", "'SN-1\"", "[A]\nk='SN-1\"\n"}),
    [](const auto& row) {
        std::string name = row.param.name;
        for (char& ch : name)
            ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return name;
    });

TEST(IniDocument, LineBreakInValueStaysOnOneLine) {
    IniDocument doc = IniDocument::parse("[A]\n");
    ASSERT_TRUE(doc.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("a\r\nb=c")));
    EXPECT_EQ(doc.serialize(), QByteArray("[A]\nk=a  b=c\n"));
    EXPECT_EQ(doc.keys(QStringLiteral("A")), QStringList{QStringLiteral("k")});
}

TEST(IniDocument, StoresNoMoreOfAValueThanAReadReturns) {
    IniDocument doc = IniDocument::parse("[A]\n");
    ASSERT_TRUE(doc.setValue(QStringLiteral("A"), QStringLiteral("k"), QString(100000, 'x')));
    EXPECT_EQ(doc.serialize(), "[A]\nk=" + QByteArray(1022, 'x') + "\n");
    // A pair of quotes goes on after the cut; so they read back as cut.
    const QString quoted = QLatin1Char('"') + QString(1020, 'q') + QLatin1Char('"');
    ASSERT_TRUE(doc.setValue(QStringLiteral("A"), QStringLiteral("q"), quoted + "tail"));
    EXPECT_EQ(IniDocument::parse(doc.serialize()).value(QStringLiteral("A"), QStringLiteral("q")),
              quoted);
}

TEST(IniDocument, NulInAValueIsStoredAsABlankSoTheFileStaysText) {
    IniDocument doc = IniDocument::parse("[A]\n");
    ASSERT_TRUE(
        doc.setValue(QStringLiteral("A"), QStringLiteral("k"), QString::fromLatin1("a\0b", 3)));
    EXPECT_EQ(doc.serialize(), QByteArray("[A]\nk=a b\n"));
}

TEST(IniDocument, Utf16FileUntouchedKeepsItsBytesAndWrittenKeepsItsForm) {
    const QByteArray file("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0"
                          "1\0\r\0\n\0",
                          22);
    IniDocument doc = IniDocument::parse(file);
    EXPECT_EQ(doc.serialize(), file);
    ASSERT_TRUE(doc.setValue(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("\u00B0")));
    EXPECT_EQ(doc.serialize(), QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xB0\0\r\0\n\0", 22));
}

TEST(IniDocument, WriteAfterInsertKeepsLaterSectionsAddressable) {
    IniDocument doc = IniDocument::parse("[A]\na=1\n[B]\nb=1\n[C]\nc=1\n");
    ASSERT_TRUE(doc.setValue(QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("x")));
    ASSERT_TRUE(doc.setValue(QStringLiteral("B"), QStringLiteral("b"), QStringLiteral("y")));
    ASSERT_TRUE(doc.setValue(QStringLiteral("C"), QStringLiteral("c2"), QStringLiteral("z")));
    EXPECT_EQ(doc.serialize(), QByteArray("[A]\na=1\na2=x\n[B]\nb=y\n[C]\nc=1\nc2=z\n"));
}

TEST(IniDocument, RefusesNamesThatWouldCorruptTheFile) {
    IniDocument doc = IniDocument::parse("[A]\nk=1\n");
    const QByteArray before = doc.serialize();
    for (const auto& [section, key] :
         std::vector<std::pair<QString, QString>>{{QString(), QStringLiteral("k")},
                                                  {QStringLiteral("A"), QString()},
                                                  {QStringLiteral("  "), QStringLiteral("k")},
                                                  {QStringLiteral("A]x"), QStringLiteral("k")},
                                                  {QStringLiteral("A"), QStringLiteral("k=j")},
                                                  {QStringLiteral("A"), QStringLiteral(";k")},
                                                  {QStringLiteral("A"), QStringLiteral("[k]")},
                                                  {QStringLiteral("A\nB"), QStringLiteral("k")}}) {
        EXPECT_FALSE(doc.setValue(section, key, QStringLiteral("v")))
            << section.toStdString() << "/" << key.toStdString();
    }
    EXPECT_EQ(doc.serialize(), before);
}

TEST(IniDocument, SurvivesHostileInput) {
    QByteArray huge(100000, 'x');
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(static_cast<char>(i * 37));
    for (const QByteArray& file :
         {QByteArray("[A]\nk=") + huge + "\n", binary, QByteArray("[") + huge,
          QByteArray("\n\n\n=\n[]\n=x\n"), QByteArray("[A]\n\0k=1\n", 9)}) {
        IniDocument doc = IniDocument::parse(file);
        EXPECT_EQ(doc.serialize(), file);
        // What holds a NUL is no text and is never written to.
        EXPECT_EQ(doc.setValue(QStringLiteral("Z"), QStringLiteral("k"), QStringLiteral("v")),
                  !file.contains('\0'));
        EXPECT_EQ(doc.serialize() == file, file.contains('\0'));
        if (!file.contains('\0')) {
            EXPECT_EQ(
                IniDocument::parse(doc.serialize()).value(QStringLiteral("Z"), QStringLiteral("k")),
                QStringLiteral("v"));
        }
    }
}

TEST(IniDocument, KeysInFileOrder) {
    const IniDocument doc = IniDocument::parse("[S]\nb=1\na=2\nB=3\n");
    EXPECT_EQ(doc.keys(QStringLiteral("s")),
              (QStringList{QStringLiteral("b"), QStringLiteral("a")}));
}

} // namespace
