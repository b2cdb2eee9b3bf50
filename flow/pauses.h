// Every wait of the game with its composition, in one place. The game calls
// g.pauses.Wait(...) with one of these; the counts are the loop turns of the waits,
// and only the pace-scaled parts depend on delayFactor.
#pragma once

#include "ports/ports.h"

namespace durak {

// What the shared counter `scratch` holds after a wait: the last counting loop of a
// wait stops one past its end.
constexpr std::int16_t kLongWaitEnd = 29001;   // after 29000 × 1250 slow turns
constexpr std::int16_t kShortWaitEnd = 21001;  // after the waits ending in 21000-turn loops

// The long waits of a round end in either mode: 29000 × 1250 slow turns.
inline Pause PlayerCoveredPause() { return {PauseKind::PlayerCovered, 29000LL * 1250, 0, 0}; }
inline Pause ComputerTookPause() { return {PauseKind::ComputerTook, 29000LL * 1250, 0, 0}; }

// Between two computers, each round end starts with 2 × 29000 + 12 × 21000 fast turns.
inline Pause TwoComputerRoundEndPause() {
    return {PauseKind::TwoComputerRoundEnd, 0, 2LL * 29000 + 12LL * 21000, 0};
}

// The automatic player put down nothing: 16000 × pace slow turns, 7 × 21000 fast turns.
inline Pause AutoLeadClosingPause(int delayFactor) {
    return {PauseKind::AutoLeadClosing, 16000LL * delayFactor, 7LL * 21000, 0};
}

// After the computer's cover between two computers: 29000 empty lines at the pen,
// 50 × pace slow turns, 12 × 21000 fast turns.
inline Pause DefendContinuationPause(int delayFactor) {
    return {PauseKind::DefendContinuation, 50LL * delayFactor, 12LL * 21000, 29000};
}

// After the automatic player's reply: 29000 times (pen to (50, 50), an empty line),
// 21000 × pace slow turns, 12 × 21000 fast turns.
inline Pause FollowUpPause(int delayFactor) {
    return {PauseKind::FollowUpWait, 21000LL * delayFactor, 12LL * 21000, 29000};
}

}  // namespace durak
