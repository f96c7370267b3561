#include "evaluation/ui/AuswertungDlg.h"

#include "common/ui/ExListCtrl.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "evaluation/ui/DialogUnits.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvex {

namespace {

constexpr int kColumnCount = kRowBemerkung + 1;

}  // namespace

const QString& EvaluationColumnHeading(int column)
{
    static const QString headings[kColumnCount] = {
        QStringLiteral("Nr."),           QStringLiteral("Seite"),  QStringLiteral("Station [m]"),
        QStringLiteral("Breite"),        QStringLiteral("Messwert [mm]"), QStringLiteral("p [mm]"),
        QStringLiteral("p² [mm]"),       QStringLiteral("Geschw. [km/h]"), QStringLiteral("Bemerkung"),
    };
    return headings[column];
}

// --- Model -------------------------------------------------------------------------

CEvaluationListModel::CEvaluationListModel(std::unique_ptr<EvaluationList> list, QObject* parent)
    : QAbstractTableModel(parent), m_list(std::move(list))
{
}

const std::vector<int>& CEvaluationListModel::DefaultColumnWidths()
{
    // "Seite" starts at no width: it is there for whoever widens it.
    static const std::vector<int> widths{40, 0, 100, 40, 90, 50, 50, 100, 270};
    return widths;
}

int CEvaluationListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_list->LineCount();
}

int CEvaluationListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

const EvaluationListRow& CEvaluationListModel::Row(int i) const
{
    auto found = m_rows.find(i);
    if (found == m_rows.end())
        found = m_rows.emplace(i, m_list->Row(i)).first;
    return found->second;
}

QVariant CEvaluationListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return ToQString(RowCellText(Row(index.row()), index.column()));
    case kLineCountsRole:
        return RowCounts(Row(index.row()).counts);
    case Qt::ToolTipRole:
        // A long remark is cut in its line; the tip shows it whole.
        if (index.column() == kRowBemerkung && !Row(index.row()).bemerkung.empty())
            return ToQString(ReplacedAll(Row(index.row()).bemerkung, kStoredLineBreak, "\n"));
        return {};
    default:
        return {};
    }
}

QVariant CEvaluationListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return EvaluationColumnHeading(section);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

// --- Dialog ------------------------------------------------------------------------

CAuswertungDlg::CAuswertungDlg(CKurvexDoc& doc, SettingsStore& settings, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Auswertung Überschreitungen und Abzüge"));

    m_list = new CExListCtrl(this);
    m_list->setAccessibleName(QStringLiteral("Überschreitungen und Abzüge"));
    m_model = new CEvaluationListModel(
        std::make_unique<EvaluationList>(doc.Exceedances(), doc.State(), doc.ExcludedRanges()), this);
    m_list->setModel(m_model);
    m_list->SetColumnWidths(ScaledColumnWidths(*m_list, CEvaluationListModel::DefaultColumnWidths()));
    m_list->Restore(settings, kColumnWidthsSection, kAuswertungDlgListName);
    // Double-click and F7 were meant for editing; the list only shows.

    auto* hintEdit = new QLabel(QStringLiteral("Doppelklick auf einen Eintrag, um einzelne Überschreitung zu bearbeiten"), this);
    auto* hintTakeOver = new QLabel(
        QStringLiteral("Taste F7, um Bemerkung und Berücksichtigungsstatus der Überschreitung darüber zu übernehmen"), this);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(hintEdit);
    layout->addWidget(hintTakeOver);
    layout->addWidget(buttons);

    resize(DialogUnitsToPixels(*this, 468, 282));
}

void CAuswertungDlg::done(int result)
{
    m_list->SaveLayout();
    QDialog::done(result);
}

}  // namespace kurvex
