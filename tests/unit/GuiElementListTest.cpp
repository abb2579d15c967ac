#include "gui/GuiCanvas.h"
#include "gui/GuiCanvasDecorated.h"
#include "gui/GuiElementList.h"
#include "gui/GuiManager.h"

#include "support/GuiProbe.h"
#include "support/ThrownRecord.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>
#include <boost/ptr_container/exception.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Key events need no pointer: no element here raises an event of its own. Canvases
// are processed directly: the manager's processing reads the pointer, which needs a window.

TEST(GuiElementList, offers_every_element_newest_first_and_passes_handled_on)
{
    struct Case
    {
        bool consumeA, consumeB, consumeC, handledIn;
        const char* log;
        bool result;
    };
    const Case cases[] = {
        { false, false, false, false, "c:0 b:0 a:0", false },
        { false, true, false, false, "c:0 b:0 a:1", true },
        { true, true, true, false, "c:0 b:1 a:1", true },
        // Handled before the list: everyone is told, yet no element of the list consumed it.
        { false, false, false, true, "c:1 b:1 a:1", false },
    };
    for (const Case& c : cases)
    {
        std::vector<std::string> log;
        GuiElementList list;
        list.AddElement(sf::Vector2f(), new GuiProbe(log, "a", c.consumeA));
        list.AddElement(sf::Vector2f(), new GuiProbe(log, "b", c.consumeB));
        list.AddElement(sf::Vector2f(), new GuiProbe(log, "c", c.consumeC));
        EXPECT_EQ(c.result, list.HandleEventForElements(true, EventOf(sf::Event::KeyPressed), c.handledIn)) << c.log;
        EXPECT_EQ(c.log, JoinLog(log));
        EXPECT_EQ(0, list.GetLockCount());
    }

    GuiElementList empty;
    EXPECT_FALSE(empty.HandleEventForElements(true, EventOf(sf::Event::KeyPressed), true));
    EXPECT_EQ(0, empty.GetLockCount());
}

TEST(GuiElementList, refuses_a_null_element_also_while_it_is_walked)
{
    GuiElementList list;
    EXPECT_EQ("Null pointer in 'push_back()'",
        WhatOf<boost::bad_pointer>([&] { list.AddElement(sf::Vector2f(), nullptr); }));
    list.LockEntities();
    EXPECT_EQ("Null pointer in 'push_back()'",
        WhatOf<boost::bad_pointer>([&] { list.AddElement(sf::Vector2f(), nullptr); }));
    std::vector<std::string> log;
    GuiProbe* kept = new GuiProbe(log, "kept");
    EXPECT_EQ("Null pointer in 'push_back()'",
        WhatOf<boost::bad_pointer>([&] { list.AddElements(sf::Vector2f(), { kept, nullptr }); }));
    list.UnlockEntities();
    list.ProcessElementsAndQueue();
    EXPECT_TRUE(list.GetElements().empty());
    delete kept;
}

TEST(GuiManager, top_level_changes_made_during_an_event_take_effect_at_its_end)
{
    std::vector<std::string> log;
    GuiManager gui;
    GuiProbe* a = new GuiProbe(log, "a");
    GuiProbe* b = new GuiProbe(log, "b");
    GuiProbe* c = new GuiProbe(log, "c");
    gui.AddElements({ a, b, c });
    // c runs first: it removes a (still offered this event) and adds d (not offered).
    c->onEvent = [&] {
        c->onEvent = nullptr;
        gui.RemoveAndDeleteElement(a);
        GuiProbe* d = new GuiProbe(log, "d");
        gui.AddElement(d);
        EXPECT_EQ(&gui, d->GetGuiManager());
    };
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("c:0 b:0 a:0 a-", JoinLog(log));
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("d:0 c:0 b:0", JoinLog(log));
}

TEST(GuiManager, a_canvas_removed_by_its_own_child_goes_after_the_event)
{
    std::vector<std::string> log;
    GuiManager gui;
    GuiProbe* below = new GuiProbe(log, "below");
    gui.AddElement(below);
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(), 100.0f, 100.0f, "panel");
    GuiProbe* inner = new GuiProbe(log, "inner");
    GuiProbe* button = new GuiProbe(log, "button", true);
    canvas->AddElements({ inner, button });
    gui.AddElement(canvas);
    button->onEvent = [&] { gui.RemoveAndDeleteElement(canvas); };
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("button:0 inner:1 below:1 inner- button-", JoinLog(log));
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("below:0", JoinLog(log));
}

TEST(GuiCanvas, changes_made_during_its_walk_take_effect_at_its_next_processing)
{
    std::vector<std::string> log;
    GuiManager gui;
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(50.0f, 20.0f), 100.0f, 100.0f, "panel");
    gui.AddElement(canvas);
    GuiProbe* a = new GuiProbe(log, "a");
    GuiProbe* b = new GuiProbe(log, "b");
    canvas->AddElements({ a, b });
    GuiProbe* added = nullptr;
    b->onEvent = [&] {
        b->onEvent = nullptr;
        canvas->RemoveAndDeleteElement(a);
        added = new GuiProbe(log, "new", false, sf::Vector2f(5.0f, 0.0f));
        canvas->AddElement(added);
    };
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("b:0 a:0", JoinLog(log));
    // Registered and placed at once, though not yet a child.
    EXPECT_EQ(&gui, added->GetGuiManager());
    EXPECT_EQ(sf::Vector2f(55.0f, 20.0f), added->GetAbsolutePosition());
    // The manager's event pass does not apply a canvas's queue.
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("b:0 a:0", JoinLog(log));
    canvas->Process();
    EXPECT_EQ("a+ b+ a-", JoinLog(log));
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("new:0 b:0", JoinLog(log));
}

TEST(GuiCanvas, hidden_it_offers_nothing_draws_nothing_and_keeps_its_queue)
{
    std::vector<std::string> log;
    GuiManager gui;
    GuiCanvas* canvas = new GuiCanvas(sf::Vector2f(), 100.0f, 100.0f, "panel");
    gui.AddElement(canvas);
    GuiProbe* a = new GuiProbe(log, "a", true);
    GuiProbe* b = new GuiProbe(log, "b");
    canvas->AddElements({ a, b });
    // b removes a and hides the canvas: a stays, alive and hidden, until shown and processed.
    b->onEvent = [&] {
        b->onEvent = nullptr;
        canvas->RemoveAndDeleteElement(a);
        canvas->SetVisible(false);
    };
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ("b:0 a:0", JoinLog(log));
    EXPECT_FALSE(canvas->HandleEvent(EventOf(sf::Event::KeyPressed), false));
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    canvas->Process();
    gui.Draw();
    EXPECT_EQ("", JoinLog(log));
    canvas->SetVisible(true);
    gui.Draw();
    EXPECT_EQ("a~ b~", JoinLog(log));
    canvas->Process();
    EXPECT_EQ("a+ b+ a-", JoinLog(log));
    // Outside a walk a removal is at once.
    canvas->RemoveAndDeleteElement(b);
    EXPECT_EQ("b-", JoinLog(log));
}

TEST(GuiCanvas, a_child_consuming_makes_the_canvas_consume)
{
    std::vector<std::string> log;
    GuiCanvas canvas(sf::Vector2f(), 100.0f, 100.0f, "panel");
    canvas.AddElement(new GuiProbe(log, "a", true));
    EXPECT_TRUE(canvas.HandleEvent(EventOf(sf::Event::KeyPressed), false));
    EXPECT_TRUE(canvas.HandleEvent(EventOf(sf::Event::KeyPressed), true));
    EXPECT_EQ("a:0 a:1", JoinLog(log));
}

TEST(GuiCanvas, children_are_placed_and_moved_with_their_containers)
{
    std::vector<std::string> log;
    GuiManager gui;
    sf::RectangleShape* frame = new sf::RectangleShape(sf::Vector2f(200.0f, 100.0f));
    GuiCanvas* inner = new GuiCanvas(sf::Vector2f(10.0f, 10.0f), 180.0f, 80.0f, "inner");
    GuiCanvasDecorated* panel = new GuiCanvasDecorated(sf::Vector2f(100.0f, 50.0f), 200.0f, 100.0f, frame, inner, "panel");
    EXPECT_EQ(sf::Vector2f(110.0f, 60.0f), inner->GetAbsolutePosition());
    EXPECT_EQ(sf::Vector2f(100.0f, 50.0f), frame->getPosition());
    GuiProbe* widget = new GuiProbe(log, "w", false, sf::Vector2f(5.0f, 0.0f));
    panel->GetInnerCanvas()->AddElement(widget);
    EXPECT_EQ(sf::Vector2f(115.0f, 60.0f), widget->GetAbsolutePosition());
    EXPECT_EQ(nullptr, widget->GetGuiManager());
    // Registration and placement of the whole subtree in one step.
    gui.AddElement(panel);
    EXPECT_EQ(&gui, widget->GetGuiManager());

    // A child still queued follows its canvas too, so it lands where it belongs.
    GuiProbe* queued = new GuiProbe(log, "q", false, sf::Vector2f(1.0f, 1.0f));
    widget->onEvent = [&] {
        widget->onEvent = nullptr;
        inner->AddElement(queued);
        panel->MoveRelativePosition(sf::Vector2f(3.0f, 4.0f));
    };
    gui.HandleEvent(EventOf(sf::Event::KeyPressed));
    EXPECT_EQ(sf::Vector2f(103.0f, 54.0f), panel->GetAbsolutePosition());
    EXPECT_EQ(sf::Vector2f(103.0f, 54.0f), panel->GetRelativePosition());
    EXPECT_EQ(sf::Vector2f(103.0f, 54.0f), frame->getPosition());
    EXPECT_EQ(sf::Vector2f(113.0f, 64.0f), inner->GetAbsolutePosition());
    EXPECT_EQ(sf::Vector2f(10.0f, 10.0f), inner->GetRelativePosition());
    EXPECT_EQ(sf::Vector2f(118.0f, 64.0f), widget->GetAbsolutePosition());
    EXPECT_EQ(sf::Vector2f(114.0f, 65.0f), queued->GetAbsolutePosition());
}

TEST(GuiCanvasDecorated, refuses_a_decoration_it_cannot_place)
{
    struct Fixed : sf::Drawable
    {
        void draw(sf::RenderTarget&, sf::RenderStates) const override {}
    };
    EXPECT_EQ("GuiCanvasDecorated needs a decoration that is an sf::Transformable",
        RecordOf<ErrorMessage>([] {
            GuiCanvasDecorated(sf::Vector2f(), 10.0f, 10.0f, new Fixed, new GuiCanvas(sf::Vector2f(), 1.0f, 1.0f, ""), "");
        }));
    EXPECT_EQ("GuiCanvasDecorated needs an inner canvas", RecordOf<ErrorMessage>([] {
        GuiCanvasDecorated(sf::Vector2f(), 10.0f, 10.0f, new sf::RectangleShape, nullptr, "");
    }));
}
