// The service lookup: which line is the identification, how it is split, and
// the failures with their error boxes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "timers/servicelist.h"

namespace {

struct SplitCase {
    const char* line;
    const char* fields[4];
};

TEST(ServiceIdentity, SplitsTheFirstFourFieldsAndRepeatsTheLastOneMissing)
{
    const SplitCase cases[] = {
        {"1a2b:00c0:0bb8:0071:1:0:0:0", {"1a2b", "00c0", "0bb8", "0071"}},
        {"1a2b:00c0:0bb8:0071", {"1a2b", "00c0", "0bb8", "0071"}},
        {"1a2b:00c0", {"1a2b", "00c0", "00c0", "00c0"}},
        {"1a2b", {"1a2b", "1a2b", "1a2b", "1a2b"}},
        {"a::b:c", {"a", "", "b", "c"}},
        {"a:b:", {"a", "b", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const SplitCase& c : cases) {
        ServiceIdentity id;
        SplitIdentityLine(c.line, &id);
        for (int i = 0; i < 4; ++i)
            EXPECT_STREQ(c.fields[i], id.field[i]) << "line \"" << c.line << "\" field " << i;
    }
}

TEST(ServiceIdentity, AFieldLongerThanItsRoomIsCut)
{
    const std::string line = std::string(1500, 'f') + ":2:3:4";
    ServiceIdentity id;
    SplitIdentityLine(line.c_str(), &id);
    EXPECT_EQ(std::string(999, 'f'), id.field[0]);
    EXPECT_STREQ("2", id.field[1]);
}

// Runs the in-memory service list through FindServiceIdentity.
bool Find(const std::string& list, const char* name, ServiceIdentity* id)
{
    FILE* f = fmemopen(const_cast<char*>(list.data()), list.size(), "r");
    const bool found = FindServiceIdentity(f, name, id);
    fclose(f);
    return found;
}

const char kServices[] =
    "eDVB services /4/\n"
    "services\n"
    "1a2b:00c0:0bb8:0071:1:0\n"
    "Canale Prova\n"
    "p:Provider\n"
    "0001:0002:0003:0004:1:0\n"
    "Canale Blank \n"
    "p:Provider\n"
    "0aaa:0bbb:0ccc:0ddd:1:0\n"
    "Canale Doppio\n"
    "0eee:0fff:0111:0222:1:0\n"
    "Canale Doppio\r\n"
    "end\n";

TEST(ServiceLookup, TakesTheLineAboveTheFirstExactMatch)
{
    struct Case {
        const char* name;
        bool found;
        const char* first;
    } cases[] = {
        {"Canale Prova", true, "1a2b"},
        {"Canale Doppio", true, "0aaa"},   // first of two equal names (the second ends in CR LF)
        {"Canale Blank", false, nullptr},  // the line has a trailing blank
        {"Canale Blank ", true, "0001"},
        {"canale prova", false, nullptr},  // case counts
        {"Canale", false, nullptr},
        {"", false, nullptr},
    };
    for (const Case& c : cases) {
        ServiceIdentity id;
        EXPECT_EQ(c.found, Find(kServices, c.name, &id)) << c.name;
        if (c.found && c.first) {
            EXPECT_STREQ(c.first, id.field[0]) << c.name;
        }
    }
}

TEST(ServiceLookup, NameOnTheFirstLineHasAnEmptyIdentification)
{
    ServiceIdentity id;
    ASSERT_TRUE(Find("Solo\n1:2:3:4\n", "Solo", &id));
    for (int i = 0; i < 4; ++i)
        EXPECT_STREQ("", id.field[i]);
}

TEST(ServiceLookup, LongLinesAreReadInPiecesEachALineOfItsOwn)
{
    // A 1200-byte line: its last 201 bytes form a piece of their own, which
    // then is the identification line of the name below it.
    const std::string tail = "9:8:7:6" + std::string(194, 'x');
    const std::string list = std::string(999, 'y') + tail + "\nCanale\n";
    ServiceIdentity id;
    ASSERT_TRUE(Find(list, "Canale", &id));
    EXPECT_STREQ("9", id.field[0]);
    EXPECT_STREQ("8", id.field[1]);
}

TEST(ServiceLookup, BinaryBytesDoNotDisturbTheMatch)
{
    const std::string list = std::string("\x01\xff\x7f:\x80\n", 6) + "Canale\n";
    ServiceIdentity id;
    ASSERT_TRUE(Find(list, "Canale", &id));
    EXPECT_STREQ("\x01\xff\x7f", id.field[0]);
    EXPECT_STREQ("\x80", id.field[1]);
}

TEST(ServiceLookup, FileFailuresShowTheirBoxAndReturnTheirCode)
{
    TempBoxRoot box;
    box.write("/var/tuxbox/config/enigma/services", kServices);
    struct Case {
        const char* file;
        const char* name;
        int result;
        const char* boxText;  // null: no box
    } cases[] = {
        {"/var/tuxbox/config/enigma/services", "Canale Prova", 0, nullptr},
        {"/var/tuxbox/config/enigma/services", "Nessuno", 1, "Cannot find channel in service table: Nessuno"},
        {"/var/tuxbox/config/enigma/missing", "Canale Prova", -1,
         "Cannot open services file:/var/tuxbox/config/enigma/missing"},
    };
    for (const Case& c : cases) {
        ScriptedRun run;
        int result = 99;
        ServiceIdentity id;
        run.run([&] { result = LookupService(c.file, c.name, &id); });
        EXPECT_EQ(c.result, result) << c.name;
        const auto boxes = run.boxes();
        if (!c.boxText) {
            EXPECT_TRUE(boxes.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(1u, boxes.size()) << c.name;
        EXPECT_EQ(c.boxText, boxes[0].text);
        EXPECT_EQ("quindomar", boxes[0].caption);
    }
}

}  // namespace
