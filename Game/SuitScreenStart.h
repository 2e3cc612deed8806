#pragma once

#include "Game/GameScreen.h"
#include "Util/StringUtil.h"

class StockTicker;
class TextActor;

// The menu: "Play", "Tutorial" and "Credits" over an animated stock graph. The
// highlighted item pulses; down/up move the highlight every 0.3 s with wrap-around,
// confirm or a click sends the item's label as a message.
class SuitScreenStart : public GameScreen
{
public:
    SuitScreenStart();
    ~SuitScreenStart() override;

    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    void Render() override;
    void ReceiveMessage(Message* message) override;
    void MouseDownEvent(Vec2i screenCoordinates, MouseButtonInput button) override;

    static constexpr int ItemCount = 3;

    StockTicker* ticker;
    float tickerTimer = 2.0f;
    const char* labels[ItemCount] = {"Play", "Tutorial", "Credits"};
    // Watched: a script or a reset may delete them first.
    ElementRef<TextActor> items[ItemCount];
    int selected = 0;
    float inputDelay = 0.0f;

    // The line of help at the bottom, naming the keys the bindings give.
    String GetHint() const;

private:
    void Highlight(int index);
    void AddDecorations();
    // "Best: ..." with the best price of all runs, or "" while none is kept.
    String BestLine() const;
};
