#include "utility/LockedList.h"

#include "support/ThrownRecord.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace
{
struct Probe
{
    Probe(int id_, std::vector<int>& destroyed_) : id(id_), destroyed(destroyed_) {}
    virtual ~Probe() { destroyed.push_back(id); }
    int id;
    std::vector<int>& destroyed;
};

std::string Join(std::vector<int> const& ids)
{
    std::string text;
    for (int id : ids)
        text += (text.empty() ? "" : " ") + std::to_string(id);
    return text;
}

// Runs a script of steps on a list: aN adds probe N, rN removes it (a probe never
// added is made for the call and stays outside the list), L locks, U unlocks, P applies.
class Script
{
public:
    explicit Script(std::string const& steps)
    {
        std::istringstream in(steps);
        std::string step;
        while (in >> step)
        {
            int id = step.size() > 1 ? std::stoi(step.substr(1)) : 0;
            switch (step[0])
            {
            case 'a': list.AddElement(Make(id)); break;
            case 'r': list.RemoveAndDeleteElement(Find(id)); break;
            case 'L': list.LockEntities(); break;
            case 'U': list.UnlockEntities(); break;
            case 'P': list.ApplyQueuedChanges(); break;
            default: ADD_FAILURE() << "bad step " << step;
            }
        }
    }

    ~Script()
    {
        for (auto& entry : outside)
            delete entry.second;
    }

    std::string Contents() const
    {
        std::vector<int> ids;
        for (auto const& element : list.GetElements())
            ids.push_back(element->id);
        return Join(ids);
    }

    std::vector<int> destroyed;
    LockedList<Probe> list;

private:
    Probe* Make(int id)
    {
        Probe* probe = new Probe(id, destroyed);
        made[id] = probe;
        return probe;
    }

    Probe* Find(int id)
    {
        auto found = made.find(id);
        if (found != made.end())
            return found->second;
        Probe* probe = new Probe(id, destroyed);
        made[id] = probe;
        outside[id] = probe;
        return probe;
    }

    std::map<int, Probe*> made;
    std::map<int, Probe*> outside;
};

struct ProtocolCase
{
    char const* steps;
    char const* contents;
    char const* destroyed;
};

class LockedListProtocol : public testing::TestWithParam<ProtocolCase>
{
};
}

TEST_P(LockedListProtocol, applies_queues_only_when_a_pass_releases_the_last_lock)
{
    ProtocolCase const& c = GetParam();
    Script script(c.steps);
    EXPECT_EQ(script.Contents(), c.contents) << c.steps;
    EXPECT_EQ(Join(script.destroyed), c.destroyed) << c.steps;
}

INSTANTIATE_TEST_SUITE_P(
    LockedList, LockedListProtocol,
    testing::Values(
        // unlocked changes happen at once, in order
        ProtocolCase{"a1 a2 a3 r2", "1 3", "2"},
        // a locked addition waits for the pass that releases the lock
        ProtocolCase{"a1 L a2", "1", ""},
        ProtocolCase{"a1 L a2 U", "1", ""},
        ProtocolCase{"a1 L a2 U P", "1 2", ""},
        // a locked removal waits too
        ProtocolCase{"a1 a2 L r1 U", "1 2", ""},
        ProtocolCase{"a1 a2 L r1 U P", "2", "1"},
        // added and removed in the same locked time: added, then deleted
        ProtocolCase{"a1 L a2 r2 U P", "1", "2"},
        // queued twice for removal: deleted once
        ProtocolCase{"a1 L r1 r1 U P", "", "1"},
        // nested locks: an inner unlock applies nothing
        ProtocolCase{"a1 L L r1 U P", "1", ""},
        ProtocolCase{"a1 L L r1 U P U P", "", "1"},
        // removing a pointer that is not in the list changes nothing and frees nothing
        ProtocolCase{"a1 r9", "1", ""},
        ProtocolCase{"a1 L r9 U P", "1", ""}));

TEST(LockedList, walk_sees_the_list_as_it_stood_when_it_began)
{
    std::vector<int> destroyed;
    LockedList<Probe> list;
    Probe* first = new Probe(1, destroyed);
    Probe* second = new Probe(2, destroyed);
    list.AddElement(first);
    list.AddElement(second);

    std::vector<int> visited;
    list.LockEntities();
    for (auto const& element : list.GetElements())
    {
        visited.push_back(element->id);
        if (element->id == 1)
        {
            list.RemoveAndDeleteElement(second);
            list.AddElement(new Probe(3, destroyed));
        }
    }
    list.UnlockEntities();
    list.ApplyQueuedChanges();

    EXPECT_EQ(Join(visited), "1 2");
    EXPECT_EQ(Join(destroyed), "2");
    ASSERT_EQ(list.GetElements().size(), 2u);
    EXPECT_EQ(list.GetElements()[1]->id, 3);
}

TEST(LockedList, unlock_below_zero_throws_and_stays_below)
{
    LockedList<Probe> list;
    list.LockEntities();
    EXPECT_NO_THROW(list.UnlockEntities());
    EXPECT_EQ(RecordOf<ErrorMessage>([&] { list.UnlockEntities(); }), "LockedList was unlocked one time to many.");
    EXPECT_EQ(list.GetLockCount(), -1);
    EXPECT_TRUE(list.IsLocked());
}

TEST(LockedList, null_element_is_refused_when_it_would_enter_the_list)
{
    std::vector<int> destroyed;
    LockedList<Probe> list;
    EXPECT_EQ(WhatOf<boost::bad_pointer>([&] { list.AddElement(nullptr); }), "Null pointer in 'push_back()'");

    // Queued while locked, refused when the queue is applied; the one before it is in.
    list.LockEntities();
    list.AddElements({new Probe(1, destroyed), nullptr});
    list.UnlockEntities();
    EXPECT_THROW(list.ApplyQueuedChanges(), boost::bad_pointer);
    ASSERT_EQ(list.GetElements().size(), 1u);
    EXPECT_EQ(list.GetElements()[0]->id, 1);
}

TEST(LockedList, refused_queued_entry_still_applies_everything_queued_around_it)
{
    std::vector<int> destroyed;
    {
        LockedList<Probe> list;
        Probe* doomed = new Probe(0, destroyed);
        list.AddElement(doomed);
        list.LockEntities();
        list.AddElements({new Probe(1, destroyed), nullptr, new Probe(2, destroyed)});
        list.RemoveAndDeleteElement(doomed);
        list.UnlockEntities();
        EXPECT_EQ(WhatOf<boost::bad_pointer>([&] { list.ApplyQueuedChanges(); }), "Null pointer in 'push_back()'");

        // The addition after the refused one is in (owned, not leaked) and the removal was applied.
        std::vector<int> contents;
        for (auto const& element : list.GetElements())
            contents.push_back(element->id);
        EXPECT_EQ(Join(contents), "1 2");
        EXPECT_EQ(Join(destroyed), "0");
        EXPECT_NO_THROW(list.ApplyQueuedChanges()) << "nothing stays queued";
    }
    EXPECT_EQ(Join(destroyed), "0 1 2");
}

TEST(LockedList, destruction_frees_elements_in_order_and_unapplied_additions)
{
    std::vector<int> destroyed;
    {
        LockedList<Probe> list;
        list.AddElement(new Probe(1, destroyed));
        list.AddElement(new Probe(2, destroyed));
        list.LockEntities();
        list.AddElement(new Probe(3, destroyed));
        list.RemoveAndDeleteElement(list.GetElements()[0].get());
    }
    EXPECT_EQ(Join(destroyed), "3 1 2");
}
