#include "entity/EntityList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
// Records what the list does with it in a shared log ("p1" processed, "e1"
// given an event, "d1" drawn, "x1" destroyed).
class Probe : public IEntity
{
public:
    Probe(int id, std::string& log)
        : m_id(id)
        , m_log(log)
    {
    }
    ~Probe() override
    {
        Note("x");
    }

    void Draw() override
    {
        Note("d");
    }
    void HandleEvent(const sf::Event&) override
    {
        Note("e");
        if (onEvent)
            onEvent();
    }
    bool Process() override
    {
        Note("p");
        if (onProcess)
            onProcess();
        return !finished;
    }

    bool finished = false;
    std::function<void()> onProcess;
    std::function<void()> onEvent;

private:
    void Note(const char* what)
    {
        m_log += what + std::to_string(m_id) + " ";
    }

    int m_id;
    std::string& m_log;
};

sf::Event MouseMoved()
{
    sf::Event event;
    event.type = sf::Event::MouseMoved;
    event.mouseMove.x = 1;
    event.mouseMove.y = 2;
    return event;
}
}

TEST(EntityList, finished_entity_is_removed_at_the_end_of_the_pass)
{
    std::string log;
    EntityList list;
    auto* first = new Probe(1, log);
    list.AddElement(first);
    list.AddElement(new Probe(2, log));
    first->finished = true;

    EXPECT_TRUE(list.Process());
    // Still visited after it finished, destroyed only once the walk is over.
    EXPECT_EQ("p1 p2 x1 ", log);

    log.clear();
    list.Draw();
    EXPECT_EQ("d2 ", log);
}

TEST(EntityList, entity_added_during_processing_is_first_processed_next_pass)
{
    std::string log;
    EntityList list;
    auto* parent = new Probe(1, log);
    list.AddElement(parent);
    parent->onProcess = [&] {
        list.AddElement(new Probe(2, log));
        parent->onProcess = nullptr;
    };

    list.Process();
    EXPECT_EQ("p1 ", log);
    ASSERT_EQ(2u, list.GetElements().size());

    log.clear();
    list.Process();
    EXPECT_EQ("p1 p2 ", log);
}

TEST(EntityList, entity_added_during_events_waits_for_the_next_processing_pass)
{
    std::string log;
    EntityList list;
    auto* host = new Probe(1, log);
    list.AddElement(host);
    host->onEvent = [&] {
        list.AddElement(new Probe(2, log));
        host->onEvent = nullptr;
    };

    list.HandleEvent(MouseMoved());
    list.Draw();
    list.HandleEvent(MouseMoved());
    EXPECT_EQ("e1 d1 e1 ", log);
    EXPECT_FALSE(list.IsLocked());

    log.clear();
    list.Process();
    list.Draw();
    EXPECT_EQ("p1 d1 d2 ", log);
}

TEST(EntityList, entity_added_and_removed_while_locked_ends_destroyed)
{
    std::string log;
    EntityList list;
    auto* host = new Probe(1, log);
    list.AddElement(host);
    host->onProcess = [&] {
        auto* passing = new Probe(2, log);
        list.AddElement(passing);
        list.RemoveAndDeleteElement(passing);
        host->onProcess = nullptr;
    };

    list.Process();
    EXPECT_EQ("p1 x2 ", log);
    EXPECT_EQ(1u, list.GetElements().size());
}

TEST(EntityList, empty_list_processes_to_true)
{
    EntityList list;
    EXPECT_TRUE(list.Process());
    EXPECT_TRUE(list.GetElements().empty());
}

TEST(EntityList, nested_list_stays_and_destroys_its_members_with_it)
{
    std::string log;
    {
        EntityList outer;
        auto* inner = new EntityList;
        outer.AddElement(inner);
        auto* member = new Probe(1, log);
        inner->AddElement(member);
        member->finished = true;

        outer.Process();
        EXPECT_EQ("p1 x1 ", log);
        EXPECT_EQ(1u, outer.GetElements().size());

        inner->AddElement(new Probe(2, log));
        log.clear();
    }
    // Destroyed through IEntity, as what it is.
    EXPECT_EQ("x2 ", log);
}
