#include "platform/MessagePump.h"

namespace {

std::function<void()>& PumpStep()
{
    static std::function<void()> step;
    return step;
}

} // namespace

void PumpOneMessage()
{
    if (const auto& step = PumpStep())
        step();
}

void SetPumpOneMessage(std::function<void()> step) { PumpStep() = std::move(step); }
