#pragma once
// The lines of a measurement file as the file viewer shows them: the run's file
// text with its UTF-8 umlauts repaired, one row per line. A row is formatted
// only when a view asks for it, so a run of a million lines opens at once.

#include <QAbstractListModel>
#include <QString>

#include <memory>

namespace kurvex {

class CKurvexDoc;

class FileTextModel : public QAbstractListModel {
    Q_OBJECT

public:
    // Tab stops of the viewer, in character columns.
    static constexpr int kTabColumns = 8;

    explicit FileTextModel(QObject* parent = nullptr);
    ~FileTextModel() override;

    // Shows the file text of the document's run and keeps the document alive.
    void SetDocument(std::shared_ptr<const CKurvexDoc> doc);
    // Shows a single line of text instead of a document.
    void SetPlaceholder(const QString& text);
    const std::shared_ptr<const CKurvexDoc>& Document() const { return m_doc; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Row as shown: the file line with its umlauts repaired, without its line
    // end; other control characters show as U+FFFD.
    QString LineText(int row) const;
    // The widest line in character columns (tabs expanded; a UTF-8 pair not
    // yet repaired counts two): it sets the horizontal extent of the view.
    int MaxColumns() const { return m_maxColumns; }

    // How many rows were formatted for display since the last reset (test hook).
    int FormattedRowCount() const { return m_formattedRows; }
    void ResetFormattedRowCount() { m_formattedRows = 0; }

private:
    std::shared_ptr<const CKurvexDoc> m_doc;
    QString m_placeholder;
    int m_rows = 0;
    int m_maxColumns = 0;
    mutable int m_formattedRows = 0;
};

}  // namespace kurvex
