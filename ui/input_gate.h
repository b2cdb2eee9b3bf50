// Drops the user's input while the game is busy. A click made on a picture that the
// running move is about to change must not play a card later, so mouse, keyboard and
// touch input that arrives during a chain of moves is eaten, not queued. Everything
// else (painting, timers, window activation, a close request) passes.
#pragma once

#include <QObject>

#include <functional>

namespace durak::qt {

class InputGate : public QObject {
    Q_OBJECT
public:
    explicit InputGate(QObject* parent = nullptr);
    ~InputGate() override;

    void Close() { closed_ = true; }
    void Open() { closed_ = false; }
    bool IsClosed() const { return closed_; }
    // How many input events were dropped so far.
    long long Dropped() const { return dropped_; }

    static bool IsUserInput(int eventType);

    // Input that changes nothing of the game (a question about the table asked by a key)
    // passes even while the gate is closed.
    void SetPassing(std::function<bool(const QEvent&)> passes) { passes_ = std::move(passes); }

    // Keeps the gate closed for a scope and leaves it as it found it, also when the
    // scope ends by an exception.
    class ClosedScope {
    public:
        explicit ClosedScope(InputGate& gate) : gate_(gate), wasClosed_(gate.IsClosed()) {
            gate_.Close();
        }
        ~ClosedScope() {
            if (!wasClosed_) gate_.Open();
        }
        ClosedScope(const ClosedScope&) = delete;
        ClosedScope& operator=(const ClosedScope&) = delete;

    private:
        InputGate& gate_;
        bool wasClosed_;
    };

signals:
    // A key or a mouse button was pressed and dropped.
    void pressDropped();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool closed_ = false;
    long long dropped_ = 0;
    std::function<bool(const QEvent&)> passes_;
};

}  // namespace durak::qt
