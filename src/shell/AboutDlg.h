#pragma once
// "Info über Kurvex": the program, its version and maker, and how to reach the
// maker: postal and telephone contact, a mail link and a web link.

#include <QDialog>

class QPlainTextEdit;

namespace kurvex {

class CLabel;

class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

    // "Kurvex 4.5.49"
    QString ProgramLine() const;
    CLabel& MailLink() { return *m_mailLink; }
    CLabel& WebLink() { return *m_webLink; }
    QPlainTextEdit& ContactBox() { return *m_contact; }

private:
    CLabel* m_mailLink = nullptr;
    CLabel* m_webLink = nullptr;
    QPlainTextEdit* m_contact = nullptr;
    QString m_programLine;
};

}  // namespace kurvex
