#pragma once
// The message-pump hook. Long driver waits call traiteMessages() between
// slices so that the user interface stays alive (buttons, timers) while an
// acquisition waits; the GUI installs its event processing here, tests install
// whatever they need to observe or to act during a wait.
#include <cstdint>
#include <functional>

namespace plateforme {

using PompeMessages = std::function<void()>;

// Installs the hook; an empty function restores the default, which does nothing.
void installePompeMessages(PompeMessages pompe);

// Processes pending messages once.
void traiteMessages();

// Sleeps `millisecondes` in slices of at most `tranche` ms, processing messages
// after each slice.
void dorsEnTraitantMessages(uint32_t millisecondes, uint32_t tranche = 10);

} // namespace plateforme
