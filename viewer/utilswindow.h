// The utilities window: the door from the viewer to the download of the
// guide from the broadcast, and three internet updates that are not
// supported. No button ends it; the toolkit's exit key does.
#ifndef UDOVOR_VIEWER_UTILSWINDOW_H
#define UDOVOR_VIEWER_UTILSWINDOW_H

#include "host/gui.h"

#define UTILS_FILE_NAME_SIZE 1000

class eUtilsWindows : public eWindow {
public:
    eUtilsWindows();
    ~eUtilsWindows() override;

    void SetFileName(const char* name);
    const char* GetFileName() const { return m_filename; }

    void DownloadEPG();
    void UpdateEPG();
    void UpdateEPGLM();
    void UpdatePlugin();

private:
    char m_filename[UTILS_FILE_NAME_SIZE];
    eButton* m_download;
    eButton* m_update;
    eButton* m_updateLowMem;
    eButton* m_updatePlugin;
    eLabel* m_label;
};

#endif
