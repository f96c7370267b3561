#include "document/ui/SplashDlg.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "document/KurvexDoc.h"

#include <algorithm>

namespace kurvex {

namespace {

constexpr int kPaddingX = 28;
constexpr int kPaddingY = 16;
// How long the window system may take to map the window before it is painted anyway.
constexpr int kExposeWaitMs = 300;

QScreen* ScreenToShowOn()
{
    if (const QWidget* active = QApplication::activeWindow())
        return active->screen();
    if (QScreen* screen = QApplication::screenAt(QCursor::pos()))
        return screen;
    return QApplication::primaryScreen();
}

}  // namespace

CSplashDlg::CSplashDlg()
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("SplashDlg"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(Text());
    const QFontMetrics metrics(font());
    setFixedSize(metrics.horizontalAdvance(Text()) + 2 * kPaddingX, metrics.height() + 2 * kPaddingY);
}

CSplashDlg::~CSplashDlg() = default;

QString CSplashDlg::Text() const
{
    return QString::fromUtf8(kWaitWindowText);
}

void CSplashDlg::ShowNow()
{
    if (QScreen* screen = ScreenToShowOn()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    // The open that follows blocks the event loop: the window must be mapped and
    // painted now. Input, sockets and timers wait, so nothing else can start
    // while the run is read.
    constexpr auto kPaintOnly =
        QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers | QEventLoop::X11ExcludeTimers;
    QElapsedTimer waited;
    waited.start();
    while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < kExposeWaitMs)
        QCoreApplication::processEvents(kPaintOnly, 10);
    repaint();
    QCoreApplication::processEvents(kPaintOnly);
}

void CSplashDlg::SetProgress(int percent)
{
    const int clamped = std::clamp(percent, 0, 100);
    if (clamped == m_progress)
        return;
    m_progress = clamped;
    if (isVisible()) {
        repaint();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::X11ExcludeTimers);
    }
}

void CSplashDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), Qt::AlignCenter, Text());
    if (m_progress > 0) {
        const QRect track(kPaddingX, height() - 6, width() - 2 * kPaddingX, 3);
        painter.fillRect(track, palette().color(QPalette::Midlight));
        painter.fillRect(QRect(track.left(), track.top(), track.width() * m_progress / 100, track.height()),
                         palette().color(QPalette::Highlight));
    }
}

}  // namespace kurvex
