#include "document/ui/WindowOpenInteraction.h"

#include "common/ui/QtText.h"
#include "document/ui/SplashDlg.h"
#include "document/ui/VorabanpassungenDlg.h"

namespace kurvex {

class WindowOpenInteraction::WaitWindowAside {
public:
    explicit WaitWindowAside(CSplashDlg* waitWindow) : m_waitWindow(waitWindow && waitWindow->isVisible() ? waitWindow : nullptr)
    {
        if (m_waitWindow)
            m_waitWindow->hide();
    }
    ~WaitWindowAside()
    {
        if (m_waitWindow)
            m_waitWindow->ShowNow();
    }
    WaitWindowAside(const WaitWindowAside&) = delete;
    WaitWindowAside& operator=(const WaitWindowAside&) = delete;

private:
    CSplashDlg* m_waitWindow;
};

WindowOpenInteraction::WindowOpenInteraction(QWidget* parent, const CEinstellungen& globalSettings, QString fileName)
    : m_parent(parent), m_globalSettings(globalSettings), m_fileName(std::move(fileName))
{
}

WindowOpenInteraction::~WindowOpenInteraction() = default;

void WindowOpenInteraction::ShowWaitWindow()
{
    if (!m_waitWindow)
        m_waitWindow = std::make_unique<CSplashDlg>();
    m_waitWindow->ShowNow();
}

void WindowOpenInteraction::ShowProgress(int percent)
{
    if (m_waitWindow)
        m_waitWindow->SetProgress(percent);
}

void WindowOpenInteraction::CloseWaitWindow()
{
    m_waitWindow.reset();
}

QMessageBox::Icon WindowOpenInteraction::BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

void WindowOpenInteraction::ShowMessage(const UserMessage& message)
{
    QString text = ToQString(message.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(BoxIcon(message.icon), QString::fromUtf8(kMessageCaption), text, QMessageBox::Ok, m_parent);
    // A file name is text, never markup.
    box.setTextFormat(Qt::PlainText);
    const WaitWindowAside aside(m_waitWindow.get());
    RunModal(box);
}

FirstLoadAnswer WindowOpenInteraction::AskFirstLoadAdjustments(int32_t fileStart, int32_t fileEnd)
{
    CVorabanpassungenDlg dialog(fileStart, fileEnd, m_parent);
    if (!m_fileName.isEmpty())
        dialog.NameFile(m_fileName);
    const WaitWindowAside aside(m_waitWindow.get());
    RunModal(dialog);
    return dialog.Answer();
}

void WindowOpenInteraction::RunModal(QDialog& dialog)
{
    dialog.exec();
}

}  // namespace kurvex
