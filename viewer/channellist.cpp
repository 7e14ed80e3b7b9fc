#include "viewer/channellist.h"

#include <cstdio>
#include <cstring>

#include "plugin/boxenv.h"
#include "plugin/controls.h"
#include "plugin/diagnostics.h"
#include "plugin/product.h"
#include "plugin/settings.h"
#include "viewer/channellistdetail.h"
#include "viewer/epgfile.h"
#include "viewer/utilswindow.h"

namespace {

const char kGridTitle[] = "titolo";

}  // namespace

void FormatChannelEntry(long ordinal, const char* name, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    snprintf(out, size, "%ld. %s", ordinal, name ? name : "");
    StripEndl(out);
}

void FormatCannotOpen(const char* fileName, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    static const char kPrefix[] = "Cannot open: ";
    CopyText(out, kPrefix, size);
    const size_t used = strlen(out);
    CopyText(out + used, fileName, size - used);
}

void FormatKeyMessage(int key, char* out, size_t size)
{
    if (!out || size == 0)
        return;
    snprintf(out, size, "tasto: %d (%c)", key, key);
}

eChannelListDialog::eChannelListDialog() : eWindow(1), m_progRecord(false)
{
    m_filename[0] = '\0';
    const int x = ReadINIInt("channelListPosX", "75");
    const int y = ReadINIInt("channelListPosY", "100");
    const int sx = ReadINIInt("channelListSizeX", "530");
    const int sy = ReadINIInt("channelListSizeY", "376");
    cmove(ePoint(x, y));
    cresize(eSize(sx, sy));
    setText(PRODUCT_TITLE);

    const int W = getClientSize().width();
    const int H = getClientSize().height();
    m_list = MakeWindowList(this);

    m_utils = MakeColourButton(this, ePoint(W - 150, H - 40), eSize(130, 30), "blue", ReadINIValue("lbUtils", "Utils"));
    m_utils->selected.connect(SigC::slot(*this, &eChannelListDialog::ShowUtils));
    m_grid = MakeColourButton(this, ePoint(W - 410, H - 40), eSize(130, 30), "green", ReadINIValue("lbGridEPG", "Grid EPG"));
    m_grid->selected.connect(SigC::slot(*this, &eChannelListDialog::GridEPG));
    m_search = MakeColourButton(this, ePoint(W - 280, H - 40), eSize(130, 30), "yellow", ReadINIValue("lbSearch", "Search"));
    m_search->selected.connect(SigC::slot(*this, &eChannelListDialog::SearchIt));
    m_exit = MakeColourButton(this, ePoint(5, H - 40), eSize(120, 30), "red", ReadINIValue("lbExit", "Exit"));
    m_exit->selected.connect(SigC::slot(*this, &eWindow::reject));

    m_list->selected.connect(SigC::slot(*this, &eChannelListDialog::showEPG));
    m_list->selchanged.connect(SigC::slot(*this, &eChannelListDialog::selectionChanged));
    setFocus(m_list);
}

eChannelListDialog::~eChannelListDialog() = default;

void eChannelListDialog::SetFilename(const char* name)
{
    CopyText(m_filename, name, sizeof m_filename);
}

int eChannelListDialog::FillChannelList()
{
    char text[CHANNEL_LIST_TEXT_SIZE];
    FILE* f = BoxFopen(m_filename, "r");
    if (!f) {
        FormatCannotOpen(m_filename, text, sizeof text);
        new eListBoxEntryText(m_list, text, -1);
        return 0;
    }
    EpgLineReader reader(f);
    long ordinal = 0;
    char name[EPG_LINE_SIZE];
    while (reader.next()) {
        if (reader.tag() != 'C')
            continue;
        // A C line without a blank after its identifier has no name: it is
        // listed with an empty one, so the numbering still counts every
        // channel line.
        EpgChannelName(reader.line(), name, sizeof name);
        FormatChannelEntry(++ordinal, name, text, sizeof text);
        new eListBoxEntryText(m_list, text, reader.count());
    }
    fclose(f);
    return 1;
}

void eChannelListDialog::CollectProgRecord(int listingFlag)
{
    if (!m_progRecord)
        m_progRecord = listingFlag != 0;
}

void eChannelListDialog::showEPG(eListBoxEntryText* entry)
{
    if (!entry)
        return;
    char title[CHANNEL_LIST_TEXT_SIZE];
    CopyText(title, entry->getText().c_str(), sizeof title);

    eChannelListDetail detail;
    detail.SetChannelTitle(title);
    detail.SetFilename(m_filename);
    detail.SetChannel(entry->getKey());
    detail.SetupControls();
    detail.show();
    detail.exec();
    CollectProgRecord(detail.GetProgRecord());
    detail.hide();
}

void eChannelListDialog::selectionChanged(eListBoxEntryText* /*entry*/)
{
}

void eChannelListDialog::GridEPG()
{
    char title[sizeof kGridTitle];
    CopyText(title, kGridTitle, sizeof title);

    eChannelListDetail detail;
    detail.SetGridMode(true);
    detail.SetChannelTitle(title);
    detail.SetFilename(m_filename);
    detail.SetupControls();
    detail.show();
    detail.exec();
    CollectProgRecord(detail.GetProgRecord());
    detail.hide();
}

void eChannelListDialog::ShowUtils()
{
    eUtilsWindows utils;
    utils.SetFileName(m_filename);
    utils.show();
    utils.exec();
    utils.hide();
}

void eChannelListDialog::SearchIt()
{
    myerror("Not yet supported!");
}

void eChannelListDialog::keyDown(int key)
{
    char text[CHANNEL_LIST_TEXT_SIZE];
    FormatKeyMessage(key, text, sizeof text);
    myerror(text);
}
