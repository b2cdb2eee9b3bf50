// Every wait of the game with its composition, in one place. The game calls
// g.pauses.Wait(...) with one of these; the counts are the loop turns of the waits (their
// numbers are in the catalogue), and only the pace-scaled parts depend on delayFactor.
#pragma once

#include "cards/numbers.h"
#include "ports/ports.h"

namespace durak {

// The long waits of a round end in either mode: a long loop of round-end slow turns.
inline Pause PlayerCoveredPause() {
    return {PauseKind::PlayerCovered, std::int64_t{kLongLoop} * kRoundEndSlowTurns, 0, 0};
}
inline Pause ComputerTookPause() {
    return {PauseKind::ComputerTook, std::int64_t{kLongLoop} * kRoundEndSlowTurns, 0, 0};
}

// Between two computers, each round end starts with two long and twelve short loops of
// fast turns.
inline Pause TwoComputerRoundEndPause() {
    return {PauseKind::TwoComputerRoundEnd, 0,
            std::int64_t{kRoundEndLongLoops} * kLongLoop + std::int64_t{kRoundEndShortLoops} * kShortLoop, 0};
}

// The automatic player put down nothing: pace-scaled slow turns, seven short loops.
inline Pause AutoLeadClosingPause(int delayFactor) {
    return {PauseKind::AutoLeadClosing, std::int64_t{kAutoLeadClosingPace} * delayFactor,
            std::int64_t{kAutoLeadClosingShortLoops} * kShortLoop, 0};
}

// After the computer's cover between two computers: a long loop of empty lines at the pen,
// pace-scaled slow turns, twelve short loops.
inline Pause DefendContinuationPause(int delayFactor) {
    return {PauseKind::DefendContinuation, std::int64_t{kDefendContinuationPace} * delayFactor,
            std::int64_t{kTwoComputerShortLoops} * kShortLoop, kLongLoop};
}

// After the automatic player's reply: a long loop of (pen to the wait's place, an empty
// line), pace-scaled slow turns, twelve short loops.
inline Pause FollowUpPause(int delayFactor) {
    return {PauseKind::FollowUpWait, std::int64_t{kFollowUpPace} * delayFactor,
            std::int64_t{kTwoComputerShortLoops} * kShortLoop, kLongLoop};
}

}  // namespace durak
