#pragma once
// The wait window "Moment bitte ..." while a run is opened: a small borderless
// window of its own, shown without taking the focus and painted at once,
// because the open that follows keeps the event loop busy.

#include <QWidget>

namespace kurvex {

class CSplashDlg : public QWidget {
    Q_OBJECT

public:
    CSplashDlg();
    ~CSplashDlg() override;

    // Shows the window centred over the screen of the active window and paints it
    // before returning. Handles no input meanwhile.
    void ShowNow();

    QString Text() const;

    // A bar under the text shows how far the open has come (0..100); painted at once.
    void SetProgress(int percent);
    int Progress() const { return m_progress; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_progress = 0;
};

}  // namespace kurvex
