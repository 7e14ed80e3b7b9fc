// List boxes: entries in creation order, owned by the list; a cursor that
// stands on the first entry as soon as there is one and never leaves the
// list.
#include <algorithm>

#include "host/elistbox.h"
#include "host/standin/internal.h"

namespace {

const int kEntryHeight = 20;

void emitEntry(const char* ev, eListBoxBase* list, const eListBoxEntry* e)
{
    boxtk::Event ev_;
    ev_.ev = ev;
    ev_.win = boxtk::detail::windowIdOf(list);
    ev_.text = e->getText();
    ev_.entryKey = e->getKey();
    boxtk::emit(ev_);
}

}  // namespace

eListBoxEntry::eListBoxEntry(eListBoxBase* listbox, long key) : listbox_(listbox), key_(key)
{
}

eListBoxEntry::~eListBoxEntry()
{
    // An entry deleted by the program leaves its list; the list's own
    // clean-up detaches every entry first.
    if (!listbox_)
        return;
    auto& v = listbox_->entries_;
    auto it = std::find(v.begin(), v.end(), this);
    if (it == v.end())
        return;
    const int index = static_cast<int>(it - v.begin());
    v.erase(it);
    int& cur = listbox_->current_;
    if (v.empty())
        cur = -1;
    else if (index < cur || cur >= static_cast<int>(v.size()))
        cur = std::max(0, cur - 1);
}

eListBoxBase::eListBoxBase(eWidget* parent, const eWidget* /*descr*/, int takefocus, int itemHeight,
                           const char* /*deco*/)
    : eWidget(parent, takefocus), itemHeight_(itemHeight > 0 ? itemHeight : kEntryHeight)
{
}

eListBoxBase::~eListBoxBase()
{
    clearList();
}

void eListBoxBase::loadDeco()
{
}

void eListBoxBase::clearList()
{
    std::vector<eListBoxEntry*> entries;
    entries.swap(entries_);
    current_ = -1;
    for (eListBoxEntry* e : entries) {
        e->listbox_ = nullptr;
        delete e;
    }
}

void eListBoxBase::appendEntry(eListBoxEntry* e)
{
    if (!e)
        return;
    entries_.push_back(e);
    emitEntry("entry", this, e);
    if (current_ < 0) {
        current_ = 0;
        emitEntry("current", this, e);
    }
}

void eListBoxBase::setCurrentEntry(eListBoxEntry* e, bool sendSignal)
{
    auto it = std::find(entries_.begin(), entries_.end(), e);
    if (!e || it == entries_.end())
        return;
    current_ = static_cast<int>(it - entries_.begin());
    emitEntry("current", this, e);
    if (sendSignal)
        sendSelChanged(e);
}

int eListBoxBase::pageRows() const
{
    const int rows = size_.h / itemHeight_;
    return rows > 0 ? rows : 1;
}

void eListBoxBase::moveCursor(int delta)
{
    const int target = current_ + delta;
    if (current_ < 0 || delta == 0 || target < 0 || target >= getCount())
        return;
    current_ = target;
    emitEntry("current", this, entries_[current_]);
    sendSelChanged(entries_[current_]);
}

void eListBoxBase::selectCurrent()
{
    sendSelected(getCurrentEntry());
}

eListBoxEntryText::eListBoxEntryText(eListBox<eListBoxEntryText>* listbox, const char* text, long key)
    : eListBoxEntry(listbox, key), text_(text)
{
    if (listbox)
        listbox->appendEntry(this);
}

int eListBoxEntryText::getEntryHeight()
{
    return kEntryHeight;
}
