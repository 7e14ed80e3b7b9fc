#include "viewer/utilswindow.h"

#include "capture/epgreader.h"
#include "plugin/controls.h"
#include "plugin/diagnostics.h"
#include "plugin/settings.h"

namespace {

const char kNotSupported[] = "Not yet supported!";

}  // namespace

eUtilsWindows::eUtilsWindows() : eWindow(0)
{
    m_filename[0] = '\0';
    cmove(ePoint(75, 100));
    cresize(eSize(530, 400));
    setText("Utils");

    m_download = MakeColourButton(this, ePoint(15, 70), eSize(400, 30), "red", ReadINIValue("lbDownloadEPG", "Download EPG"));
    m_download->selected.connect(SigC::slot(*this, &eUtilsWindows::DownloadEPG));
    m_update = MakeColourButton(this, ePoint(15, 110), eSize(400, 30), "green", ReadINIValue("lbUpdateEPG", "Update EPG (internet needed!)"));
    m_update->selected.connect(SigC::slot(*this, &eUtilsWindows::UpdateEPG));
    m_updateLowMem =
        MakeColourButton(this, ePoint(15, 150), eSize(400, 30), "yellow", ReadINIValue("lbUpdateEPGLowMem", "Update EPG Low Memory (internet needed!)"));
    m_updateLowMem->selected.connect(SigC::slot(*this, &eUtilsWindows::UpdateEPGLM));
    m_updatePlugin = MakeColourButton(this, ePoint(15, 190), eSize(400, 30), "blue", ReadINIValue("lbUpdatePlugin", "Update Plugin (internet needed!)"));
    m_updatePlugin->selected.connect(SigC::slot(*this, &eUtilsWindows::UpdatePlugin));

    m_label = new eLabel(this, 0, 0, "eLabel");
    m_label->move(ePoint(15, 10));
    m_label->resize(eSize(500, 30));
    m_label->setText("*");
}

eUtilsWindows::~eUtilsWindows() = default;

void eUtilsWindows::SetFileName(const char* name)
{
    CopyText(m_filename, name, sizeof m_filename);
}

void eUtilsWindows::DownloadEPG()
{
    EPGReader reader;
    reader.SetFilename(m_filename);
    reader.show();
    reader.exec();
    reader.hide();
    // The channel list is not refilled: the new guide shows at the next start.
    myerror("Reload plugin now!");
}

void eUtilsWindows::UpdateEPG()
{
    myerror(kNotSupported);
}

void eUtilsWindows::UpdateEPGLM()
{
    myerror(kNotSupported);
}

void eUtilsWindows::UpdatePlugin()
{
    myerror(kNotSupported);
}
