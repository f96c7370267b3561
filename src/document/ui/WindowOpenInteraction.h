#pragma once
// What opening a run asks of the user, answered with windows: the wait window,
// message boxes with caption "Kurvex" and the first-load dialog "Datenanpassungen".

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "document/Einstellungen.h"
#include "document/OpenInteraction.h"

class QDialog;

namespace kurvex {

class CSplashDlg;

inline constexpr const char* kMessageCaption = "Kurvex";

class WindowOpenInteraction : public OpenInteraction {
public:
    // parent: the window the message boxes and the dialog belong to (may be null).
    // The global settings are kept for the open; the first-load question is asked
    // whatever their mirror question switch says, since nothing depends on it.
    // fileName: the run's file, named in the first-load dialog's caption (may be empty).
    WindowOpenInteraction(QWidget* parent, const CEinstellungen& globalSettings, QString fileName = QString());
    ~WindowOpenInteraction() override;
    WindowOpenInteraction(const WindowOpenInteraction&) = delete;
    WindowOpenInteraction& operator=(const WindowOpenInteraction&) = delete;

    void ShowWaitWindow() override;
    void CloseWaitWindow() override;
    void ShowProgress(int percent) override;
    void ShowMessage(const UserMessage& message) override;
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd) override;

    // The wait window while it is open, else null.
    CSplashDlg* WaitWindow() const { return m_waitWindow.get(); }
    const CEinstellungen& GlobalSettings() const { return m_globalSettings; }

    static QMessageBox::Icon BoxIcon(MessageIcon icon);

protected:
    // Runs a message box or the first-load dialog modally. Tests override it to
    // look at the window and answer it without a modal loop.
    virtual void RunModal(QDialog& dialog);

private:
    // The wait window steps aside while a modal window is up, so it never covers it.
    class WaitWindowAside;

    QPointer<QWidget> m_parent;
    CEinstellungen m_globalSettings;
    QString m_fileName;
    std::unique_ptr<CSplashDlg> m_waitWindow;
};

}  // namespace kurvex
