// Ownership in the widget tree: children go with their parent, entries with
// their list, and a widget or entry deleted alone leaves its parent.
#include <gtest/gtest.h>

#include "host/gui.h"
#include "tests/support/harness.h"

namespace {

int g_labelsAlive = 0;
int g_entriesAlive = 0;

class CountedLabel : public eLabel {
public:
    explicit CountedLabel(eWidget* parent) : eLabel(parent) { ++g_labelsAlive; }
    ~CountedLabel() override { --g_labelsAlive; }
};

class CountedEntry : public eListBoxEntryText {
public:
    CountedEntry(eListBox<eListBoxEntryText>* l, const char* t, long k) : eListBoxEntryText(l, t, k)
    {
        ++g_entriesAlive;
    }
    ~CountedEntry() override { --g_entriesAlive; }
};

TEST(WidgetTree, ParentsDestroyChildrenAndListsTheirEntries)
{
    boxtk::reset();
    {
        eWindow w(1);
        new CountedLabel(&w);
        auto* inner = new CountedLabel(&w);
        new CountedLabel(inner);
        auto* list = new eListBox<eListBoxEntryText>(&w);
        for (int i = 0; i < 3; ++i)
            new CountedEntry(list, "e", i);
        EXPECT_EQ(g_labelsAlive, 3);
        EXPECT_EQ(g_entriesAlive, 3);
        EXPECT_EQ(w.getChildren().size(), 3u);
        EXPECT_EQ(inner->getWindow(), &w);
    }
    EXPECT_EQ(g_labelsAlive, 0);
    EXPECT_EQ(g_entriesAlive, 0);
}

TEST(WidgetTree, DeletedAloneLeavesTheParentAndTheCursorStaysInTheList)
{
    boxtk::reset();
    eWindow w(1);
    auto* a = new CountedLabel(&w);
    new CountedLabel(&w);
    delete a;
    EXPECT_EQ(w.getChildren().size(), 1u);

    auto* list = new eListBox<eListBoxEntryText>(&w);
    auto* e0 = new CountedEntry(list, "0", 0);
    new CountedEntry(list, "1", 1);
    auto* e2 = new CountedEntry(list, "2", 2);
    list->setCurrent(e2);
    delete e2;  // the current and last entry
    ASSERT_EQ(list->getCount(), 2);
    EXPECT_EQ(list->getCurrent()->getKey(), 1);
    delete e0;  // before the cursor
    EXPECT_EQ(list->getCurrent()->getKey(), 1);
    list->clearList();
    EXPECT_EQ(list->getCount(), 0);
    EXPECT_EQ(list->getCurrent(), nullptr);
    EXPECT_EQ(g_entriesAlive, 0);
}

TEST(WidgetTree, WindowsAreNumberedAndListedWhileShown)
{
    boxtk::reset();
    eWindow a(1), b(0);
    eMessageBox box("t", "c", 33, 1, 0);
    EXPECT_EQ(a.getWinId(), 1);
    EXPECT_EQ(b.getWinId(), 2);
    EXPECT_EQ(box.getWinId(), 3);
    a.show();
    box.show();
    b.show();
    EXPECT_EQ(boxtk::shownWindows(), std::vector<eWindow*>({&a, &box, &b}));
    box.hide();
    EXPECT_EQ(boxtk::shownWindows(), std::vector<eWindow*>({&a, &b}));
    {
        eWindow gone(0);
        gone.show();
        EXPECT_EQ(boxtk::shownWindows().size(), 3u);
    }
    EXPECT_EQ(boxtk::shownWindows(), std::vector<eWindow*>({&a, &b}));
    boxtk::reset();
}

TEST(WidgetTree, SetCurrentIgnoresEntriesOfOtherLists)
{
    boxtk::reset();
    eWindow w(1);
    auto* l1 = new eListBox<eListBoxEntryText>(&w);
    auto* l2 = new eListBox<eListBoxEntryText>(&w);
    new eListBoxEntryText(l1, "a", 1);
    auto* other = new eListBoxEntryText(l2, "b", 2);
    l1->setCurrent(other);
    l1->setCurrent(nullptr);
    EXPECT_EQ(l1->getCurrent()->getKey(), 1);
}

}  // namespace
