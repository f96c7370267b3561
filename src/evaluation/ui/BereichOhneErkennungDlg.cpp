#include "evaluation/ui/BereichOhneErkennungDlg.h"

#include "common/ui/QtText.h"
#include "evaluation/ui/DialogUnits.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvex {

CBereichOhneErkennungDlg::CBereichOhneErkennungDlg(const BEREICH_OHNE_ERKENNUNG_DATEN& range, bool ascending,
                                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Bereich ohne Überschreitungsauswertung"));
    const ExcludedRangeFields fields = ExcludedRangeDialogFields(range, ascending);

    m_von = new QLineEdit(ToQString(fields.von), this);
    m_von->setEnabled(false);
    m_bis = new QLineEdit(ToQString(fields.bis), this);
    m_bis->setEnabled(false);
    // Read-only rather than disabled: a long remark must stay scrollable.
    m_bemerkung = new QPlainTextEdit(ToQString(fields.bemerkung), this);
    m_bemerkung->setReadOnly(true);
    m_bemerkung->setTabChangesFocus(true);
    QPalette greyed = m_bemerkung->palette();
    greyed.setColor(QPalette::Base, palette().color(QPalette::Disabled, QPalette::Base));
    greyed.setColor(QPalette::Text, palette().color(QPalette::Disabled, QPalette::Text));
    m_bemerkung->setPalette(greyed);
    m_delete = new QCheckBox(QStringLiteral("Bereich wieder löschen"), this);
    m_delete->setVisible(false);
    auto* hint = new QLabel(
        QStringLiteral("Hinweis: Nach schließen dieses Dialogs muss die autom. Überschreitungserkennung wiederholt werden."),
        this);
    hint->setWordWrap(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("von Station [m]:"), this), 0, 0);
    grid->addWidget(m_von, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("bis Station [m]:"), this), 1, 0);
    grid->addWidget(m_bis, 1, 1);
    grid->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(new QLabel(QStringLiteral("Bemerkung (erscheint im Überschreitungsprotokoll):"), this));
    layout->addWidget(m_bemerkung, 1);
    layout->addWidget(m_delete);
    layout->addWidget(hint);
    layout->addLayout(buttons);

    resize(DialogUnitsToPixels(*this, 308, 166).expandedTo(sizeHint()));
}

}  // namespace kurvex
