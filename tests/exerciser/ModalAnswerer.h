#pragma once
// Answers every modal window the program opens, as a hurried user would: a
// timer looks for the active modal widget and, one step per tick, clicks a
// message box button, picks a file in a file dialog, or types into the fields
// of a dialog, clicks its buttons and boxes, selects and double-clicks list
// lines, and after a few steps closes it. Each step runs from the event loop,
// never inside the timer's own handler, so the window a step opens is answered
// in turn.

#include "Random.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

class QDialog;
class QFileDialog;
class QMessageBox;
class QTimer;

namespace kurvex::exerciser {

class ModalAnswerer : public QObject {
    Q_OBJECT

public:
    struct Hooks {
        // A file for an open dialog.
        std::function<QString()> pickOpenFile;
        // A path for a save dialog with the dialog's default suffix (recorded
        // as an output the run asked for).
        std::function<QString(const QString& suffix)> pickSavePath;
        // Something that arrives while a modal window is up (a second start of
        // the program handing over files).
        std::function<void()> fromOutside;
        // One line of the trace.
        std::function<void(const QString&)> trace;
    };

    ModalAnswerer(uint64_t seed, Hooks hooks, QObject* parent = nullptr);
    ~ModalAnswerer() override;

    // Modal windows answered, by class (and message boxes by their first words).
    const std::map<std::string, int>& Counts() const { return m_counts; }

    // Leaves this window alone until Release (while something from outside is
    // handled over it, so the steps do not depend on how long that takes).
    void Hold(QWidget* window) { m_held = window; }
    void Release() { m_held = nullptr; }

private:
    void Tick();
    void Step(QWidget* modal);
    void AnswerMessageBox(QMessageBox& box);
    void AnswerFileDialog(QFileDialog& dialog);
    void FiddleWith(QWidget& window);
    void Close(QWidget& window, int overdue);
    void Count(const QString& what);

    Random m_random;
    Hooks m_hooks;
    QTimer* m_timer = nullptr;
    bool m_stepQueued = false;
    QPointer<QWidget> m_held;
    std::map<std::string, int> m_counts;
};

}  // namespace kurvex::exerciser
