#include "tests/detail/detail_fixture.h"

#include <gtest/gtest.h>

const char kSmallEpg[] =
    "GC 3600\n"
    "GN 7200\n"
    "GT 1700000000\n"
    "C 101 Canale Uno\n"  // line 4
    "E 1 1709578800 1800\n"
    "T News\n"
    "X 1709582400\n"
    "S Informazione\n"
    "L 30\n"
    "D Summary one\n"
    "R Canale Uno  5/03/2024 10:00 - VM\n"
    "e\n"
    "E 2 1709580600 7200\n"
    "T Film\n"
    "X 1709584200\n"
    "S Cinema\n"
    "L 120\n"
    "e\n"
    "E 3 1709595600 0\n"
    "T Late\n"
    "X 1709599200\n"
    "S \n"
    "L 0\n"
    "D Night talk\n"
    "e\n"
    "c\n"
    "C 202 Canale Due\n"  // line 27
    "E 4 1709582400 3600\n"
    "T Sport\n"
    "X 1709586000\n"
    "S Sport\n"
    "L 60\n"
    "e\n"
    "E 5 1709586000 300\n"
    "T Meteo\n"
    "X 1709589600\n"
    "S Info\n"
    "L 5\n"
    "D Tempo\n"
    "e\n"
    "c\n";

DetailBox::DetailBox(const std::string& settingLines, const std::string& epg)
{
    root.write("/hdd/epg.dat", epg);
    // An empty timer list, so that the clash check shows no box of its own.
    root.write("/var/tuxbox/config/enigma/timer.epl", "");
    settings(settingLines);
}

void DetailBox::settings(const std::string& lines) const
{
    root.write("/var/korvadel/tivumo.conf", lines);
}

void RunDetail(ScriptedRun& run, long channelKey, bool grid,
               const std::function<void(eChannelListDetail&)>& inspect, const char* title)
{
    run.run([&] {
        eChannelListDetail w;
        if (grid) {
            w.SetGridMode(true);
            char t[] = "titolo";
            w.SetChannelTitle(t);
        } else {
            std::string t = title;
            w.SetChannelTitle(&t[0]);
        }
        char file[] = "/hdd/epg.dat";
        w.SetFilename(file);
        if (!grid)
            w.SetChannel(channelKey);
        w.SetupControls();
        w.show();
        w.exec();
        w.hide();
        if (inspect)
            inspect(w);
    });
}

int FillOnly(ScriptedRun& run, long channelKey, bool grid, long moment,
             const std::function<void(eChannelListDetail&)>& inspect)
{
    int count = -999;
    run.run([&] {
        eChannelListDetail w;
        char file[] = "/hdd/epg.dat";
        w.SetFilename(file);
        w.SetChannel(channelKey);
        w.SetGridMode(grid);
        count = grid ? w.FillGridEPG(moment) : w.FillChannelEPG();
        if (inspect)
            inspect(w);
    });
    return count;
}

int DetailWindow(const ScriptedRun& run)
{
    return run.window("Dedicated to Wembrilla");
}

std::vector<std::string> Rows(const ScriptedRun& run)
{
    std::vector<std::string> rows;
    for (const boxtk::Event& e : run.of("entry"))
        rows.push_back(e.text + "|" + std::to_string(e.entryKey));
    return rows;
}

long LastCurrentKey(const ScriptedRun& run)
{
    const int win = DetailWindow(run);
    long key = -999;
    for (const boxtk::Event& e : run.of("current"))
        if (e.win == win)
            key = e.entryKey;
    return key;
}

std::vector<BoxSeen> DetailBoxes(const ScriptedRun& run)
{
    std::vector<BoxSeen> boxes;
    for (const BoxSeen& b : run.boxes())
        if (b.text.rfind("Cannot open DEMUX DEVICE", 0) != 0)
            boxes.push_back(b);
    return boxes;
}
