#include "common/ui/Label.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>

namespace kurvex {

namespace {

const QString kWindowsLineBreak = QStringLiteral("\r\n");

// Qt breaks lines at a line feed; a carriage return would show as a box.
QString DrawableText(QString text)
{
    text.replace(kWindowsLineBreak, QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

CLabel::CLabel(QWidget* parent) : CLabel(QString(), parent)
{
}

CLabel::CLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    m_opener = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    setTextFormat(Qt::PlainText);
    SetLayout(Layout::Left);
}

void CLabel::SetTextColor(const QColor& colour)
{
    m_textColour = colour;
    update();
}

void CLabel::SetBkColor(const QColor& colour)
{
    m_bkColour = colour;
    update();
}

void CLabel::SetLink(bool on)
{
    m_linkMode = on ? LinkMode::Web : LinkMode::None;
    ApplyLinkCursor();
}

void CLabel::SetMailLink(bool on)
{
    m_linkMode = on ? LinkMode::Mail : LinkMode::None;
    ApplyLinkCursor();
}

void CLabel::SetLinkTarget(const QString& target)
{
    m_linkTarget = target;
}

void CLabel::SetLayout(Layout layout)
{
    m_layout = layout;
    // QLabel's own alignment and wrapping only size the control; painting is ours.
    switch (layout) {
    case Layout::Left:
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(true);
        break;
    case Layout::Centered:
        setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        setWordWrap(true);
        break;
    case Layout::Right:
        setAlignment(Qt::AlignRight | Qt::AlignTop);
        setWordWrap(true);
        break;
    case Layout::LeftNoWrap:
        setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setWordWrap(false);
        break;
    case Layout::CenteredVertically:
        setAlignment(Qt::AlignCenter);
        setWordWrap(false);
        break;
    }
    update();
}

QUrl CLabel::ClickUrl() const
{
    switch (m_linkMode) {
    case LinkMode::Web:
        return QUrl::fromUserInput(m_linkTarget.isEmpty() ? text().trimmed() : m_linkTarget.trimmed());
    case LinkMode::Mail:
        return QUrl(QStringLiteral("mailto:") + text().trimmed());
    case LinkMode::None:
        break;
    }
    return {};
}

void CLabel::SetUrlOpener(UrlOpener opener)
{
    m_opener = std::move(opener);
}

int CLabel::DrawFlags(Layout layout, const QString& text)
{
    int flags = 0;
    switch (layout) {
    case Layout::Left:
        flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        break;
    case Layout::Centered:
        flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
        break;
    case Layout::Right:
        flags = Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap;
        break;
    case Layout::LeftNoWrap:
        flags = Qt::AlignLeft | Qt::AlignTop;
        break;
    case Layout::CenteredVertically:
        // A text of several lines stays at the top: only one line can sit in the middle.
        flags = Qt::AlignHCenter | Qt::AlignTop;
        if (!text.contains(kWindowsLineBreak))
            flags = Qt::AlignCenter | Qt::TextSingleLine;
        break;
    }
    if (text.contains(QLatin1Char('\t')))
        flags |= Qt::TextExpandTabs;
    return flags;
}

void CLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = contentsRect();
    // Without a colour of its own the label shows what lies behind it, as the
    // face of a dialog or of a group box does.
    if (m_bkColour.isValid())
        painter.fillRect(rect(), m_bkColour);
    painter.setPen(m_textColour.isValid() ? m_textColour : palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(area, DrawFlags(m_layout, text()), DrawableText(text()));
}

void CLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void CLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click && m_linkMode != LinkMode::None) {
        const QUrl url = ClickUrl();
        if (url.isValid() && !url.isEmpty()) {
            if (m_opener)
                m_opener(url);
            Q_EMIT linkOpened(url);
        }
    }
    QLabel::mouseReleaseEvent(event);
}

void CLabel::ApplyLinkCursor()
{
    if (m_linkMode == LinkMode::None)
        unsetCursor();
    else
        setCursor(Qt::PointingHandCursor);
}

}  // namespace kurvex
