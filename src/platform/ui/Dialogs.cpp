#include "platform/ui/Dialogs.h"

#include "platform/AppInfo.h"

#include <QColorDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QQueue>

namespace
{
struct TestState
{
    bool enabled = false;
    QQueue<QVariant> answers;
    QList<Dialogs::Shown> shown;
};

TestState& testState()
{
    static TestState state;
    return state;
}

QString captionOrTitle(const QString& caption)
{
    return caption.isEmpty() ? AppInfo::title() : caption;
}

// In test mode: records the dialog and hands back the queued answer, if any.
std::optional<QVariant> takeTestAnswer(const QString& kind, const QString& caption, const QString& text)
{
    TestState& state = testState();
    state.shown.append({kind, caption, text, QString(), QString()});
    if (!state.answers.isEmpty()) {
        return state.answers.dequeue();
    }
    return QVariant();
}
} // namespace

namespace Dialogs
{
void message(QWidget* parent, const QString& text, const QString& caption)
{
    detailedMessage(parent, text, QString(), caption);
}

void detailedMessage(QWidget* parent, const QString& text, const QString& details, const QString& caption)
{
    const QString title = captionOrTitle(caption);
    if (testState().enabled) {
        takeTestAnswer(QStringLiteral("message"), title, text);
        testState().shown.last().details = details;
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    if (!details.isEmpty()) {
        box.setDetailedText(details);
    }
    box.exec();
}

void notice(QWidget* parent, const QString& text, const QString& caption)
{
    const QString title = captionOrTitle(caption);
    if (testState().enabled) {
        takeTestAnswer(QStringLiteral("notice"), title, text);
        return;
    }
    if (parent == nullptr) {
        return;
    }
    // A child of the window, not a window of its own: the window system has
    // no window to activate, so the keyboard stays where the user types.
    QWidget* window = parent->window();
    auto* panel = new QFrame(window);
    panel->setObjectName(QStringLiteral("Notice"));
    panel->setFrameShape(QFrame::Box);
    panel->setFocusPolicy(Qt::NoFocus);
    panel->setAutoFillBackground(true);
    panel->setBackgroundRole(QPalette::ToolTipBase);
    auto* layout = new QVBoxLayout(panel);
    auto* heading = new QLabel(title, panel);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* body = new QLabel(text, panel);
    body->setWordWrap(true);
    body->setForegroundRole(QPalette::ToolTipText);
    auto* ok = new QPushButton(QStringLiteral("OK"), panel);
    ok->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(heading);
    layout->addWidget(body);
    layout->addWidget(ok, 0, Qt::AlignRight);
    QObject::connect(ok, &QPushButton::clicked, panel, [panel] {
        panel->hide();
        panel->deleteLater();
    });
    const int width = qMin(window->width() - 20, 420);
    panel->setFixedWidth(qMax(width, 200));
    panel->adjustSize();
    panel->move((window->width() - panel->width()) / 2, (window->height() - panel->height()) / 3);
    panel->raise();
    panel->show();
}

Answer question(QWidget* parent, const QString& text, const QString& caption, Answer defaultAnswer)
{
    const QString title = captionOrTitle(caption);
    if (testState().enabled) {
        const QVariant answer = *takeTestAnswer(QStringLiteral("question"), title, text);
        return answer.canConvert<Answer>() && answer.isValid() ? answer.value<Answer>() : defaultAnswer;
    }
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(defaultAnswer == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Oui"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Non"));
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial)
{
    if (testState().enabled) {
        const QVariant answer = *takeTestAnswer(QStringLiteral("colour"), QString(), initial.name());
        if (answer.metaType() == QMetaType::fromType<QColor>() && answer.value<QColor>().isValid()) {
            return answer.value<QColor>();
        }
        return std::nullopt;
    }
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

bool choosePrinter(QWidget* parent, QPrinter* printer)
{
    if (testState().enabled) {
        const QVariant answer = *takeTestAnswer(QStringLiteral("printer"), QString(), QString());
        if (answer.metaType() == QMetaType::fromType<QString>()
            || answer.metaType() == QMetaType::fromType<QVariantMap>()) {
            // A file path: the choice of printing to that PDF file; a map
            // {"file", "copies", "from", "to"} adds a number of copies and a
            // range of pages.
            const QVariantMap choice = answer.metaType() == QMetaType::fromType<QString>()
                                           ? QVariantMap{{QStringLiteral("file"), answer}}
                                           : answer.toMap();
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(choice.value(QStringLiteral("file")).toString());
            printer->setCopyCount(choice.value(QStringLiteral("copies"), 1).toInt());
            if (choice.contains(QStringLiteral("from"))) {
                printer->setPrintRange(QPrinter::PageRange);
                printer->setFromTo(choice.value(QStringLiteral("from")).toInt(),
                                   choice.value(QStringLiteral("to")).toInt());
            }
            return true;
        }
        return answer.isValid() ? answer.toBool() : false;
    }
    const std::unique_ptr<QPrintDialog> dialog = printDialog(printer, parent);
    return dialog->exec() == QDialog::Accepted;
}

std::unique_ptr<QPrintDialog> printDialog(QPrinter* printer, QWidget* parent)
{
    auto dialog = std::make_unique<QPrintDialog>(printer, parent);
    // A range of pages is printed as chosen; there is no current page or
    // selection to print.
    dialog->setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog->setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog->setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog;
}

QString chooseFile(QWidget* parent, const QString& caption, const QString& folder, const QString& filter)
{
    if (testState().enabled) {
        const QString answer = takeTestAnswer(QStringLiteral("file"), caption, folder)->toString();
        testState().shown.last().filter = filter;
        return answer;
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString chooseFolder(QWidget* parent, const QString& caption, const QString& folder)
{
    if (testState().enabled) {
        return takeTestAnswer(QStringLiteral("folder"), caption, folder)->toString();
    }
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

namespace Test
{
void setEnabled(bool enabled)
{
    testState().enabled = enabled;
}

bool enabled()
{
    return testState().enabled;
}

void setNextAnswer(const QVariant& answer)
{
    testState().answers.enqueue(answer);
}

void setNextAnswer(Answer answer)
{
    testState().answers.enqueue(QVariant::fromValue(answer));
}

int pendingAnswers()
{
    return static_cast<int>(testState().answers.size());
}

QList<Shown> shown()
{
    return testState().shown;
}

QStringList shownTexts()
{
    QStringList texts;
    for (const Shown& s : testState().shown) {
        texts << s.text;
    }
    return texts;
}

void clear()
{
    testState().answers.clear();
    testState().shown.clear();
}
} // namespace Test
} // namespace Dialogs
