#include "ModalAnswerer.h"

#include "common/ui/Label.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <vector>

namespace kurvex::exerciser {

namespace {

constexpr int kTickMs = 10;
const char* const kStepsProperty = "exerciserSteps";
const char* const kPatienceProperty = "exerciserPatience";
const char* const kActivationsProperty = "exerciserActivations";

// What a hurried or careless user types into a field.
QString TypedText(Random& random)
{
    static const std::vector<QString> texts = {
        QString(),         QStringLiteral("0"),        QStringLiteral("1"),          QStringLiteral("-5"),
        QStringLiteral("12,5"), QStringLiteral("123.4"), QStringLiteral("1e308"),    QStringLiteral("99999999999"),
        QStringLiteral("-2147483648"), QStringLiteral("abc"), QString::fromUtf8("ü€ß¿"), QStringLiteral("%s%n%d"),
        QStringLiteral("  7 "), QStringLiteral(","),    QStringLiteral("."),          QStringLiteral("-"),
        QString(300, QLatin1Char('9')), QStringLiteral("0,0"), QStringLiteral("123450"), QStringLiteral("12.345,6"),
        QStringLiteral("#"), QStringLiteral(";"),        QStringLiteral("\t"),         QStringLiteral("nan")};
    if (random.Chance(0.3))
        return QString::number(random.Int(-200000, 200000));
    return random.Pick(texts);
}

// Types the text key by key; QTest knows keys for ASCII only, so any other
// character comes as a key event that carries only its text.
void Type(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

template <typename T>
std::vector<T*> Usable(QWidget& window)
{
    std::vector<T*> widgets;
    for (T* widget : window.findChildren<T*>()) {
        if (widget->isVisible() && widget->isEnabled())
            widgets.push_back(widget);
    }
    return widgets;
}

QString Describe(const QWidget& window)
{
    const QString title = window.windowTitle();
    return QString::fromLatin1(window.metaObject()->className()) +
           (title.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(title));
}

}  // namespace

ModalAnswerer::ModalAnswerer(uint64_t seed, Hooks hooks, QObject* parent)
    : QObject(parent), m_random(seed, kAnswerStream), m_hooks(std::move(hooks))
{
    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &ModalAnswerer::Tick);
    m_timer->start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::Count(const QString& what)
{
    ++m_counts[what.toStdString()];
}

void ModalAnswerer::Tick()
{
    if (m_stepQueued)
        return;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == m_held)
        return;
    // The step may open a modal window of its own; run from the event loop, it
    // leaves this timer free to answer that one.
    m_stepQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this, window = QPointer<QWidget>(modal)] {
            m_stepQueued = false;
            if (window && window->isVisible() && window == QApplication::activeModalWidget() && window != m_held)
                Step(window);
        },
        Qt::QueuedConnection);
}

void ModalAnswerer::Step(QWidget* modal)
{
    // A user clicks into a window before using it: a second start may have
    // brought the main window forward over it. Asked a few times, then used anyway.
    const int activations = modal->property(kActivationsProperty).toInt();
    if (!modal->isActiveWindow() && activations < 20) {
        modal->setProperty(kActivationsProperty, activations + 1);
        modal->activateWindow();
        return;
    }
    const int steps = modal->property(kStepsProperty).toInt();
    modal->setProperty(kStepsProperty, steps + 1);
    if (steps == 0) {
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            Count(QStringLiteral("QMessageBox: ") + box->text().left(40).replace(QLatin1Char('\n'), QLatin1Char(' ')));
        else
            Count(QString::fromLatin1(modal->metaObject()->className()));
        if (m_hooks.trace)
            m_hooks.trace(QStringLiteral("  modal: ") + Describe(*modal));
    }
    if (m_hooks.fromOutside && m_random.Chance(0.02)) {
        m_hooks.fromOutside();
        return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        AnswerMessageBox(*box);
    else if (auto* files = qobject_cast<QFileDialog*>(modal))
        AnswerFileDialog(*files);
    else
        FiddleWith(*modal);
}

void ModalAnswerer::AnswerMessageBox(QMessageBox& box)
{
    if (box.property(kStepsProperty).toInt() > 5) {
        box.done(QMessageBox::Cancel);
        return;
    }
    const QList<QAbstractButton*> buttons = box.buttons();
    if (buttons.isEmpty() || m_random.Chance(0.1)) {
        QTest::keyClick(&box, m_random.Chance(0.5) ? Qt::Key_Escape : Qt::Key_Return);
        return;
    }
    buttons.at(m_random.Int(0, static_cast<int>(buttons.size()) - 1))->click();
}

void ModalAnswerer::AnswerFileDialog(QFileDialog& dialog)
{
    const int steps = dialog.property(kStepsProperty).toInt();
    if (steps > 3 || m_random.Chance(0.1)) {
        dialog.reject();
        return;
    }
    const bool save = dialog.acceptMode() == QFileDialog::AcceptSave;
    const QString path = save ? m_hooks.pickSavePath(dialog.defaultSuffix()) : m_hooks.pickOpenFile();
    if (m_hooks.trace)
        m_hooks.trace(QStringLiteral("  file dialog: ") + path);
    // Typed into the name field, which replaces the file selected in the list.
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
        for (QAbstractItemView* list : dialog.findChildren<QAbstractItemView*>())
            list->clearSelection();
        name->setFocus();
        name->setText(path);
    } else {
        dialog.selectFile(path);
    }
    static_cast<QDialog&>(dialog).accept();  // checks the name as the dialog's own button does
}

void ModalAnswerer::FiddleWith(QWidget& window)
{
    int patience = window.property(kPatienceProperty).toInt();
    if (patience == 0) {
        patience = m_random.Int(1, 8);
        window.setProperty(kPatienceProperty, patience);
    }
    const int steps = window.property(kStepsProperty).toInt();
    if (steps > patience) {
        Close(window, steps - patience);
        return;
    }

    switch (m_random.Int(0, 8)) {
    case 0:
    case 1: {  // type into a field
        std::vector<QWidget*> fields;
        for (QLineEdit* edit : Usable<QLineEdit>(window)) {
            if (!edit->isReadOnly())
                fields.push_back(edit);
        }
        for (QAbstractSpinBox* spin : Usable<QAbstractSpinBox>(window))
            fields.push_back(spin);
        for (QPlainTextEdit* edit : Usable<QPlainTextEdit>(window)) {
            if (!edit->isReadOnly())
                fields.push_back(edit);
        }
        if (fields.empty())
            return;
        QWidget* field = m_random.Pick(fields);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        Type(field, TypedText(m_random));
        if (m_random.Chance(0.5))
            QTest::keyClick(field, Qt::Key_Tab);  // leaves the field
        else if (m_random.Chance(0.1))
            QTest::keyClick(field, Qt::Key_Return);
        return;
    }
    case 2:
    case 3: {  // a button or a box
        std::vector<QAbstractButton*> buttons = Usable<QAbstractButton>(window);
        // A button that closes the dialog waits for the closing step more often than not.
        if (buttons.empty())
            return;
        QAbstractButton* button = m_random.Pick(buttons);
        // Buttons that close the dialog mostly wait for the closing step.
        static const QStringList closing = {QStringLiteral("OK"), QStringLiteral("Abbrechen"),
                                            QString::fromUtf8("Schließen"), QStringLiteral("Cancel"),
                                            QStringLiteral("Close"), QStringLiteral("&OK"), QStringLiteral("&Abbrechen")};
        auto* push = qobject_cast<QPushButton*>(button);
        if (push && (push->isDefault() || closing.contains(push->text())) && m_random.Chance(0.7))
            return;
        if (m_hooks.trace)
            m_hooks.trace(QStringLiteral("  click: ") + button->text());
        button->click();
        return;
    }
    case 4: {  // a drop-down list
        const auto combos = Usable<QComboBox>(window);
        if (!combos.empty())
            QTest::keyClick(m_random.Pick(combos), m_random.Chance(0.5) ? Qt::Key_Down : Qt::Key_Up);
        return;
    }
    case 5:
    case 6: {  // a list line: select, move, double-click
        const auto views = Usable<QAbstractItemView>(window);
        if (views.empty())
            return;
        QAbstractItemView* view = m_random.Pick(views);
        QAbstractItemModel* model = view->model();
        if (!model || model->rowCount() == 0)
            return;
        const QModelIndex index = model->index(m_random.Int(0, model->rowCount() - 1), 0);
        view->setCurrentIndex(index);
        view->scrollTo(index);
        if (m_random.Chance(0.4)) {
            const QRect rect = view->visualRect(index);
            if (rect.isValid() && view->viewport()->rect().contains(rect.center())) {
                if (m_hooks.trace)
                    m_hooks.trace(QStringLiteral("  double-click line %1").arg(index.row()));
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, rect.center());
            }
        } else if (m_random.Chance(0.3)) {
            const Qt::Key keys[] = {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home};
            QTest::keyClick(view, keys[m_random.Int(0, 4)]);
        }
        return;
    }
    case 7: {  // a column width
        const auto headers = Usable<QHeaderView>(window);
        if (headers.empty())
            return;
        QHeaderView* header = m_random.Pick(headers);
        if (header->count() == 0)
            return;
        const int section = m_random.Int(0, header->count() - 1);
        if (m_random.Chance(0.5)) {
            header->resizeSection(section, m_random.Int(0, 500));  // its border dragged
            return;
        }
        const int at = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
        if (header->orientation() == Qt::Horizontal && header->sectionSize(section) > 0 && at >= 0 &&
            at < header->viewport()->width())
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(at, header->viewport()->height() / 2));
        return;
    }
    case 8: {  // a link label
        const auto labels = Usable<CLabel>(window);
        if (!labels.empty())
            QTest::mouseClick(m_random.Pick(labels), Qt::LeftButton);
        return;
    }
    }
}

void ModalAnswerer::Close(QWidget& window, int overdue)
{
    auto* dialog = qobject_cast<QDialog*>(&window);
    if (!dialog) {
        window.close();
        return;
    }
    if (overdue > 8) {
        // A dialog that does not close when asked: as the window manager would.
        dialog->done(QDialog::Rejected);
        return;
    }
    if (overdue > 2) {
        dialog->reject();
        return;
    }
    switch (m_random.Int(0, 3)) {
    case 0: dialog->reject(); return;
    case 1: dialog->close(); return;
    case 2: QTest::keyClick(dialog, Qt::Key_Escape); return;
    case 3:
        for (QPushButton* button : Usable<QPushButton>(*dialog)) {
            if (button->isDefault()) {
                button->click();
                return;
            }
        }
        dialog->accept();
        return;
    }
}

}  // namespace kurvex::exerciser
