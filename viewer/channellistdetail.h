// The programme listing of one channel, and in grid mode the time grid of
// every channel at one moment, with the event details and the recording
// dialogue behind OK.
#ifndef UDOVOR_VIEWER_CHANNELLISTDETAIL_H
#define UDOVOR_VIEWER_CHANNELLISTDETAIL_H

#include <memory>

#include "host/gui.h"
#include "viewer/eventrecord.h"

#define DETAIL_TEXT_SIZE 1000   // file name, channel title, formatted texts
#define WEEKDAY_NAME_SIZE 15    // at most 14 characters and the terminator

class eChannelListDetail : public eWindow {
public:
    eChannelListDetail();
    ~eChannelListDetail() override;

    void SetChannelTitle(char* title);
    void SetFilename(char* name);
    void SetChannel(long key);
    void SetGridMode(bool grid);
    void SetupControls();
    int FillChannelEPG();
    int FillGridEPG(long moment);
    int GetProgRecord();

    void selectionChanged(eListBoxEntryText* entry);
    void selectedItem(eListBoxEntryText* entry);
    int CheckOverlap(int begin, int length);
    int DoEPGRecord(int index);

    // Read-only views for the recording dialogue's callers and tests.
    const EventRecord& GetRecord(int index) const { return m_records[index]; }
    eListBox<eListBoxEntryText>* GetList() const { return m_list; }
    const char* GetChannelTitle() const { return m_channelTitle; }
    const char* GetWeekdayName(int day) const { return m_weekday[day]; }

private:
    void ClearRecords();
    void ListEvent(int index, int* lastDay);
    void ListGridPair(int index, const EventRecord& previous, const EventRecord& current);
    void BringRunningIntoView(int count, long now);

    char m_filename[DETAIL_TEXT_SIZE];
    long m_channel;
    // 512 records of three 1000-byte texts: kept off the stack of the opener,
    // which creates the window as a local object.
    std::unique_ptr<EventRecord[]> m_records;
    eListBox<eListBoxEntryText>* m_list;
    eButton* m_exit;
    eLabel* m_bottom;
    char m_channelTitle[DETAIL_TEXT_SIZE];
    char m_weekday[7][WEEKDAY_NAME_SIZE];
    int m_daySeparator;
    bool m_progRecord;
    bool m_gridMode;
};

#endif
