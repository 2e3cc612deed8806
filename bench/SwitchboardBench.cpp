#include "Messaging/Switchboard.h"

#include <benchmark/benchmark.h>

namespace
{
class Sink : public MessageListener
{
public:
    void ReceiveMessage(Message*) override { ++received; }
    long received = 0;
};
} // namespace

// Broadcast and drain of messages that each have one subscriber.
static void BM_BroadcastAndDeliver(benchmark::State& state)
{
    Switchboard& board = Switchboard::GetInstance();
    Sink sink;
    board.SubscribeTo(&sink, "Ping");
    const int batch = static_cast<int>(state.range(0));
    for (auto _ : state)
    {
        for (int i = 0; i < batch; ++i)
            board.Broadcast(new Message("Ping"));
        board.DeliverQueued();
    }
    state.SetItemsProcessed(state.iterations() * batch);
    benchmark::DoNotOptimize(sink.received);
    board.UnsubscribeFrom(&sink, "Ping");
}
BENCHMARK(BM_BroadcastAndDeliver)->Arg(1000);
