#pragma once

#include <functional>

// The one-message step every decoding loop takes per row, so that the program stays
// responsive while a decode runs on the user-interface thread. It does nothing until the
// window layer installs the real step.
void PumpOneMessage();

// Installs the step; an empty function restores the no-op.
void SetPumpOneMessage(std::function<void()> step);
