#pragma once

#include "Actors/HUDActor.h"

#include <vector>

class PlayField;

// A timed change of the price: `rate` per second for `remaining` seconds.
struct PriceEvent
{
    float rate;
    float remaining;
};

// The score: a stock price moved by timed events (raised and lowered by the play
// field's messages) plus a small drift that changes every second, drawn as a graph of
// the last ten one-second samples with the live price and the last second's change.
// Outside HUD mode (the menu's background) it draws only the graph, at a fixed place in
// the world.
class StockTicker : public HUDActor
{
public:
    // The news of `playField`'s player move the price (see ReceiveMessage); without a
    // field only the news that count whoever sent them do. The field must outlive it.
    explicit StockTicker(const PlayField* playField = nullptr);

    void Update(float dt) override;
    void Render() override;
    void ReceiveMessage(Message* message) override;

    void AddEvent(float rate, float duration);
    // Whose player's news move the price from now on (null: nobody's).
    void SetField(const PlayField* playField) { field = playField; }

    // The texts the ticker shows; exposed for their number formats.
    static String FormatPrice(float price);
    static String FormatChange(float change);
    // The price as shown: the live one, which the goal and the high score are taken
    // from, not the last sample of the graph.
    String GetPriceText() const;
    // The last sample, and the last minus the one before (0 for missing samples).
    float GetCurrentSample() const;
    float GetLastChange() const;

    std::vector<float> history;
    std::vector<PriceEvent> events;
    float price = 0.0f;
    float drift = 0.0f;
    float sampleTime = 0.0f;
    bool hudMode = true;
    float graphHeight = 0.0f;
    float graphWidth = 0.0f;

private:
    const PlayField* field;
};
