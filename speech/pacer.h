// When a watcher of two computers hears each text. A screen reader queues whatever comes
// while it speaks, so texts that come faster than it can say them leave it ever further
// behind the game. The pacer holds each text back until the reader, as far as can be told,
// has said the one before; then it passes on the newest waiting text and lets go of the
// older ones, and of any text that could no longer be heard within kMaxBehind seconds of
// the moment the game showed what it tells. A text that must be heard (a new game with
// its trump, the result) is never let go, and no text is passed on twice in a row.
#pragma once

#include <string>
#include <vector>

namespace durak::speech {

class Pacer {
public:
    // The reader the pace is set for: 2.5 words a second, and one word ("уведомление")
    // said before each notification.
    static constexpr double kWordsPerSecond = 2.5;
    static constexpr int kRoleWords = 1;
    // How far behind the game a text may be heard at the latest, and the part of that kept
    // for the text to reach the reader.
    static constexpr double kMaxBehind = 3.0;
    static constexpr double kMargin = 0.3;

    // Seconds the reader takes to say a notification with this text.
    static double Speaking(const std::string& text);

    // A text about what the game shows at `now` (seconds on a steady clock). One that
    // `must` be heard lets go of the ordinary texts still waiting, and waits for its turn
    // however long it takes.
    void Add(const std::string& text, bool must, double now);
    // A text said at once, outside the pace (an answer the player asked for): the reader
    // is busy with it.
    void SaidNow(const std::string& text, double now);
    // The text to pass on at `now`, or an empty one while the reader speaks or nothing
    // waits.
    std::string Next(double now);
    // When Next has something to pass on, or a negative number while nothing waits.
    double NextTime() const;

private:
    struct Waiting {
        std::string text;
        bool must;
        double at;
    };
    std::vector<Waiting> waiting_;
    double freeAt_ = 0;
    std::string last_;
};

}  // namespace durak::speech
