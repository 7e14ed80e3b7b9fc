#include "capture/epgreader.h"

#include <cstdio>
#include <cstring>

#include "plugin/controls.h"
#include "plugin/diagnostics.h"
#include "plugin/product.h"
#include "plugin/settings.h"

EPGReader::EPGReader() : EpgCapture(), eWindow(1)
{
    outputFilename_[0] = '\0';

    cmove(ePoint(100, 100));
    cresize(eSize(550, 120));
    setText(DOWNLOADER_TITLE);
    int h = getClientSize().height();

    status_ = new eLabel(this, 0, 0, "eLabel");
    status_->move(ePoint(10, h - 100));
    status_->resize(eSize(450, 50));
    status_->setText(ReadINIValue("lbGoToChannel", "Assicurarsi di essere su TEST1 e premere Go!"));

    go_ = MakeColourButton(this, ePoint(10, h - 40), eSize(100, 30), "green", "Go!");
    go_->selected.connect(SigC::slot(*this, &EPGReader::DoDownloadEPG));

    exit_ = MakeColourButton(this, ePoint(200, h - 40), eSize(100, 30), "red", ReadINIValue("lbExit", "Exit"));
    exit_->selected.connect(SigC::slot(*this, &EPGReader::reject));
}

// The records go with the capture; the children with the window.
EPGReader::~EPGReader() = default;

void EPGReader::SetFilename(const char* name)
{
    CopyText(outputFilename_, name ? name : "", sizeof outputFilename_);
}

void EPGReader::statusmsg(const char* text)
{
    status_->setText(text ? text : "");
}

void EPGReader::statusmsg(const char* text, int number)
{
    char buf[1000];
    snprintf(buf, sizeof buf, "%s%d", text ? text : "", number);
    statusmsg(buf);
}

void EPGReader::DoDownloadEPG()
{
    // The records of an earlier Go! are not needed any more.
    capture().ClearTitles();
    capture().ClearSummaries();
    capture().ClearMarkers();

    char device[1000];
    CopyText(device, ReadINIValue("dvbDevice", "/dev/dvb/card0/demux0"), sizeof device);
    statusmsg(device);
    if (strlen(device) >= static_cast<size_t>(kDevicePathSize)) {
        // A cut path would name another device: refuse it.
        myerror("Device path too long: ", device);
        return;
    }
    SetDevicePath(device);

    statusmsg(ReadINIValue("lbReadingTimeOffset", "Reading time offset..."));
    if (GetTimeOffset() == -1) {
        myerror("Error GetTimeOffset");
        return;
    }

    statusmsg(ReadINIValue("lbReadingTitles", "Reading titles..."));
    if (GetTitles() != 0) {
        myerror("Error GetTitles");
        return;
    }

    if (ReadINIInt("noThemes", "0") == 0) {
        statusmsg(ReadINIValue("lbReadingThemes", "Reading themes..."));
        GetThemes();
    }

    statusmsg(ReadINIValue("lbReadingChannelNames", "Reading Channel Names..."));
    if (GetChannelNames() != 0) {
        myerror("Error GetChannelNames");
        return;
    }

    if (ReadINIInt("noSummaries", "0") == 0) {
        statusmsg(ReadINIValue("lbReadingSummaries", "Reading Summaries..."));
        if (GetSummaries() != 0)
            myerror("Error GetSummaries");
    }

    statusmsg("Saving data...");
    if (SaveEpgData(outputFilename_) != 0)
        myerror("Cannot save data");
}
