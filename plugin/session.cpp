#include "plugin/session.h"

#include "host/gui.h"
#include "plugin/diagnostics.h"
#include "plugin/hostcmd.h"
#include "plugin/product.h"
#include "plugin/settings.h"
#include "plugin/waitplease.h"
#include "viewer/channellist.h"
#include "viewer/epgselector.h"

// The host commands run on detached workers, each with a record of its own:
// the session never waits for them. On the box the host may serve its web
// interface on the very thread that runs these windows, so an answer may
// come only after plugin_exec has returned.
namespace {

const int kSessionTextSize = 1000;

// False when the user left the selector or chose nothing: the session then
// ends at once.
bool ChooseEpgFile(char* fileName)
{
    CEPGSelector selector;
    selector.SetpFileName(fileName);
    selector.SearchEPGfiles();
    selector.show();
    const int result = selector.exec();
    selector.hide();
    return result == 0 && fileName[0] != '\0';
}

void ShowAbout()
{
    eMessageBox about(ABOUT_TEXT, ABOUT_CAPTION, eMessageBox::btOK | eMessageBox::iconWarning, 1, 0);
    about.show();
    about.exec();
    about.hide();
}

}  // namespace

extern "C" int plugin_exec(void* /*unused*/)
{
    char fileName[kSessionTextSize];
    fileName[0] = '\0';

    if (ReadINIInt("multiEpg", "0") != 0) {
        Log("Multi epg selected...");
        if (!ChooseEpgFile(fileName))
            return 0;
    } else {
        CopyText(fileName, ReadINIValue("epgFileName", "/hdd/epg.dat"), sizeof fileName);
    }

    Log("Saving timer list...");
    StartHostCommand("saveTimerList");

    eChannelListDialog channels;
    channels.SetFilename(fileName);
    eWaitPlease wait;
    wait.SetMessage(ReadINIValue("lbPleaseWait", "Wait please..."));
    wait.show();
    channels.FillChannelList();
    wait.hide();

    channels.show();
    channels.exec();
    channels.hide();

    if (channels.GetProgRecord())
        StartHostCommand("reloadTimerList");

    ShowAbout();
    // The please-wait box goes before the channel list: reverse order of
    // construction.
    return 0;
}
