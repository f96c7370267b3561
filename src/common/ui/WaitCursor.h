#pragma once
// The hourglass while a long piece of work runs in the user's thread, such as
// drawing the hundreds of sheets of a 100-km run for a print, a preview or a PDF.

#include <QCursor>
#include <QGuiApplication>

namespace kurvex {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace kurvex
