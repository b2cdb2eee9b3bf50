#include "speech/pacer.h"

#include <algorithm>

#include "speech/phrases.h"

namespace durak::speech {

double Pacer::Speaking(const std::string& text) {
    return (WordCount(text) + kRoleWords) / kWordsPerSecond;
}

void Pacer::Add(const std::string& text, bool result, double now) {
    if (text.empty()) return;
    // A result ends the game: whatever waits before it is no longer worth the time.
    if (result) waiting_.clear();
    waiting_.push_back({text, result, now});
}

void Pacer::SaidNow(const std::string& text, double now) {
    freeAt_ = std::max(freeAt_, now) + Speaking(text);
}

std::string Pacer::Next(double now) {
    if (waiting_.empty() || now < freeAt_) return {};
    // The result if one waits; else the newest text that is still heard in time.
    auto pick = std::find_if(waiting_.begin(), waiting_.end(), [](const Waiting& w) { return w.result; });
    if (pick == waiting_.end()) {
        pick = waiting_.end() - 1;
        if (now - pick->at > kMaxBehind - kMargin) pick = waiting_.end();
    }
    std::string text = pick != waiting_.end() ? pick->text : std::string();
    waiting_.erase(waiting_.begin(), pick == waiting_.end() ? pick : pick + 1);
    if (text.empty() || text == last_) return {};
    last_ = text;
    freeAt_ = now + Speaking(text);
    return text;
}

double Pacer::NextTime() const { return waiting_.empty() ? -1 : freeAt_; }

}  // namespace durak::speech
