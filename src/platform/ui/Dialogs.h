#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <optional>

class QPrintDialog;
class QPrinter;
class QWidget;

// Every message box and common dialog of the program goes through here, so
// that tests can answer them without a window ever blocking.
namespace Dialogs
{
enum class Answer { Ok, Yes, No, Cancel };

// A modal message box with an OK button only; the caption is the program's
// title unless another is given.
void message(QWidget* parent, const QString& text, const QString& caption = QString());
// The same with the box's details (the engine's own words, for whoever
// looks further), shown only on request.
void detailedMessage(QWidget* parent, const QString& text, const QString& details,
                     const QString& caption = QString());
// A message that takes no keystroke, for a warning that comes up in the
// middle of typing: a box drawn inside the parent's window (objectName
// "Notice"), never given the keyboard, closed by its OK button with the
// mouse, while typing goes on where it was (Enter and Space included).
void notice(QWidget* parent, const QString& text, const QString& caption = QString());
// A modal Yes/No question with the question-mark icon; Yes is the default
// button unless `defaultAnswer` says No.
Answer question(QWidget* parent, const QString& text, const QString& caption = QString(),
                Answer defaultAnswer = Answer::Yes);
// The colour chooser, opening on `initial`; nothing when cancelled.
std::optional<QColor> chooseColour(QWidget* parent, const QColor& initial);
// The printer choice; false when cancelled.
bool choosePrinter(QWidget* parent, QPrinter* printer);
// The printer dialog choosePrinter shows: printer, copies, a range of pages
// and file, but no current page or selection.
std::unique_ptr<QPrintDialog> printDialog(QPrinter* printer, QWidget* parent);
// A file to open; empty when cancelled.
QString chooseFile(QWidget* parent, const QString& caption, const QString& folder,
                   const QString& filter);
// A folder; empty when cancelled.
QString chooseFolder(QWidget* parent, const QString& caption, const QString& folder);

// What the dialogs showed, for tests.
struct Shown
{
    QString kind; // "message", "notice", "question", "colour", "printer", "file", "folder"
    QString caption;
    QString text;
    QString filter; // the file chooser's filters
    QString details; // a message's details
};

namespace Test
{
// While on, no dialog is ever shown: each takes the next queued answer, or
// its default (OK, Yes, cancel) when none is queued, and is recorded.
void setEnabled(bool enabled);
bool enabled();
// Queues the answer of the next dialog: an Answer for a box, a QColor (or an
// invalid QVariant for cancel) for the colour chooser, a bool or the path of
// a PDF file to print to for the printer, a QString for the file and folder
// choosers (for the printer also a map {"file": path, "copies": n, "from": p,
// "to": q}).
void setNextAnswer(const QVariant& answer);
void setNextAnswer(Answer answer);
int pendingAnswers();
QList<Shown> shown();
QStringList shownTexts();
void clear();
} // namespace Test
} // namespace Dialogs

Q_DECLARE_METATYPE(Dialogs::Answer)
