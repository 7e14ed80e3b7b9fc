// A small window without buttons that shows one line of text while the GUI
// thread does long work; shown and hidden by its owner, never run.
#ifndef UDOVOR_PLUGIN_WAITPLEASE_H
#define UDOVOR_PLUGIN_WAITPLEASE_H

#include "host/gui.h"

#define WAIT_MESSAGE_SIZE 1000  // at most 999 characters and the terminator

class eWaitPlease : public eWindow {
public:
    eWaitPlease();
    ~eWaitPlease() override;

    // Copies the text (cut to fit) and shows it on the label.
    void SetMessage(const char* text);

    const char* GetMessage() const { return m_message; }
    eLabel* GetLabel() const { return m_label; }

private:
    eLabel* m_label;
    char m_message[WAIT_MESSAGE_SIZE];
};

#endif
