#include "viewer/epgselector.h"

#include <cstdio>
#include <cstring>

#include "plugin/controls.h"
#include "plugin/product.h"
#include "plugin/settings.h"

namespace {
const char kNone[] = "NULL";
}  // namespace

CEPGSelector::CEPGSelector() : eWindow(1), m_target(nullptr)
{
    cmove(ePoint(ReadINIInt("epgSelPosX", "75"), ReadINIInt("epgSelPosY", "100")));
    cresize(eSize(ReadINIInt("epgSelSizeX", "530"), ReadINIInt("epgSelSizeY", "376")));
    setText(PRODUCT_TITLE);

    const int W = getClientSize().width();
    const int H = getClientSize().height();
    m_list = MakeWindowList(this);
    m_exit = MakeColourButton(this, ePoint(W - 140, H - 40), eSize(100, 30), "red", ReadINIValue("lbExit", "Exit"));
    m_exit->selected.connect(SigC::slot(*this, &eWindow::reject));

    m_list->selected.connect(SigC::slot(*this, &CEPGSelector::selectedItem));
    m_list->selchanged.connect(SigC::slot(*this, &CEPGSelector::selectionChanged));
    setFocus(m_list);
}

CEPGSelector::~CEPGSelector() = default;

void CEPGSelector::SetpFileName(char* buffer)
{
    m_target = buffer;
    if (m_target)
        m_target[0] = '\0';
}

void CEPGSelector::SearchEPGfiles()
{
    char key[64];
    char label[EPG_SELECTOR_TEXT_SIZE];
    // The settings file is finite, so the first missing label comes.
    for (int n = 1; n > 0; ++n) {
        snprintf(key, sizeof key, "%s%d", "multiEpgLabel", n);
        CopyText(label, ReadINIValue(key, kNone), sizeof label);
        if (strcmp(label, kNone) == 0)
            break;
        StripEndl(label);
        new eListBoxEntryText(m_list, label, n);
    }
}

bool CEPGSelector::TakeFileName(eListBoxEntryText* entry)
{
    if (!m_target || !entry)
        return false;
    char key[64];
    snprintf(key, sizeof key, "%s%ld", "multiEpgFile", entry->getKey());
    CopyText(m_target, ReadINIValue(key, kNone), EPG_SELECTOR_TEXT_SIZE);
    return true;
}

void CEPGSelector::selectedItem(eListBoxEntryText* entry)
{
    if (TakeFileName(entry))
        accept();
}

void CEPGSelector::selectionChanged(eListBoxEntryText* entry)
{
    TakeFileName(entry);
}
