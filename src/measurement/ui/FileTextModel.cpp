#include "measurement/ui/FileTextModel.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include "common/TextHelpers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"

namespace kurvex {

FileTextModel::FileTextModel(QObject* parent) : QAbstractListModel(parent)
{
}

FileTextModel::~FileTextModel() = default;

void FileTextModel::SetDocument(std::shared_ptr<const CKurvexDoc> doc)
{
    beginResetModel();
    m_doc = std::move(doc);
    m_placeholder.clear();
    const size_t lines = m_doc ? m_doc->Run().FileTextLineCount() : 0;
    m_rows = static_cast<int>(std::min<size_t>(lines, INT_MAX));
    // Found from the points, without making a line: a million lines cost no time here.
    const size_t columns = m_doc ? m_doc->Run().FileTextColumns(kTabColumns) : 0;
    m_maxColumns = static_cast<int>(std::min<size_t>(columns, INT_MAX));
    m_formattedRows = 0;
    endResetModel();
}

void FileTextModel::SetPlaceholder(const QString& text)
{
    beginResetModel();
    m_doc.reset();
    m_placeholder = text;
    m_rows = 1;
    m_maxColumns = static_cast<int>(text.size());
    m_formattedRows = 0;
    endResetModel();
}

int FileTextModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

QVariant FileTextModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows)
        return {};
    ++m_formattedRows;
    return LineText(index.row());
}

QString FileTextModel::LineText(int row) const
{
    if (row < 0 || row >= m_rows)
        return {};
    if (!m_doc)
        return m_placeholder;
    std::string_view line = m_doc->Run().FileTextLine(static_cast<size_t>(row));
    // Lines of the device formats that no reader rewrote keep their CR LF.
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    QString text = ToQString(RepairUmlauts(line));
    for (QChar& c : text) {
        if ((c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7F)
            c = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

}  // namespace kurvex
