#include "shell/AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include "chart/Supplier.h"
#include "common/ui/Label.h"
#include "common/ui/QtText.h"
#include "shell/KurvexApp.h"

namespace kurvex {

namespace {

const char* const kDescription = "Programm zur Darstellung und Auswertung der \nMessdaten von Planografen";
// The maker's office is a placeholder like the rest of the supplier data.
const char* const kPostalAddress = "Musterstra\xC3\x9F" "e 1\n00000 Musterstadt";
const QColor kLinkColour(0, 0, 255);
constexpr int kIconSize = 48;

// "E-Mail: info@..." -> "info@..."
QString AddressAfterLabel(const char* labelled)
{
    const QString text = ToQString(labelled);
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    return (colon < 0 ? text : text.mid(colon + 1)).trimmed();
}

QString ContactText()
{
    QString phoneFax = ToQString(kSupplierPhoneFax);
    phoneFax.replace(QStringLiteral("  Fax"), QStringLiteral("\nFax"));
    return ToQString(kSupplierName) + QLatin1Char('\n') + QString::fromUtf8(kPostalAddress) + QStringLiteral("\n\n")
           + phoneFax;
}

CLabel* LinkLabel(const QString& text, QWidget* parent)
{
    auto* label = new CLabel(text, parent);
    label->SetLayout(CLabel::Layout::LeftNoWrap);
    label->SetTextColor(kLinkColour);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    label->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent), m_programLine(FrameTitle())
{
    setObjectName(QStringLiteral("AboutDlg"));
    setWindowTitle(QStringLiteral("Info \u00FCber Kurvex"));
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(kIconSize, kIconSize));
    icon->setFixedSize(kIconSize, kIconSize);
    icon->setAlignment(Qt::AlignTop);

    auto* program = new QLabel(m_programLine, this);
    program->setObjectName(QStringLiteral("ProgramLine"));
    QFont bold = program->font();
    bold.setBold(true);
    program->setFont(bold);
    auto* maker = new QLabel(QStringLiteral("Copyright \u00A9 ") + ToQString(kSupplierName), this);
    maker->setObjectName(QStringLiteral("MakerLine"));
    auto* description = new QLabel(QString::fromUtf8(kDescription), this);
    description->setObjectName(QStringLiteral("Description"));

    auto* heading = new QVBoxLayout;
    heading->addWidget(program);
    heading->addWidget(maker);
    heading->addSpacing(8);
    heading->addWidget(description);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto* service = new QLabel(QStringLiteral("Entwicklung, Vertrieb und Service:"), this);
    m_contact = new QPlainTextEdit(ContactText(), this);
    m_contact->setObjectName(QStringLiteral("Contact"));
    m_contact->setAccessibleName(QStringLiteral("Entwicklung, Vertrieb und Service"));
    m_contact->setReadOnly(true);
    m_contact->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_contact->setTabChangesFocus(true);
    // Tall enough for every line, so the box needs no scroll bar.
    const QFontMetrics metrics(m_contact->font());
    const int lines = m_contact->document()->blockCount();
    m_contact->setFixedHeight(metrics.lineSpacing() * lines
                              + static_cast<int>(2 * m_contact->document()->documentMargin())
                              + 2 * m_contact->frameWidth() + 4);
    m_contact->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    const QString mail = AddressAfterLabel(kSupplierMail);
    const QString web = ToQString(kSupplierWeb);
    m_mailLink = LinkLabel(mail, this);
    m_mailLink->setObjectName(QStringLiteral("MailLink"));
    m_mailLink->SetMailLink(true);
    m_mailLink->setToolTip(QStringLiteral("mailto:") + mail);
    m_webLink = LinkLabel(web, this);
    m_webLink->setObjectName(QStringLiteral("WebLink"));
    m_webLink->SetLink(true);
    m_webLink->SetLinkTarget(QStringLiteral("https://") + web + QLatin1Char('/'));
    m_webLink->setToolTip(m_webLink->LinkTarget());

    auto* links = new QGridLayout;
    links->addWidget(new QLabel(QStringLiteral("E-Mail:"), this), 0, 0);
    links->addWidget(m_mailLink, 0, 1, Qt::AlignLeft);
    links->addWidget(new QLabel(QStringLiteral("direkt zur Website:"), this), 1, 0);
    links->addWidget(m_webLink, 1, 1, Qt::AlignLeft);
    links->setColumnStretch(1, 1);
    links->setHorizontalSpacing(12);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(separator);
    layout->addSpacing(6);
    layout->addWidget(service);
    layout->addWidget(m_contact);
    layout->addSpacing(6);
    layout->addLayout(links);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    // A form of fixed content: nothing gains from resizing it.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

CAboutDlg::~CAboutDlg() = default;

QString CAboutDlg::ProgramLine() const
{
    return m_programLine;
}

}  // namespace kurvex
