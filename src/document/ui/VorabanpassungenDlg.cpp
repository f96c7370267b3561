#include "document/ui/VorabanpassungenDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "common/ui/Label.h"
#include "common/ui/QtText.h"

namespace kurvex {

const QColor CVorabanpassungenDlg::kResultBackground(191, 255, 255);

namespace {

const char* const kIntro =
    "Die Messfahrtdatei wird offensichtlich zum ersten Mal geladen. Deswegen erfolgt hier die Abfrage zu "
    "Datenanpassungen, die zu einem sp\xC3\xA4teren Zeitpunkt nicht mehr m\xC3\xB6glich sind. \n\nSollten Sie keine "
    "\xC3\x84nderungen vornehmen wollen, klicken Sie einfach jetzt OK.";
const char* const kMirrorText =
    "Abfolge der Messwerte \"spiegeln\". Der Startpunkt wird also zum Endpunkt und umgekehrt.";
// Wide enough for a station of kilometres with one decimal.
constexpr int kValueWidth = 90;

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

CLabel* ResultLabel(QWidget* parent)
{
    auto* label = new CLabel(parent);
    label->SetLayout(CLabel::Layout::LeftNoWrap);
    label->setContentsMargins(4, 1, 4, 1);
    label->setMinimumWidth(kValueWidth);
    return label;
}

}  // namespace

CVorabanpassungenDlg::CVorabanpassungenDlg(int32_t fileStart, int32_t fileEnd, QWidget* parent)
    : QDialog(parent), m_model(fileStart, fileEnd)
{
    setObjectName(QStringLiteral("VorabanpassungenDlg"));
    setWindowTitle(QStringLiteral("Datenanpassungen"));
    setModal(true);

    auto* intro = new QLabel(Utf8(kIntro), this);
    intro->setWordWrap(true);

    // The stations as the file has them and, beside them, as they will result.
    auto* stations = new QGroupBox(QStringLiteral("Kilometrierung"), this);
    auto* grid = new QGridLayout(stations);
    grid->addWidget(new QLabel(QStringLiteral("lt. Messfahrtdatei"), stations), 0, 1);
    m_stateHeading = new QLabel(stations);
    m_stateHeading->setObjectName(QStringLiteral("StateHeading"));
    grid->addWidget(m_stateHeading, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Start [m]:"), stations), 1, 0);
    m_fileStart = new QLabel(ToQString(m_model.FileStartText()), stations);
    m_fileStart->setMinimumWidth(kValueWidth);
    grid->addWidget(m_fileStart, 1, 1);
    m_resultStart = ResultLabel(stations);
    m_resultStart->setObjectName(QStringLiteral("ResultStart"));
    grid->addWidget(m_resultStart, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Ende [m]:"), stations), 2, 0);
    m_fileEnd = new QLabel(ToQString(m_model.FileEndText()), stations);
    m_fileEnd->setMinimumWidth(kValueWidth);
    grid->addWidget(m_fileEnd, 2, 1);
    m_resultEnd = ResultLabel(stations);
    m_resultEnd->setObjectName(QStringLiteral("ResultEnd"));
    grid->addWidget(m_resultEnd, 2, 2);
    grid->setColumnStretch(3, 1);
    grid->setHorizontalSpacing(16);

    // The new start and direction, switched on by "Kilometrierung anpassen".
    m_adjustBox = new QCheckBox(QStringLiteral("Kilometrierung anpassen"), this);
    auto* adjustGrid = new QGridLayout;
    adjustGrid->setContentsMargins(24, 0, 0, 0);
    m_newStartLabel = new QLabel(QStringLiteral("Start [m]:"), this);
    m_startEdit = new QLineEdit(ToQString(m_model.FileStartText()), this);
    m_startEdit->setObjectName(QStringLiteral("NewStart"));
    m_newStartLabel->setBuddy(m_startEdit);
    m_newEndLabel = new QLabel(QStringLiteral("Ende [m]:"), this);
    m_endEdit = new QLineEdit(ToQString(m_model.NewEndText()), this);
    m_endEdit->setObjectName(QStringLiteral("NewEnd"));
    m_endEdit->setReadOnly(true);
    m_endEdit->setFocusPolicy(Qt::ClickFocus);
    m_newEndLabel->setBuddy(m_endEdit);
    for (QLineEdit* edit : {m_startEdit, m_endEdit})
        edit->setFixedWidth(110);
    m_ascendingBox = new QCheckBox(QStringLiteral("Aufsteigend"), this);
    m_ascendingBox->setChecked(m_model.Ascending());
    adjustGrid->addWidget(m_newStartLabel, 0, 0);
    adjustGrid->addWidget(m_startEdit, 0, 1);
    adjustGrid->addWidget(m_newEndLabel, 1, 0);
    adjustGrid->addWidget(m_endEdit, 1, 1);
    adjustGrid->addWidget(m_ascendingBox, 2, 1);
    adjustGrid->setColumnStretch(2, 1);

    m_mirrorBox = new QCheckBox(Utf8(kMirrorText), this);

    // The layout's cancel button is hidden: the dialog is left with OK.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    m_okButton = buttons->button(QDialogButtonBox::Ok);
    m_okButton->setText(QStringLiteral("OK"));
    m_okButton->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addWidget(stations);
    layout->addSpacing(6);
    layout->addWidget(m_adjustBox);
    layout->addLayout(adjustGrid);
    layout->addSpacing(6);
    layout->addWidget(m_mirrorBox);
    layout->addStretch(1);
    layout->addWidget(buttons);

    OnAdjustToggled(false);
    ShowState();
    setMinimumWidth(540);
    // A form of fixed content: nothing gains from resizing it.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_startEdit, &QLineEdit::textChanged, this, &CVorabanpassungenDlg::OnStartEdited);
    connect(m_startEdit, &QLineEdit::editingFinished, this, &CVorabanpassungenDlg::OnStartLeft);
    connect(m_adjustBox, &QCheckBox::toggled, this, &CVorabanpassungenDlg::OnAdjustToggled);
    connect(m_ascendingBox, &QCheckBox::toggled, this, &CVorabanpassungenDlg::OnAscendingToggled);
    connect(m_mirrorBox, &QCheckBox::toggled, this, &CVorabanpassungenDlg::OnMirrorToggled);
    connect(buttons, &QDialogButtonBox::accepted, this, &CVorabanpassungenDlg::accept);
}

CVorabanpassungenDlg::~CVorabanpassungenDlg() = default;

FirstLoadAnswer CVorabanpassungenDlg::Ask(QWidget* parent, int32_t fileStart, int32_t fileEnd)
{
    CVorabanpassungenDlg dialog(fileStart, fileEnd, parent);
    dialog.exec();
    return dialog.Answer();
}

void CVorabanpassungenDlg::NameFile(const QString& fileName)
{
    setWindowTitle(QStringLiteral("Datenanpassungen – ") + fileName);
}

FirstLoadAnswer CVorabanpassungenDlg::Answer() const
{
    FirstLoadAnswer answer;
    answer.mirror = m_model.Mirror();
    if (m_confirmed)
        answer.kilometreAdjustment = m_model.OkResult();
    return answer;
}

void CVorabanpassungenDlg::accept()
{
    m_confirmed = true;
    QDialog::accept();
}

void CVorabanpassungenDlg::OnStartEdited(const QString& text)
{
    m_model.SetStartText(ToCp1252(text));
    ShowEnd();
    ShowState();
}

void CVorabanpassungenDlg::OnStartLeft()
{
    // Shows the start as it was understood; the value itself stays.
    const QSignalBlocker blocker(m_startEdit);
    m_startEdit->setText(ToQString(m_model.NewStartText()));
}

void CVorabanpassungenDlg::OnAdjustToggled(bool on)
{
    m_model.SetAdjust(on);
    for (QWidget* control : {static_cast<QWidget*>(m_startEdit), static_cast<QWidget*>(m_endEdit),
                             static_cast<QWidget*>(m_ascendingBox), static_cast<QWidget*>(m_newStartLabel),
                             static_cast<QWidget*>(m_newEndLabel)})
        control->setEnabled(on);
    ShowEnd();
    ShowState();
}

void CVorabanpassungenDlg::OnAscendingToggled(bool on)
{
    m_model.SetAscending(on);
    ShowEnd();
    ShowState();
}

void CVorabanpassungenDlg::OnMirrorToggled(bool on)
{
    m_model.SetMirror(on);
    ShowState();
}

void CVorabanpassungenDlg::ShowEnd()
{
    m_endEdit->setText(ToQString(m_model.NewEndText()));
}

void CVorabanpassungenDlg::ShowState()
{
    m_stateHeading->setText(ToQString(m_model.StateHeading()));
    m_resultStart->setText(ToQString(m_model.ShownStartText()));
    m_resultEnd->setText(ToQString(m_model.ShownEndText()));
    const QColor background = m_model.ShowsResult() ? kResultBackground : QColor();
    m_resultStart->SetBkColor(background);
    m_resultEnd->SetBkColor(background);
}

}  // namespace kurvex
