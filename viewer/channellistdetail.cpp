#include "viewer/channellistdetail.h"

#include <climits>

#include "capture/transponder_time.h"
#include "plugin/controls.h"
#include "plugin/settings.h"
#include "plugin/waitplease.h"

namespace {

const char* const kWeekdayKeys[7][2] = {
    {"LbSun", "Dom"}, {"LbMon", "Lun"}, {"LbTue", "Mar"}, {"LbWed", "Mer"},
    {"LbThu", "Gio"}, {"LbFri", "Ven"}, {"LbSat", "Sab"},
};

}  // namespace

void ClearEventRecord(EventRecord& r)
{
    r.title[0] = '\0';
    r.theme[0] = '\0';
    r.duration = 0;
    r.summary[0] = '\0';
    r.start = 0;
    r.entry = nullptr;
}

eChannelListDetail::eChannelListDetail()
    : eWindow(1), m_records(new EventRecord[EVENT_RECORDS])
{
    m_filename[0] = '\0';
    m_channelTitle[0] = '\0';
    ClearRecords();

    cmove(ePoint(ReadINIInt("channelDetailPosX", "70"), ReadINIInt("channelDetailPosY", "100")));
    cresize(eSize(ReadINIInt("channelDetailSizeX", "550"), ReadINIInt("channelDetailSizeY", "376")));
    setText("Dedicated to Wembrilla");
    const int w = getClientSize().width();
    const int h = getClientSize().height();

    m_list = MakeWindowList(this);
    // Reaches 20 pixels past the client area's right edge, as on the box.
    m_exit = MakeColourButton(this, ePoint(w - 110, h - 40), eSize(130, 30), "red", "Exit");
    m_exit->selected.connect(SigC::slot(*this, &eWindow::accept));

    m_bottom = new eLabel(this, 0, 0, "eLabel");
    m_bottom->move(ePoint(120, h - 40));
    m_bottom->resize(eSize(w - 240, 30));
    m_bottom->setText(" ");

    m_list->selected.connect(SigC::slot(*this, &eChannelListDetail::selectedItem));
    m_list->selchanged.connect(SigC::slot(*this, &eChannelListDetail::selectionChanged));
    setFocus(m_list);

    for (int i = 0; i < 7; ++i)
        CopyText(m_weekday[i], ReadINIValue(kWeekdayKeys[i][0], kWeekdayKeys[i][1]), sizeof m_weekday[i]);

    m_channel = 0;
    m_daySeparator = ReadINIInt("daySeparator", "1");
    m_gridMode = false;
    m_progRecord = false;
}

eChannelListDetail::~eChannelListDetail() = default;

void eChannelListDetail::ClearRecords()
{
    for (int i = 0; i < EVENT_RECORDS; ++i)
        ClearEventRecord(m_records[i]);
}

void eChannelListDetail::SetChannelTitle(char* title)
{
    CopyText(m_channelTitle, title, sizeof m_channelTitle);
}

void eChannelListDetail::SetFilename(char* name)
{
    CopyText(m_filename, name, sizeof m_filename);
}

void eChannelListDetail::SetChannel(long key)
{
    m_channel = key;
}

void eChannelListDetail::SetGridMode(bool grid)
{
    m_gridMode = grid;
}

int eChannelListDetail::GetProgRecord()
{
    return m_progRecord ? 1 : 0;
}

void eChannelListDetail::SetupControls()
{
    eWaitPlease wait;
    wait.SetMessage(ReadINIValue("lbPleaseWait", "Wait please..."));
    wait.show();

    long timeOfChange = 0;
    int currentOffset = 0;
    int nextOffset = 0;
    const long long sum = static_cast<long long>(GetTransponderTime(&timeOfChange, &currentOffset, &nextOffset)) +
                          ReadINIInt("localOffset", "0");
    // long may be 32 bits wide: keep the sum in its range.
    const long now = sum > LONG_MAX ? LONG_MAX : sum < LONG_MIN ? LONG_MIN : static_cast<long>(sum);

    const int count = m_gridMode ? FillGridEPG(now) : FillChannelEPG();
    wait.hide();

    if (ReadINIInt("focusEpg", "1") != 0 && count != -1 && now > 0)
        BringRunningIntoView(count, now);
}

// The record whose start is at or before now and whose successor starts
// after it; the last filled record has no successor and is never chosen.
void eChannelListDetail::BringRunningIntoView(int count, long now)
{
    if (count > EVENT_RECORDS)
        count = EVENT_RECORDS;
    for (int i = 0; i + 1 < count; ++i) {
        const EventRecord& r = m_records[i];
        if (r.start <= now && now < m_records[i + 1].start && r.entry)
            m_list->setCurrent(r.entry, false);
    }
}
