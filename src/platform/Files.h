#pragma once

#include "platform/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// Files as the program uses them: names matched without regard to case,
// Windows-1252 text, and files replaced whole and atomically.
namespace Files
{
// Joins a folder and a file name with the native "/" separator.
QString joinPath(const QString& folder, const QString& name);

// The path of the file called `name` in `folder`, whatever the case of its
// letters on disk ("utilisat.vlk" finds Utilisat.vlk). When no such file
// exists, the folder joined with `name` as given.
QString findFileNoCase(const QString& folder, const QString& name);

// Windows-1252, the code page of the practice's workstations. Characters the
// code page cannot hold are written as "?".
QByteArray encodeCp1252(const QString& text);
QString decodeCp1252(const QByteArray& bytes);
// Whether the code page holds every character of `text`.
bool fitsCp1252(QStringView text);

// Reads a whole file; fails when it is missing or cannot be opened.
Result<QByteArray> readAll(const QString& path);

// Every writer below leaves a file that other workstations can read as they
// read any other file of the folder: a replaced file keeps its mode, and its
// owner and group where the system allows; a created file gets the mode of a
// new file under the process's umask (0666 less the umask), never the private
// mode of a temporary file.

// Replaces (or creates) a file whole: the bytes are written beside it and
// renamed over it, so no reader ever sees a half-written file.
Status writeAtomically(const QString& path, const QByteArray& bytes);

// Replaces (or creates) a file whole as writeAtomically does where the folder
// allows it. Where the folder refuses the temporary file or the rename (a
// read-only shared folder holding a writable file), an existing file is
// rewritten in place instead, keeping its owner and mode; should that write
// fail, the file gets its former bytes back as far as the disk allows (a file
// whose bytes cannot be read first is left alone).
Status replaceFile(const QString& path, const QByteArray& bytes);

// Copies a file over another one atomically (the copy is written beside the
// target, then renamed over it).
Status copyAtomically(const QString& source, const QString& target);

// Puts a finished file in place: its bytes are flushed to the disk, then it
// is renamed over `target` in one step (an existing target is replaced whole,
// never seen half-written) and the folder is flushed, so that the rename
// outlives a power cut. Both lie in the same folder.
Status renameOver(const QString& source, const QString& target);

// Creates a new empty file beside `target` ("<target>.XXXXXX.en-cours") with
// the mode (and owner) that `target` has or would get; its path. renameOver
// then puts it in place. A staged file left by a crash never carries the
// target's name.
Result<QString> createStaged(const QString& target);

// createStaged, with `bytes` written into it and flushed to the disk.
Result<QString> stageFile(const QString& target, const QByteArray& bytes);
// The suffix of staged files.
inline const QString StagedSuffix = QStringLiteral(".en-cours");

// Flushes a folder's entries (renames, new files) to the disk.
void syncFolder(const QString& folder);

// A file as the system knows it: its device and inode, links resolved. Two
// paths (a symbolic link, a hard link, a bind mount, "..") name one file
// exactly when their identities are equal.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
// None when nothing exists at the path.
std::optional<FileIdentity> identity(const QString& path);

// True when both paths name one existing file or folder, by identity.
bool sameFile(const QString& a, const QString& b);

// Paths for messages: the native "/" separator.
QString displayPath(const QString& path);

namespace Test
{
// Makes the rename of every atomic replace fail as a folder refusing it
// would: the tests run as root, whom no folder refuses.
void setRenameRefused(bool refused);
// Makes every atomic replace fail as a full disk would, before its file is
// put in place.
void setDiskFull(bool full);
} // namespace Test
} // namespace Files
