// The choice among several EPG data files at the start of a session: one
// entry per "multiEpgLabel<N>" of the settings, the path of the chosen one
// ("multiEpgFile<N>") written into a buffer of the caller's.
#ifndef UDOVOR_VIEWER_EPGSELECTOR_H
#define UDOVOR_VIEWER_EPGSELECTOR_H

#include "host/gui.h"

#define EPG_SELECTOR_TEXT_SIZE 1000  // the target buffer must hold this many bytes

class CEPGSelector : public eWindow {
public:
    CEPGSelector();
    ~CEPGSelector() override;

    // The buffer (EPG_SELECTOR_TEXT_SIZE bytes) that receives the path; it
    // is emptied here.
    void SetpFileName(char* buffer);
    char* GetFileName() const { return m_target; }
    // One entry per label, up to the first that is absent, empty or "NULL".
    void SearchEPGfiles();

    // OK: writes the entry's path and ends the run with 0.
    void selectedItem(eListBoxEntryText* entry);
    // A highlight move: writes the entry's path only.
    void selectionChanged(eListBoxEntryText* entry);

    eListBox<eListBoxEntryText>* GetList() const { return m_list; }

private:
    bool TakeFileName(eListBoxEntryText* entry);

    eListBox<eListBoxEntryText>* m_list;
    eButton* m_exit;
    char* m_target;
};

#endif
