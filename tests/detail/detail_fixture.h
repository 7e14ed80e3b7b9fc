// A small EPG data file of two channels and the helpers that run the
// listing window on it through the stand-in toolkit.
#ifndef UDOVOR_TESTS_DETAIL_DETAIL_FIXTURE_H
#define UDOVOR_TESTS_DETAIL_DETAIL_FIXTURE_H

#include <functional>
#include <string>
#include <vector>

#include "tests/support/boxroot.h"
#include "tests/support/scriptedrun.h"
#include "viewer/channellistdetail.h"

// Times are provider-local values, shown as UTC.
#define MON_2000 1709582400L  // Mon 04/03/2024 20:00
#define MON_2030 1709584200L  // Mon 04/03/2024 20:30
#define TUE_0040 1709599200L  // Tue 05/03/2024 00:40
#define MON_2100 1709586000L  // Mon 04/03/2024 21:00
#define MON_2200 1709589600L  // Mon 04/03/2024 22:00

// Channel keys (line numbers of the C lines).
#define KEY_UNO 4
#define KEY_DUE 27

extern const char kSmallEpg[];

// A box root with the EPG file at /hdd/epg.dat, an empty timer list and the
// settings given as "key=value" lines.
struct DetailBox {
    explicit DetailBox(const std::string& settings = "", const std::string& epg = kSmallEpg);
    void settings(const std::string& lines) const;
    TempBoxRoot root;
};

// Builds the window, sets it up as the channel list does, shows it and runs
// it with the run's keys. The broadcast time box of the set-up takes the
// first key: scripts begin with "ok" for it. With localOffset = now + 1 in
// the settings, now is exactly the wanted time (no broadcast gives -1).
// inspect, when given, runs on the window after its modal run.
void RunDetail(ScriptedRun& run, long channelKey, bool grid,
               const std::function<void(eChannelListDetail&)>& inspect = nullptr,
               const char* title = "1. Canale Uno");

// Builds the window and only fills it (no set-up, no modal run): returns
// what the fill returns. inspect, when given, then runs on the window.
int FillOnly(ScriptedRun& run, long channelKey, bool grid, long moment = 0,
             const std::function<void(eChannelListDetail&)>& inspect = nullptr);

// The listing window's number in the run (the window shown with the title
// it is created with), and the rows appended in the run as "text|key" (the
// listing is the only window with a list).
int DetailWindow(const ScriptedRun& run);
std::vector<std::string> Rows(const ScriptedRun& run);
// The key of the last "current" event of the listing window, or -999.
long LastCurrentKey(const ScriptedRun& run);
// Message boxes other than the broadcast time's error box.
std::vector<BoxSeen> DetailBoxes(const ScriptedRun& run);

#endif
