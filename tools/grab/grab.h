// udovor-grab's run: the download window's capture sequence on a demux
// device or a recorded stream, with its progress on the console instead of
// a label, then the EPG data file and, when asked, its XMLTV.
#ifndef UDOVOR_GRAB_GRAB_H
#define UDOVOR_GRAB_GRAB_H

#include <string>

#include "capture/epgcapture.h"
#include "tools/grab/console.h"

const char kDefaultGrabDevice[] = "/dev/dvb/adapter0/demux0";
const char kDefaultGrabOutput[] = "epg.dat";

// Exit statuses.
const int kGrabDone = 0;
const int kGrabFailed = 1;      // nothing written
const int kGrabUsage = 2;
const int kGrabIncomplete = 3;  // written without the themes or summaries that were asked for

struct GrabOptions {
    std::string device = kDefaultGrabDevice;
    std::string output;  // EPG data file; empty: kDefaultGrabOutput, or a temporary one beside --xmltv only
    std::string xmltv;   // empty: none; "-": standard output
    std::string charset;
    bool noThemes = false;
    bool noSummaries = false;
};

// The capture with its status texts and counts on the console.
class GrabCapture : public EpgCapture {
public:
    explicit GrabCapture(Console& console) : console_(console) {}
    void statusmsg(const char* text) override;
    void statusmsg(const char* text, int number) override;
    void TitleCounted(int count) override;
    void SummaryCounted(int count) override;

private:
    Console& console_;
};

// Ends the process with kGrabFailed, and without the files it was writing,
// once it has run this long.
void BoundRun(unsigned seconds);

// The whole run; one of the exit statuses above.
int RunGrab(const GrabOptions& options, Console& console);

#endif
