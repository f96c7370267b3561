#include "evaluation/ui/BreitenaendernDlg.h"

#include "common/ui/PersListCtrl.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "evaluation/ui/BreiteAendernDlg.h"
#include "evaluation/ui/DialogUnits.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace kurvex {

namespace {

struct SectionColumn {
    const char* heading;
    int width;
    Qt::Alignment alignment;
};

constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

const SectionColumn kColumns[kSectionListColumns] = {
    {"von [m]", 50, kRight},        {"bis [m]", 50, kRight},     {"ausw.?", 50, kCentre},
    {"Breite [cm]", 70, kRight},    {"Grenzw. [mm]", 80, kRight}, {"Faktor k", 60, kRight},
    {"Einheitspr.", 70, kRight},    {"Fahrbahnob.", 80, kLeft},  {"Mittl. Geschw.", 80, kLeft},
    {"VarK [%]", 80, kLeft},
};

constexpr int kFromColumn = 0;
constexpr int kToColumn = 1;

}  // namespace

// --- Model -------------------------------------------------------------------------

CSectionListModel::CSectionListModel(std::vector<SectionListRow> rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows))
{
}

const std::vector<int>& CSectionListModel::DefaultColumnWidths()
{
    static const std::vector<int> widths = [] {
        std::vector<int> result;
        for (const SectionColumn& column : kColumns)
            result.push_back(column.width);
        return result;
    }();
    return widths;
}

int CSectionListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CSectionListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSectionListColumns;
}

QVariant CSectionListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kSectionListColumns)
        return {};
    if (role == Qt::DisplayRole)
        return ToQString(m_rows[static_cast<size_t>(index.row())][static_cast<size_t>(index.column())]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumns[index.column()].alignment);
    return {};
}

QVariant CSectionListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kSectionListColumns)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(kColumns[section].heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(kColumns[section].alignment);
    return {};
}

// --- Dialog ------------------------------------------------------------------------

CBreitenaendernDlg::CBreitenaendernDlg(const CKurvexDoc& doc, SettingsStore& settings, QWidget* parent)
    : QDialog(parent),
      m_sectionsText(doc.State().SectionsText()),
      m_sections(LoadSectionList(m_sectionsText, doc.State().RangeStart(), doc.State().RangeEnd())),
      m_picked0(doc.PickedStations().Get(0)),
      m_picked1(doc.PickedStations().Get(1)),
      m_runDefaultSurface(doc.State().SurfaceName()),
      m_runSectionDialog([](CBreiteAendernDlg& dialog) { dialog.exec(); })
{
    setWindowTitle(QStringLiteral("Streckenabschnitte bearbeiten"));

    std::vector<SectionListRow> rows;
    for (const Abschnitt& section : m_sections.Sections())
        rows.push_back(SectionListRowOf(section));
    m_list = new CPersListCtrl(this);
    m_list->setAccessibleName(QStringLiteral("Streckenabschnitte"));
    m_list->setModel(new CSectionListModel(std::move(rows), this));
    std::vector<int> widths = ScaledColumnWidths(*m_list, CSectionListModel::DefaultColumnWidths());
    WidenColumnsToTexts(*m_list, widths, {kFromColumn, kToColumn});
    m_list->SetColumnWidths(widths);
    m_list->Restore(settings, kColumnWidthsSection, kBreitenaendernDlgListName);
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            EditSection(index.row());
    });

    m_new = new QPushButton(QStringLiteral("Neu"), this);
    m_new->setEnabled(false);
    m_edit = new QPushButton(QStringLiteral("Bearbeiten"), this);
    m_delete = new QPushButton(QStringLiteral("Löschen"), this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    for (QPushButton* button : {m_new, m_edit, m_delete, m_cancel})
        button->setAutoDefault(false);
    connect(m_edit, &QPushButton::clicked, this, &CBreitenaendernDlg::EditSelected);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(m_new);
    listButtons->addWidget(m_edit);
    listButtons->addWidget(m_delete);
    listButtons->addStretch(1);
    listButtons->addWidget(m_ok);
    listButtons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(listButtons);

    resize(DialogUnitsToPixels(*this, 511, 180));
}

void CBreitenaendernDlg::EditSelected()
{
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    if (!selected.isEmpty())
        EditSection(selected.first().row());
}

void CBreitenaendernDlg::EditSection(int row)
{
    const auto& sections = m_sections.Sections();
    if (row < 0 || static_cast<size_t>(row) >= sections.size())
        return;
    CBreiteAendernDlg dialog(EncodeAbschnitt(sections[static_cast<size_t>(row)]), row == 0, m_picked0, m_picked1,
                             m_runDefaultSurface, this);
    m_runSectionDialog(dialog);
}

void CBreitenaendernDlg::done(int result)
{
    m_list->SaveLayout();
    QDialog::done(result);
}

}  // namespace kurvex
