#pragma once
// The file viewer: the text of the active run's measurement file beside the
// chart, read-only, in Courier New 9 pt on grey. A dock window of the main
// window; it starts hidden. Only the visible lines are ever formatted, so a run
// of a million lines is shown, and left again, at once.

#include <QDockWidget>
#include <QString>

#include <memory>

class QTableView;

namespace kurvex {

class CKurvexDoc;
class FileTextModel;
class FileTextView;

class CNMDateiDlg : public QDockWidget {
    Q_OBJECT

public:
    // Caption and text while no run is active.
    static constexpr const char* kNoFileText = "keine Datei geladen";

    explicit CNMDateiDlg(QWidget* parent = nullptr);
    ~CNMDateiDlg() override;

    // Shows the file text of the document's run with the umlaut repair; the
    // caption is the file name. Keeps the document alive while it shows it.
    // The document already shown stays where it is scrolled to; a null
    // document shows "keine Datei geladen".
    void ShowDocument(std::shared_ptr<const CKurvexDoc> doc);
    // Caption and text "keine Datei geladen".
    void ShowNoFile();

    QString Caption() const;
    int LineCount() const;
    QString LineText(int line) const;
    // The selected lines, each followed by a line feed (a single line without one).
    QString SelectedText() const;

    // Selects one line and scrolls it into view; the focus stays where it is.
    void ShowLine(int line);
    // The line of the current row, -1 when there is none.
    int CurrentLine() const;

    FileTextModel& Model() { return *m_model; }
    QTableView& View();

public Q_SLOTS:
    // Puts the selected lines on the clipboard (Ctrl+C, "Kopieren").
    void CopySelection();
    // "Alles markieren" (Ctrl+A).
    void SelectAll();

Q_SIGNALS:
    // A line was double-clicked or Return was pressed on it.
    void lineChosen(int line);

protected:
    void showEvent(QShowEvent* event) override;

private:
    FileTextModel* m_model = nullptr;
    FileTextView* m_view = nullptr;
    bool m_firstShow = true;
};

}  // namespace kurvex
