// The EPG file selector: its entries from the settings, and the path it
// leaves in the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plugin/product.h"
#include "plugin/settings.h"
#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "viewer/epgselector.h"

namespace {

struct Outcome {
    int result = -99;
    std::string path;
    std::vector<EntrySeen> entries;
};

Outcome RunSelector(const char* settings, const char* keys)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, settings);
    Outcome out;
    char buffer[EPG_SELECTOR_TEXT_SIZE];
    strcpy(buffer, "left over");
    ScriptedRun run(keys);
    int listWin = -1;
    run.run([&] {
        CEPGSelector selector;
        listWin = selector.getWinId();
        selector.SetpFileName(buffer);
        EXPECT_STREQ(buffer, "");
        EXPECT_EQ(selector.GetFileName(), buffer);
        selector.SearchEPGfiles();
        selector.show();
        out.result = selector.exec();
        selector.hide();
    });
    EXPECT_EQ(run.automaticExits(), 0) << keys;
    out.path = buffer;
    out.entries = run.entryRecords(listWin);
    return out;
}

std::vector<std::string> Texts(const Outcome& o)
{
    std::vector<std::string> t;
    for (const auto& e : o.entries)
        t.push_back(e.text + "|" + std::to_string(e.key));
    return t;
}

TEST(EpgSelectorTest, EntriesEndAtTheFirstMissingLabel)
{
    struct {
        const char* settings;
        std::vector<std::string> entries;
    } cases[] = {
        {"multiEpgLabel1=Uno\nmultiEpgLabel2=Due\nmultiEpgLabel4=Quattro\n", {"Uno|1", "Due|2"}},
        {"multiEpgLabel1=Uno\nmultiEpgLabel2=NULL\nmultiEpgLabel3=Tre\n", {"Uno|1"}},
        {"multiEpgLabel1=Uno\nmultiEpgLabel2=\nmultiEpgLabel3=Tre\n", {"Uno|1"}},
        {"multiEpgLabel1=Vecchio\nmultiEpgLabel1=Nuovo\n", {"Nuovo|1"}},
        {"multiEpgLabel1=Con CR\r\nmultiEpgLabel2=%s%n\r\n", {"Con CR|1", "%s%n|2"}},
        {"multiEpgLabel01=Zero\n", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Texts(RunSelector(c.settings, "exit")), c.entries) << c.settings;
}

const char kTwo[] =
    "multiEpgLabel1=Uno\nmultiEpgFile1=/hdd/uno.dat\n"
    "multiEpgLabel2=Due\nmultiEpgFile2=/hdd/due.dat\n"
    "multiEpgLabel3=Tre\n";

TEST(EpgSelectorTest, ChoiceAndExitLeaveResultAndPath)
{
    struct {
        const char* keys;
        bool accepted;
        const char* path;
    } cases[] = {
        {"ok", true, "/hdd/uno.dat"},
        {"down ok", true, "/hdd/due.dat"},
        {"down down ok", true, "NULL"},       // a label without its file
        {"down exit", false, "/hdd/due.dat"},  // highlighted, then left
        {"down up red", false, "/hdd/uno.dat"},
        {"exit", false, ""},
    };
    for (const auto& c : cases) {
        const Outcome o = RunSelector(kTwo, c.keys);
        EXPECT_EQ(o.result == 0, c.accepted) << c.keys;
        EXPECT_EQ(o.path, c.path) << c.keys;
    }
}

TEST(EpgSelectorTest, WithoutTargetOrEntryNothingIsWritten)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, kTwo);
    ScriptedRun run("ok exit");
    int result = 0;
    run.run([&] {
        CEPGSelector selector;
        selector.SearchEPGfiles();
        selector.selectedItem(nullptr);
        selector.show();
        result = selector.exec();  // OK without a target does not end the run
        selector.hide();
    });
    EXPECT_NE(result, 0);
    EXPECT_EQ(run.automaticExits(), 0);
}

TEST(EpgSelectorTest, Layout)
{
    TempBoxRoot box;
    box.write(SETTINGS_FILE, "epgSelPosX=3\nepgSelPosY=4\nepgSelSizeX=500\nepgSelSizeY=300\n");
    box.write(LABEL_FILE, "lbExit=Esci\n");
    ScriptedRun run;
    run.run([] {
        CEPGSelector selector;
        EXPECT_EQ(selector.getFlag(), 1);
        selector.show();
        selector.hide();
    });
    const auto shows = run.of("show");
    ASSERT_EQ(shows.size(), 1u);
    EXPECT_EQ(shows[0].title, PRODUCT_TITLE);
    EXPECT_EQ(std::vector<int>({shows[0].x, shows[0].y, shows[0].w, shows[0].h}),
              std::vector<int>({3, 4, 500, 300}));
    const auto widgets = run.of("widget");
    ASSERT_EQ(widgets.size(), 2u);
    EXPECT_EQ(widgets[0].type, "list");
    EXPECT_EQ(std::vector<int>({widgets[0].x, widgets[0].y, widgets[0].w, widgets[0].h}),
              std::vector<int>({10, 10, 480, 240}));
    EXPECT_EQ(widgets[1].type, "button");
    EXPECT_EQ(widgets[1].text, "Esci");
    EXPECT_EQ(widgets[1].colour, "red");
    EXPECT_EQ(std::vector<int>({widgets[1].x, widgets[1].y, widgets[1].w, widgets[1].h}),
              std::vector<int>({360, 260, 100, 30}));
}

}  // namespace
