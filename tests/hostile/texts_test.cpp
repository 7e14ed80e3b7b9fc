// Format directives in every text that reaches a message, a label or a list
// entry: they are shown as they stand, never taken as formats.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture/epgreader.h"
#include "plugin/session.h"
#include "plugin/settings.h"
#include "tests/capture/capture_fixture.h"
#include "tests/support/harness.h"
#include "viewer/channellist.h"
#include "viewer/channellistdetail.h"

namespace {

const std::string kDirectives = "%s%n%x";

// Every text the run showed: titles, labels, entries, boxes.
std::vector<std::string> Shown(const ScriptedRun& run)
{
    std::vector<std::string> v;
    for (const boxtk::Event& e : run.events()) {
        if (!e.text.empty())
            v.push_back(e.text);
        if (!e.title.empty())
            v.push_back(e.title);
    }
    return v;
}

bool ShownWith(const ScriptedRun& run, const std::string& piece)
{
    for (const std::string& t : Shown(run))
        if (t.find(piece) != std::string::npos)
            return true;
    return false;
}

// A session over a guide whose channel name, title, theme and summary and
// whose settings values all carry the directives: the channel list, the
// listing and the details box of the one event show them literally.
TEST(HostileTexts, GuideAndSettingsTextsAreShownAsTheyStand)
{
    TempBoxRoot box;
    box.setWebPort(1);  // nobody listens: the workers give up at once
    box.write("/hdd/epg.dat",
              "GC 3600\nGN 7200\nGT 1700000000\n"
              "C 101 Canale " + kDirectives + "\n"
              "E 1 1709578800 3600\nT Titolo " + kDirectives + "\nX 1709582400\nS Tema " + kDirectives +
                  "\nL 60\nD Trama " + kDirectives + "\ne\nc\n");
    box.write(SETTINGS_FILE, "lbExit=Esci " + kDirectives + "\nLbMon=L" + kDirectives +
                                 "\nlbPleaseWait=Attendere " + kDirectives + "\n");

    ScriptedRun run("ok ok down ok");  // the second ok closes the box of the missing demux
    run.run([] { plugin_exec(nullptr); });
    ASSERT_TRUE(run.ended());
    for (const char* piece : {"1. Canale %s%n%x", "Titolo %s%n%x", "Trama %s%n%x", "Esci %s%n%x",
                              "**** L%s%n%x", "Attendere %s%n%x"})
        EXPECT_TRUE(ShownWith(run, piece)) << piece;
}

// File names: the channel list and the listing name a file they cannot
// open in an entry of their own.
TEST(HostileTexts, FileNamesInEntries)
{
    TempBoxRoot box;
    ScriptedRun run;
    run.run([] {
        eChannelListDialog list;
        list.SetFilename("/hdd/%s%n%x.dat");
        EXPECT_EQ(list.FillChannelList(), 0);
        eChannelListDetail detail;
        char name[] = "/hdd/%s%n%x.dat";
        detail.SetFilename(name);
        detail.SetChannel(1);
        EXPECT_EQ(detail.FillChannelEPG(), -1);
    });
    std::vector<std::string> all;
    for (const boxtk::Event& e : run.of("entry"))
        all.push_back(e.text);
    EXPECT_EQ(all, (std::vector<std::string>{"Cannot open: /hdd/%s%n%x.dat", "Cannot open . */hdd/%s%n%x.dat"}));
}

class HostileCaptureTexts : public CaptureTest {};

// The device setting reaches the download window's status line and, when
// it cannot be used, an error box.
TEST_F(HostileCaptureTexts, DeviceNameInStatusAndBoxes)
{
    root.write(SETTINGS_FILE, "dvbDevice=" + kDirectives + std::string(40, 'x') + "\n");
    ScriptedRun run;
    run.run([] {
        EPGReader r;
        r.show();
        r.SetFilename("/hdd/epg.dat");
        r.DoDownloadEPG();
        r.hide();
    });
    const std::string device = kDirectives + std::string(40, 'x');
    EXPECT_TRUE(ShownWith(run, device));
    ASSERT_EQ(run.boxes().size(), 1u);
    EXPECT_EQ(run.boxes()[0].text, "Device path too long: " + device);
}

// Broadcast texts: titles and channel names with directives come through a
// whole capture into the guide and the channel list unchanged.
TEST_F(HostileCaptureTexts, BroadcastTextsReachTheGuideUnchanged)
{
    AddTot();
    fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
    fake.AddSection(kTitlePid, sect::TitleSection(TitleOn(1, kSun20, "T" + kDirectives, 102)));
    fake.AddSection(kTitlePid, sect::MarkerSection(kSun09));
    AddThemes();
    fake.AddSection(kMhwTablePid, sect::ChannelSection({{301, "C" + kDirectives}}));
    fake.AddSection(kSummaryPid, sect::SummarySection(102, {}, "S" + kDirectives));
    fake.AddSection(kSummaryPid, sect::SummarySection(102, {}, "S" + kDirectives));

    ScriptedRun run;
    run.run([] {
        EPGReader r;
        r.SetFilename("/hdd/epg.dat");
        r.DoDownloadEPG();
        eChannelListDialog list;
        list.SetFilename("/hdd/epg.dat");
        list.FillChannelList();
    });
    EXPECT_TRUE(run.boxes().empty());
    const std::string guide = root.read("/hdd/epg.dat");
    EXPECT_NE(guide.find("\nT T" + kDirectives), std::string::npos) << guide;
    EXPECT_NE(guide.find("\nD S" + kDirectives + "\n"), std::string::npos) << guide;
    EXPECT_TRUE(ShownWith(run, "1. C" + kDirectives));
}

}  // namespace
