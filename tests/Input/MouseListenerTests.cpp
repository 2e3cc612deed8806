#include "Input/InputCallbacks.h"
#include "Input/MouseListener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <vector>

namespace
{
struct Event
{
    const MouseListener* listener;
    char kind; // 'm'otion, 'd'own, 'u'p
    Vec2i position;
    MouseButtonInput button;
};

std::vector<Event> events;

class Recorder : public MouseListener
{
public:
    void MouseMotionEvent(Vec2i position) override
    {
        events.push_back({this, 'm', position, MOUSE_LEFT});
        if (onEvent)
            onEvent();
    }
    void MouseDownEvent(Vec2i position, MouseButtonInput button) override
    {
        events.push_back({this, 'd', position, button});
        if (onEvent)
            onEvent();
    }
    void MouseUpEvent(Vec2i position, MouseButtonInput button) override
    {
        events.push_back({this, 'u', position, button});
        if (onEvent)
            onEvent();
    }

    std::function<void()> onEvent;
};

class SelfDeleter : public MouseListener
{
public:
    void MouseDownEvent(Vec2i, MouseButtonInput) override
    {
        events.push_back({this, 'd', Vec2i(), MOUSE_LEFT});
        delete this;
    }
};

// Two listeners at known addresses, the higher one constructed first.
struct OrderedPair
{
    alignas(Recorder) unsigned char storage[2][sizeof(Recorder)];
    Recorder* low;
    Recorder* high;

    OrderedPair()
    {
        high = new (storage[1]) Recorder();
        low = new (storage[0]) Recorder();
    }
    ~OrderedPair()
    {
        if (low)
            low->~Recorder();
        if (high)
            high->~Recorder();
    }
};
} // namespace

TEST(MouseListener, ListenersAreCalledInAddressOrder)
{
    events.clear();
    OrderedPair pair;
    InputCallbacks::OnMouseMotion(10, 20);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].listener, pair.low);
    EXPECT_EQ(events[1].listener, pair.high);
    EXPECT_EQ(events[1].position, Vec2i(10, 20));
}

TEST(MouseListener, ACopyIsRegisteredToo)
{
    Recorder original;
    const Recorder copy(original);
    events.clear();
    InputCallbacks::OnMouseMotion(3, 4);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].listener == &copy || events[1].listener == &copy);
}

TEST(MouseListener, ButtonsReportTheLastMotionAndMapNumbers)
{
    InputCallbacks::OnMouseMotion(7, 9);
    Recorder recorder;
    events.clear();
    InputCallbacks::OnMouseButton(0, true);
    InputCallbacks::OnMouseButton(1, true);
    InputCallbacks::OnMouseButton(2, false);
    InputCallbacks::OnMouseButton(4, false);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].kind, 'd');
    EXPECT_EQ(events[0].button, MOUSE_LEFT);
    EXPECT_EQ(events[1].button, MOUSE_RIGHT);
    EXPECT_EQ(events[2].kind, 'u');
    EXPECT_EQ(events[2].button, MOUSE_MIDDLE);
    EXPECT_EQ(events[3].button, MOUSE_LEFT);
    for (const Event& event : events)
        EXPECT_EQ(event.position, Vec2i(7, 9));
}

TEST(MouseListener, DestroyingListenersDuringDispatchIsSafe)
{
    events.clear();
    OrderedPair pair;
    // The lower listener destroys the higher one, which must then not be called.
    pair.low->onEvent = [&pair]
    {
        pair.high->~Recorder();
        pair.high = nullptr;
    };
    InputCallbacks::OnMouseMotion(1, 1);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].listener, pair.low);

    // A listener destroying itself; the walk goes on to the one above it.
    events.clear();
    pair.low->onEvent = nullptr;
    pair.high = new (pair.storage[1]) Recorder();
    new SelfDeleter();
    InputCallbacks::OnMouseButton(0, true);
    EXPECT_EQ(events.size(), 3u);
    events.clear();
    InputCallbacks::OnMouseButton(0, false);
    EXPECT_EQ(events.size(), 2u);
}
