#include "plugin/waitplease.h"

#include "plugin/product.h"
#include "plugin/settings.h"

eWaitPlease::eWaitPlease() : eWindow(0)
{
    const int x = ReadINIInt("pleaseWaitPosX", "75");
    const int y = ReadINIInt("pleaseWaitPosY", "100");
    const int w = ReadINIInt("pleaseWaitPosSX", "530");
    const int h = ReadINIInt("pleaseWaitPosSY", "60");
    cmove(ePoint(x, y));
    cresize(eSize(w, h));
    setText(PRODUCT_TITLE);

    CopyText(m_message, "Please wait...", sizeof m_message);

    // Small or odd sizes are passed on as computed: the label may sit above
    // the client area or have no width.
    const eSize client = getClientSize();
    m_label = new eLabel(this, 0, 0, "eLabel");
    m_label->move(ePoint(20, client.height() - 40));
    m_label->resize(eSize(client.width() - 240, 30));
    m_label->setText(m_message);
}

eWaitPlease::~eWaitPlease() = default;

void eWaitPlease::SetMessage(const char* text)
{
    CopyText(m_message, text, sizeof m_message);
    m_label->setText(m_message);
}
