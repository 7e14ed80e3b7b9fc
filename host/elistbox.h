// A list of text rows with integer keys, a cursor and selection signals.
#ifndef UDOVOR_HOST_ELISTBOX_H
#define UDOVOR_HOST_ELISTBOX_H

#include <sigc++/sigc++.h>
#include <vector>

#include "host/ewidget.h"

class eListBoxBase;

class eListBoxEntry {
public:
    eListBoxEntry(eListBoxBase* listbox, long key);
    virtual ~eListBoxEntry();
    long getKey() const { return key_; }
    eListBoxBase* getListBox() const { return listbox_; }
    virtual const eString& getText() const = 0;

protected:
    friend class eListBoxBase;  // detaches its entries when it clears them
    eListBoxBase* listbox_;
    long key_;
};

// The untyped part of a list box; the toolkit's key handling works on it.
class eListBoxBase : public eWidget {
public:
    eListBoxBase(eWidget* parent, const eWidget* descr, int takefocus, int itemHeight, const char* deco);
    ~eListBoxBase() override;  // destroys the entries

    void loadDeco();
    int getCount() const { return static_cast<int>(entries_.size()); }
    eListBoxEntry* entryAt(int i) const { return entries_[i]; }
    int getCurrentIndex() const { return current_; }  // -1 when empty
    eListBoxEntry* getCurrentEntry() const { return current_ < 0 ? nullptr : entries_[current_]; }
    // Moves the cursor; sends the cursor signal only when asked to.
    void setCurrentEntry(eListBoxEntry* e, bool sendSignal = false);
    void clearList();
    int getItemHeight() const { return itemHeight_; }
    const char* widgetType() const override { return "list"; }

    // Called by the toolkit's key handling.
    void moveCursor(int delta);   // up/down (1 row) and left/right (a page)
    void selectCurrent();         // the OK key
    int pageRows() const;

    // Called by entries when they are created.
    void appendEntry(eListBoxEntry* e);

protected:
    friend class eListBoxEntry;  // an entry deleted alone leaves its list
    virtual void sendSelected(eListBoxEntry* e) = 0;
    virtual void sendSelChanged(eListBoxEntry* e) = 0;

    std::vector<eListBoxEntry*> entries_;
    int current_ = -1;
    int itemHeight_;
};

template <class T>
class eListBox : public eListBoxBase {
public:
    eListBox(eWidget* parent, const eWidget* descr = nullptr, int takefocus = 1, int itemHeight = 0,
             const char* deco = "eListBox")
        : eListBoxBase(parent, descr, takefocus, itemHeight, deco)
    {
    }
    void setCurrent(T* entry, bool sendSignal = false) { setCurrentEntry(entry, sendSignal); }
    T* getCurrent() const { return static_cast<T*>(getCurrentEntry()); }

    sigc::signal<void, T*> selected;    // OK on an entry (null when the list is empty)
    sigc::signal<void, T*> selchanged;  // the cursor moved by a key

protected:
    void sendSelected(eListBoxEntry* e) override { selected.emit(static_cast<T*>(e)); }
    void sendSelChanged(eListBoxEntry* e) override { selchanged.emit(static_cast<T*>(e)); }
};

class eListBoxEntryText : public eListBoxEntry {
public:
    // Appends itself to the list, which owns it from then on.
    eListBoxEntryText(eListBox<eListBoxEntryText>* listbox, const char* text, long key = 0);
    const eString& getText() const override { return text_; }
    static int getEntryHeight();

private:
    eString text_;
};

#endif
