// The main window of the viewer: the channels of one EPG data file, in file
// order, and the hub from which the programme listing, the time grid and
// the utilities window are opened. It keeps, for the session, whether any
// of the listings opened from it programmed a recording timer.
#ifndef UDOVOR_VIEWER_CHANNELLIST_H
#define UDOVOR_VIEWER_CHANNELLIST_H

#include <cstddef>

#include "host/gui.h"

#define CHANNEL_LIST_TEXT_SIZE 1000  // file name, entry texts, messages

// "N. name" of a channel entry, cut to fit and at its first CR or LF.
void FormatChannelEntry(long ordinal, const char* name, char* out, size_t size);

// "Cannot open: <file name>", cut to fit.
void FormatCannotOpen(const char* fileName, char* out, size_t size);

// The message shown for a raw key: "tasto: <code> (<character>)".
void FormatKeyMessage(int key, char* out, size_t size);

class eChannelListDialog : public eWindow {
public:
    eChannelListDialog();
    ~eChannelListDialog() override;

    void SetFilename(const char* name);
    // 1 when the file was read, 0 when it could not be opened (one entry
    // then says so, with the key -1).
    int FillChannelList();
    // True once a listing or grid opened from here programmed a timer.
    int GetProgRecord() const { return m_progRecord ? 1 : 0; }

    void showEPG(eListBoxEntryText* entry);
    void selectionChanged(eListBoxEntryText* entry);
    void ShowUtils();
    void GridEPG();
    void SearchIt();
    void keyDown(int key) override;

    const char* GetFilename() const { return m_filename; }
    eListBox<eListBoxEntryText>* GetList() const { return m_list; }

private:
    // Takes the timer-programmed flag of a closed listing or grid.
    void CollectProgRecord(int listingFlag);

    char m_filename[CHANNEL_LIST_TEXT_SIZE];
    eListBox<eListBoxEntryText>* m_list;
    eButton* m_exit;
    eButton* m_utils;
    eButton* m_grid;
    eButton* m_search;
    bool m_progRecord;
};

#endif
