#include "speech/pacer.h"

#include <algorithm>

#include "speech/phrases.h"

namespace durak::speech {

double Pacer::Speaking(const std::string& text) {
    return (WordCount(text) + kRoleWords) / kWordsPerSecond;
}

void Pacer::Add(const std::string& text, bool must, double now) {
    if (text.empty()) return;
    // What must be heard goes before whatever else still waits.
    if (must) std::erase_if(waiting_, [](const Waiting& w) { return !w.must; });
    waiting_.push_back({text, must, now});
}

void Pacer::SaidNow(const std::string& text, double now) {
    freeAt_ = std::max(freeAt_, now) + Speaking(text);
}

std::string Pacer::Next(double now) {
    if (waiting_.empty() || now < freeAt_) return {};
    // The first text that must be heard; else the newest that is still heard in time.
    auto pick = std::find_if(waiting_.begin(), waiting_.end(), [](const Waiting& w) { return w.must; });
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
