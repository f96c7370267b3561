#include "measurement/ui/FileTextModel.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

#include "common/TextHelpers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"

namespace kurvex {

namespace {

// Columns of a line with tabs expanded. Bytes count one column each, so a
// UTF-8 pair not yet repaired counts two: an upper bound is all the view needs.
int Columns(std::string_view line)
{
    if (std::memchr(line.data(), '\t', line.size()) == nullptr)
        return static_cast<int>(std::min<size_t>(line.size(), INT_MAX));
    size_t columns = 0;
    for (const char c : line)
        columns = c == '\t' ? (columns / FileTextModel::kTabColumns + 1) * FileTextModel::kTabColumns : columns + 1;
    return static_cast<int>(std::min<size_t>(columns, INT_MAX));
}

int WidestLine(const CMessFahrtDaten& run)
{
    int widest = 0;
    for (size_t i = 0; i < run.FileTextLineCount(); ++i)
        widest = std::max(widest, Columns(run.FileTextLine(i)));
    return widest;
}

}  // namespace

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
    m_maxColumns = m_doc ? WidestLine(m_doc->Run()) : 0;
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
