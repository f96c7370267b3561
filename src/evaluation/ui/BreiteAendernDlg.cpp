#include "evaluation/ui/BreiteAendernDlg.h"

#include "common/ui/Label.h"
#include "common/ui/QtText.h"
#include "evaluation/ui/DialogUnits.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvex {

namespace {

const QColor kHintColour(0, 0, 191);

QLineEdit* ValueField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setEnabled(false);
    return field;
}

QLineEdit* ReadOnlyField(QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setReadOnly(true);
    return field;
}

}  // namespace

CBreiteAendernDlg::CBreiteAendernDlg(const std::string& record, bool firstSection, const std::string& picked0,
                                     const std::string& picked1, const std::string& runDefaultSurface,
                                     QWidget* parent)
    : QDialog(parent),
      m_fields(ReadSectionDialogFields(record, runDefaultSurface)),
      m_runDefaultSurface(runDefaultSurface)
{
    setWindowTitle(QStringLiteral("Streckenabschnitt bearbeiten"));

    m_position = new QLineEdit(this);
    m_position->setReadOnly(firstSection);
    m_station0 = new QPushButton(ToQString(StationButtonText(picked0)), this);
    m_station1 = new QPushButton(ToQString(StationButtonText(picked1)), this);
    for (QPushButton* button : {m_station0, m_station1}) {
        button->setAutoDefault(false);
        button->setVisible(!firstSection);
    }
    m_station0->setEnabled(!picked0.empty());
    m_station1->setEnabled(!picked1.empty());
    connect(m_station0, &QPushButton::clicked, this, [this, picked0] { TakeStation(picked0); });
    connect(m_station1, &QPushButton::clicked, this, [this, picked1] { TakeStation(picked1); });

    m_hint = new CLabel(QStringLiteral("Hinweis: \nVermeiden Sie Abschnittswechsel in genau der Höhe von möglichen "
                                       "abzugsfähigen Überschreitungspunkten."),
                        this);
    m_hint->SetTextColor(kHintColour);
    m_hint->setWordWrap(true);

    m_auswerten = new QCheckBox(QStringLiteral("diesen Streckenabschnitt auswerten"), this);
    m_auswerten->setEnabled(false);
    m_breite = ValueField(this);
    m_grenzwert = ValueField(this);
    m_faktorK = ValueField(this);
    m_einheitspreis = ValueField(this);
    m_fahrbahnoberflaeche = ValueField(this);
    m_surfaceList = new QComboBox(this);
    for (const std::string& choice : SurfaceChoices())
        m_surfaceList->addItem(ToQString(choice));
    m_surfaceList->setEnabled(false);
    connect(m_surfaceList, qOverload<int>(&QComboBox::activated), this, [this](int choice) {
        m_fields.fahrbahnoberflaeche = SurfaceForChoice(choice, m_runDefaultSurface);
        m_fahrbahnoberflaeche->setText(ToQString(m_fields.fahrbahnoberflaeche));
    });
    m_mittlereGeschwindigkeit = ReadOnlyField(this);
    m_varK = ReadOnlyField(this);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    m_cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    m_cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Station"), this), row++, 1);
    grid->addWidget(new QLabel(QStringLiteral("Der Abschnitt beginnt an Position [m]:"), this), row, 0);
    grid->addWidget(m_position, row, 1);
    auto* stationButtons = new QHBoxLayout;
    stationButtons->addWidget(m_station0);
    stationButtons->addWidget(m_station1);
    grid->addLayout(stationButtons, row++, 2);
    grid->addWidget(m_hint, row++, 0, 1, 3);
    grid->addWidget(m_auswerten, row++, 0, 1, 3);
    const auto addField = [&](const char* caption, QWidget* field) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), this), row, 0);
        grid->addWidget(field, row++, 1);
    };
    addField("Breite [cm]:", m_breite);
    addField("Grenzwert [mm]:", m_grenzwert);
    addField("Faktor k:", m_faktorK);
    addField("Einheitspreis [WE/m²]:", m_einheitspreis);
    grid->addWidget(m_surfaceList, row, 2);
    addField("Fahrbahnoberfläche:", m_fahrbahnoberflaeche);
    addField("Mittlere Geschwindigkeit", m_mittlereGeschwindigkeit);
    addField("VarK [%]", m_varK);
    grid->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(buttons);

    ShowFields();
    resize(DialogUnitsToPixels(*this, 328, 222).expandedTo(sizeHint()));
}

void CBreiteAendernDlg::TakeStation(const std::string& picked)
{
    TakePickedStation(m_fields, picked);
    ShowFields();
}

void CBreiteAendernDlg::ShowFields()
{
    m_position->setText(ToQString(m_fields.position));
    m_auswerten->setChecked(m_fields.auswerten);
    m_breite->setText(ToQString(m_fields.breite));
    m_grenzwert->setText(ToQString(m_fields.grenzwert));
    m_faktorK->setText(ToQString(m_fields.faktorK));
    m_einheitspreis->setText(ToQString(m_fields.einheitspreis));
    m_fahrbahnoberflaeche->setText(ToQString(m_fields.fahrbahnoberflaeche));
    m_surfaceList->setCurrentIndex(m_fields.surfaceChoice);
    m_mittlereGeschwindigkeit->setText(ToQString(m_fields.mittlereGeschwindigkeit));
    m_varK->setText(ToQString(m_fields.varK));
}

}  // namespace kurvex
