// The settings and label lookup, on small files in a temporary box root.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plugin/settings.h"
#include "tests/support/boxroot.h"

namespace {

const char* const kNoFile = nullptr;

struct LookupCase {
    const char* name;
    const char* settings;  // null: no settings file
    const char* labels;    // null: no label file
    const char* key;
    const char* def;
    const char* expected;
};

class LookupTest : public testing::TestWithParam<LookupCase> {};

TEST_P(LookupTest, FindsTheValueByTheFileRules)
{
    const LookupCase& c = GetParam();
    TempBoxRoot box;
    if (c.settings)
        box.write(SETTINGS_FILE, c.settings);
    if (c.labels)
        box.write(LABEL_FILE, c.labels);
    EXPECT_STREQ(ReadINIValue(c.key, c.def), c.expected);
}

const LookupCase kLookups[] = {
    {"NoFilesGiveTheDefault", kNoFile, kNoFile, "channelListPosX", "75", "75"},
    {"NoFilesGiveTheLabelDefault", kNoFile, kNoFile, "lbExit", "Exit", "Exit"},
    {"PlainValue", "channelListPosX=120\n", kNoFile, "channelListPosX", "75", "120"},
    {"LastLineWins", "channelListPosX=10\nchannelListPosX=20\n", kNoFile, "channelListPosX", "75", "20"},
    {"EmptyValueCountsAsAbsent", "epgFileName=\n", kNoFile, "epgFileName", "/hdd/epg.dat", "/hdd/epg.dat"},
    {"LaterEmptyValueHidesEarlierOne", "epgFileName=/a\nepgFileName=\n", kNoFile, "epgFileName", "/d", "/d"},
    {"ValueKeepsFurtherEquals", "k=a=b=c\n", kNoFile, "k", "x", "a=b=c"},
    {"BlanksAroundEqualsBelongToKey", "channelListPosX = 10\n", kNoFile, "channelListPosX", "75", "75"},
    {"BlankKeyMatchesExactly", "channelListPosX =10\n", kNoFile, "channelListPosX ", "75", "10"},
    {"BlanksInValueKept", "k= a b \n", kNoFile, "k", "x", " a b "},
    {"KeyIsCaseSensitive", "ChannelListPosX=10\n", kNoFile, "channelListPosX", "75", "75"},
    {"PrefixOfKeyDoesNotMatch", "channelListPos=10\nchannelListPosXY=11\n", kNoFile, "channelListPosX", "75", "75"},
    {"CommentIgnored", "#channelListPosX=10\n", kNoFile, "#channelListPosX", "75", "75"},
    {"LineWithoutEqualsIgnored", "channelListPosX\nchannelListPosX=5\nchannelListPosX 9\n", kNoFile,
     "channelListPosX", "75", "5"},
    {"CrLfEnds", "a=1\r\nchannelListPosX=42\r\nb=2\r\n", kNoFile, "channelListPosX", "75", "42"},
    {"LastLineWithoutLineFeed", "a=1\nchannelListPosX=7", kNoFile, "channelListPosX", "75", "7"},
    {"EmptyLinesSkipped", "\n\n\nk=v\n\n", kNoFile, "k", "x", "v"},
    {"LabelFromLabelFile", "lbExit=Settings\n", "lbExit=Esci\n", "lbExit", "Exit", "Esci"},
    {"LabelMissingFromLabelFileIsNotSearchedInSettings", "lbExit=Settings\n", "lbOther=x\n", "lbExit",
     "Exit", "Exit"},
    {"WithoutLabelFileLabelsComeFromSettings", "lbExit=Settings\n", kNoFile, "lbExit", "Exit", "Settings"},
    {"DayNamesAreSettings", kNoFile, "LbSun=Sun\n", "LbSun", "Dom", "Dom"},
    {"DayNamesFromSettings", "LbSun=Sunday\n", "LbSun=Sun\n", "LbSun", "Dom", "Sunday"},
    {"SettingNotSearchedInLabelFile", kNoFile, "channelListPosX=1\n", "channelListPosX", "75", "75"},
    {"BinaryBytesDoNotHideTheNextLine", "x\x01\x02\xff=1\nk=v\n", kNoFile, "k", "x", "v"},
};

INSTANTIATE_TEST_SUITE_P(Settings, LookupTest, testing::ValuesIn(kLookups),
                         [](const testing::TestParamInfo<LookupCase>& i) { return std::string(i.param.name); });

TEST(SettingsTest, OneArgumentFormGivesEmptyTextWhenAbsent)
{
    TempBoxRoot box;
    EXPECT_STREQ(ReadINIValue("channelListPosX"), "");
    box.write(SETTINGS_FILE, "other=1\n");
    EXPECT_STREQ(ReadINIValue("channelListPosX"), "");
    box.write(SETTINGS_FILE, "channelListPosX=3\n");
    EXPECT_STREQ(ReadINIValue("channelListPosX"), "3");
}

TEST(SettingsTest, ReadsTheFileAfreshOnEveryLookup)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, "k=1\n");
    EXPECT_STREQ(ReadINIValue("k", "x"), "1");
    box.write(SETTINGS_FILE, "k=2\n");
    EXPECT_STREQ(ReadINIValue("k", "x"), "2");
    box.remove(SETTINGS_FILE);
    EXPECT_STREQ(ReadINIValue("k", "x"), "x");
}

// A zero byte inside a line must neither end the line early (taking the rest
// for a line of its own) nor make the following line be skipped.
TEST(SettingsTest, ZeroByteInsideALine)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, std::string("a\0k=bad\nk=good\nz=1\0\n", 20));
    EXPECT_STREQ(ReadINIValue("k", "x"), "good");
    EXPECT_STREQ(ReadINIValue("z", "x"), "1");
}

// Values up to 255 characters are found whole; a longer one never overruns
// the value area and is not taken; a line longer than one read is skipped
// whole, so nothing after its 999th byte is taken for a line of its own.
TEST(SettingsTest, LongLinesAndValues)
{
    TempBoxRoot box;
    const std::string v255(255, 'v');
    const std::string v256(256, 'w');
    // Its second read would begin with "k3=".
    const std::string hidden = std::string(999, 'p') + "k3=hidden\n";
    box.write(SETTINGS_FILE, "k1=" + v255 + "\nk2=" + v256 + "\n" + hidden + "k4=after\n");
    EXPECT_EQ(std::string(ReadINIValue("k1", "d")), v255);
    EXPECT_STREQ(ReadINIValue("k2", "d"), "d");
    EXPECT_STREQ(ReadINIValue("k3", "d"), "d");
    EXPECT_STREQ(ReadINIValue("k4", "d"), "after");
}

TEST(SettingsTest, LongValueDoesNotReplaceAnEarlierFit)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, "k=short\nk=" + std::string(300, 'x') + "\n");
    EXPECT_STREQ(ReadINIValue("k", "d"), "short");
}

TEST(SettingsTest, OneMegabyteLine)
{
    TempBoxRoot box;
    // The last read of the long line is exactly "k=no\n": taken for a line
    // of its own, it would match.
    const std::string big = std::string(999 * 1050, 'a') + "k=no\n";
    box.write(SETTINGS_FILE, "k=yes\n" + big + "end=1\n");
    EXPECT_STREQ(ReadINIValue("k", "d"), "yes");
    EXPECT_STREQ(ReadINIValue("end", "d"), "1");
}

TEST(SettingsTest, DefaultLongerThanTheResultAreaIsCut)
{
    TempBoxRoot box;
    const std::string def(2000, 'd');
    const char* r = ReadINIValue("absent", def.c_str());
    EXPECT_EQ(strlen(r), 999u);
}

TEST(SettingsTest, NumbersReadAsTheCallersReadThem)
{
    struct {
        const char* text;
        int value;
    } cases[] = {
        {"42", 42}, {"  17", 17}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"-5", -5}, {"0", 0}, {"007", 7},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';

    TempBoxRoot box;
    box.write(SETTINGS_FILE, "multiEpg=x1\nsize=530px\n");
    EXPECT_EQ(ReadINIInt("multiEpg", "0"), 0);
    EXPECT_EQ(ReadINIInt("size", "1"), 530);
    EXPECT_EQ(ReadINIInt("absent", "376"), 376);
}

TEST(TextHelpersTest, StripEndl)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"abc\r\n", "abc"}, {"abc\n", "abc"}, {"abc\rdef", "abc"}, {"abc", "abc"}, {"", ""}, {"\nabc", ""},
    };
    for (const auto& c : cases) {
        char buf[32];
        strcpy(buf, c.in);
        EXPECT_EQ(StripEndl(buf), buf);
        EXPECT_STREQ(buf, c.out) << '"' << c.in << '"';
    }
}

TEST(TextHelpersTest, StripZero)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"00c00000", "c00000"}, {"0bb8", "bb8"}, {"1a2b", "1a2b"}, {"0", ""}, {"", ""}, {"0a0", "a0"},
    };
    for (const auto& c : cases) {
        char buf[32];
        strcpy(buf, c.in);
        EXPECT_EQ(StripZero(buf), buf);
        EXPECT_STREQ(buf, c.out) << '"' << c.in << '"';
    }
}

TEST(TextHelpersTest, CopyTextCutsAndTerminates)
{
    char buf[5];
    memset(buf, 'x', sizeof buf);
    CopyText(buf, "abcdefgh", sizeof buf);
    EXPECT_STREQ(buf, "abcd");
    CopyText(buf, nullptr, sizeof buf);
    EXPECT_STREQ(buf, "");
}

}  // namespace
