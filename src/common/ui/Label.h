#pragma once
// The static text of the dialogs that need more than plain text: a label in a
// chosen text colour, on a chosen background, or one that opens a web address
// or a new e-mail when clicked.

#include <QColor>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace kurvex {

class CLabel : public QLabel {
    Q_OBJECT

public:
    // Where the text sits: the alignment styles of a static text control.
    enum class Layout {
        Left,                // word-wrapped from the left (the default)
        Centered,            // centred, word-wrapped
        Right,               // right-aligned, word-wrapped
        LeftNoWrap,          // from the left on one line per line break, no wrapping
        CenteredVertically,  // centred; a text without a line break also in the middle of the height
    };
    enum class LinkMode { None, Web, Mail };
    using UrlOpener = std::function<void(const QUrl&)>;

    explicit CLabel(QWidget* parent = nullptr);
    explicit CLabel(const QString& text, QWidget* parent = nullptr);

    void SetTextColor(const QColor& colour);
    void SetBkColor(const QColor& colour);
    // Web link (on) or no link.
    void SetLink(bool on);
    // Mail link (on) or no link.
    void SetMailLink(bool on);
    // The address a web link opens instead of its own text.
    void SetLinkTarget(const QString& target);
    void SetLayout(Layout layout);

    // An invalid text colour stands for the palette's window text; an invalid
    // background leaves the parent's background showing.
    QColor TextColor() const { return m_textColour; }
    QColor BkColor() const { return m_bkColour; }
    LinkMode Mode() const { return m_linkMode; }
    const QString& LinkTarget() const { return m_linkTarget; }
    Layout TextLayout() const { return m_layout; }

    // What a click opens: the link target or the text as a web address, a new
    // mail to the text's address; an empty URL when the label is no link.
    QUrl ClickUrl() const;
    // Replaces the opening of addresses (QDesktopServices by default), for tests.
    void SetUrlOpener(UrlOpener opener);

    // Alignment and text flags (Qt::AlignmentFlag | Qt::TextFlag) the text is drawn with.
    static int DrawFlags(Layout layout, const QString& text);

Q_SIGNALS:
    // A link was clicked and its address handed on.
    void linkOpened(const QUrl& url);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyLinkCursor();

    QColor m_textColour;
    QColor m_bkColour;
    LinkMode m_linkMode = LinkMode::None;
    QString m_linkTarget;
    Layout m_layout = Layout::Left;
    UrlOpener m_opener;
    bool m_pressed = false;
};

}  // namespace kurvex
