#include "sim/options.h"

#include <charconv>
#include <cstdint>
#include <iostream>
#include <limits>

namespace durak::sim {

namespace {

// A whole number in decimal digits, within [low, high]; the reason when it is not. A
// minus sign is read too, so that a negative value is reported as out of range rather
// than as no number.
std::optional<std::string> ReadNumber(const std::string& option, const std::string& text,
                                      std::uint64_t low, std::uint64_t high, std::uint64_t& value) {
    const bool negative = text.starts_with('-');
    const char* first = text.data() + (negative ? 1 : 0);
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (first == last || end != last || error == std::errc::invalid_argument)
        return option + ": '" + text + "' is not a whole number";
    if (negative || error == std::errc::result_out_of_range || value < low || value > high) {
        return option + ": " + text + " is out of range (" + std::to_string(low) + " to " +
               std::to_string(high) + ")";
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadArguments(int argc, const char* const* argv, SimOptions& options) {
    constexpr std::uint64_t kMostGames = std::numeric_limits<std::int64_t>::max();
    constexpr std::uint64_t kLargestSeed = std::numeric_limits<std::uint64_t>::max();
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--trace") {
            options.trace = &std::cout;
            continue;
        }
        if (option != "--games" && option != "--seed" && option != "--mode" &&
            option != "--pace" && option != "--plant-fault")
            return "unknown option '" + option + "'";
        if (i + 1 >= argc) return option + " needs a value";
        const std::string value = argv[++i];

        if (option == "--games" || option == "--seed") {
            const bool games = option == "--games";
            const std::uint64_t low = games ? 1 : 0, high = games ? kMostGames : kLargestSeed;
            std::uint64_t n = 0;
            if (auto fault = ReadNumber(option, value, low, high, n)) return fault;
            if (games) options.games = static_cast<std::int64_t>(n);
            else options.seed = n;
        } else if (option == "--mode") {
            if (value == "200") options.mode = SimMode::TwoComputers;
            else if (value == "1") options.mode = SimMode::Human;
            else if (value == "mixed") options.mode = SimMode::Mixed;
            else return "--mode: '" + value + "' is none of 200, 1, mixed";
        } else if (option == "--plant-fault") {
            // For the tests of the card ledger: one fault planted into the first game.
            if (value == "drop") options.plant = PlantedFault::DropCard;
            else if (value == "double") options.plant = PlantedFault::DoubleCard;
            else if (value == "uncovered") options.plant = PlantedFault::ClearUncovered;
            else if (value == "resurrect") options.plant = PlantedFault::Resurrect;
            else return "--plant-fault: '" + value + "' is none of drop, double, uncovered, resurrect";
        } else {
            if (value == "1" || value == "300" || value == "600") options.pace = std::stoi(value);
            else return "--pace: '" + value + "' is none of 1, 300, 600";
        }
    }
    return std::nullopt;
}

}  // namespace durak::sim
