#pragma once
// Qt's own file dialog, used where the desktop offers none, opens so small
// that its columns cut names, types and dates. The program's file dialogs open
// roomy, but within the screen, with columns wide enough for their texts.

#include <QFileDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QScreen>
#include <QSize>
#include <QTreeView>

#include <algorithm>

namespace kurvex {

inline void MakeRoomy(QFileDialog& dialog)
{
    QSize size(860, 540);
    if (const QScreen* screen = dialog.screen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    dialog.resize(size);
    // The detail view of Qt's dialog (a native dialog has none): name, size, type, date.
    auto* details = dialog.findChild<QTreeView*>();
    if (!details || details->header()->count() < 4)
        return;
    const QFontMetrics metrics(details->font());
    const int padding = 3 * metrics.horizontalAdvance(QLatin1Char('x'));
    QHeaderView* header = details->header();
    header->resizeSection(1, metrics.horizontalAdvance(QStringLiteral("9999,9 KiB")) + padding);
    header->resizeSection(2, metrics.horizontalAdvance(QStringLiteral("Einfaches Textdokument")) + padding);
    header->resizeSection(3, metrics.horizontalAdvance(QStringLiteral("00.00.0000 00:00:00")) + padding);
    header->resizeSection(0, std::max(header->sectionSize(0), size.width() / 3));
}

}  // namespace kurvex
