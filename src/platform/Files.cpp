#include "platform/Files.h"

#include "platform/NoCase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <unistd.h>

namespace
{
// Windows-1252 bytes 0x80..0x9F; the rest of the code page is Latin-1.
// Unassigned bytes map to the control characters of the same value.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The Windows-1252 byte of a character, or none when the code page lacks it.
std::optional<char> cp1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        return static_cast<char>(u);
    }
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == u) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

bool& renameRefused()
{
    static bool refused = false;
    return refused;
}

bool& diskFull()
{
    static bool full = false;
    return full;
}

QString writeError(const QString& path, const QString& reason)
{
    return QStringLiteral("Impossible d'écrire le fichier « %1 » (%2).").arg(Files::displayPath(path), reason);
}

// Gives the open file `fd` the owner and group of `existing`, the file it
// replaces, where the system allows (root may; another user only a group of
// his own); else the saving user keeps it.
void keepOwner(int fd, const struct stat& existing)
{
    if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
    }
}

void keepOwner(const QSaveFile& file, const QString& path)
{
    struct stat existing{};
    if (file.handle() >= 0 && ::stat(QFile::encodeName(path).constData(), &existing) == 0) {
        keepOwner(file.handle(), existing);
    }
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

struct StagedHandle
{
    int fd = -1;
    QString path;
};

// Opens a new file "<target>.XXXXXX.en-cours". Where `target` exists, the file
// is made private, then given its owner and mode; else the system creates it
// with the mode of any new file (0666 less the umask).
Result<StagedHandle> openStaged(const QString& target)
{
    static const QByteArray letters("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    const QString base = QFileInfo(target).absoluteFilePath();
    struct stat existing{};
    const bool replaces = ::stat(QFile::encodeName(target).constData(), &existing) == 0;
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        QByteArray unique(6, 'X');
        for (char& c : unique) {
            c = letters.at(static_cast<int>(QRandomGenerator::global()->bounded(letters.size())));
        }
        const QString path = base + QLatin1Char('.') + QString::fromLatin1(unique) + Files::StagedSuffix;
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                              replaces ? 0600 : 0666);
        if (fd >= 0) {
            if (replaces) {
                keepOwner(fd, existing);
                (void)::fchmod(fd, existing.st_mode & 07777);
            }
            return StagedHandle{fd, path};
        }
        error = errno;
    }
    return Result<StagedHandle>::failure(writeError(target, systemReason(error)));
}

struct AtomicAttempt
{
    Status status;
    // The folder refused the temporary file or the rename.
    bool folderRefused = false;
};

AtomicAttempt replaceThroughRename(const QString& path, const QByteArray& bytes)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        return {Status::failure(QStringLiteral("Le dossier « %1 » n'existe pas.")
                                    .arg(Files::displayPath(info.absolutePath()))),
                false};
    }
    QSaveFile file(path);
    // Unbuffered: a write the disk refuses (full, quota) fails here and is
    // never put in place; a buffered one would fail unseen at the commit.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return {Status::failure(writeError(path, file.errorString())), !QFileInfo(info.absolutePath()).isWritable()};
    }
    keepOwner(file, path);
    if (diskFull()) {
        file.cancelWriting();
        return {Status::failure(writeError(path, QStringLiteral("Aucun espace disponible sur le périphérique"))), false};
    }
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {Status::failure(writeError(path, reason)), false};
    }
    if (renameRefused()) {
        file.cancelWriting();
        return {Status::failure(QStringLiteral("Impossible d'enregistrer le fichier « %1 » (Permission non accordée).")
                                    .arg(Files::displayPath(path))),
                true};
    }
    if (!file.commit()) {
        return {Status::failure(QStringLiteral("Impossible d'enregistrer le fichier « %1 » (%2).")
                                    .arg(Files::displayPath(path), file.errorString())),
                file.error() == QFileDevice::RenameError};
    }
    Files::syncFolder(info.absolutePath());
    return {Status::success(), false};
}

// Cuts an existing file to nothing and writes it again: the file keeps its
// owner and mode, but a reader may see it half-written. A write that fails
// (a full disk, a spent quota) puts the former bytes back, as far as it can.
Status writeInPlace(const QString& path, const QByteArray& bytes)
{
    // Bytes that cannot be put back are not cut.
    const Result<QByteArray> former = Files::readAll(path);
    if (!former) {
        return former.status();
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Status::failure(writeError(path, file.errorString()));
    }
    QString reason;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        reason = file.errorString();
    } else if (::fsync(file.handle()) != 0) {
        reason = systemReason(errno);
    } else {
        return Status::success();
    }
    file.close();
    QFile restored(path);
    if (restored.open(QIODevice::WriteOnly | QIODevice::Truncate) && restored.write(*former) == former->size()
        && restored.flush()) {
        (void)::fsync(restored.handle());
    }
    return Status::failure(writeError(path, reason));
}

QString fileError(const QString& path, const QString& what)
{
    return QStringLiteral("%1 : « %2 ».").arg(what, Files::displayPath(path));
}
} // namespace

namespace Files
{
QString joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty()) {
        return name;
    }
    if (folder.endsWith(QLatin1Char('/'))) {
        return folder + name;
    }
    return folder + QLatin1Char('/') + name;
}

QString findFileNoCase(const QString& folder, const QString& name)
{
    const QString exact = joinPath(folder, name);
    if (QFileInfo::exists(exact)) {
        return exact;
    }
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QString entry = NoCase::find(dir.entryList(QDir::Files | QDir::Hidden | QDir::System), name);
    return entry.isEmpty() ? exact : joinPath(folder, entry);
}

QByteArray encodeCp1252(const QString& text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        bytes.append(cp1252Byte(c.unicode()).value_or('?'));
    }
    return bytes;
}

bool fitsCp1252(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return cp1252Byte(c.unicode()).has_value(); });
}

QString decodeCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u <= 0x9F) {
            text.append(QChar(Cp1252High[u - 0x80]));
        } else {
            text.append(QChar(static_cast<char16_t>(u)));
        }
    }
    return text;
}

Result<QByteArray> readAll(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return Result<QByteArray>::failure(fileError(path, QStringLiteral("Fichier introuvable")));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        return Result<QByteArray>::failure(
            QStringLiteral("Impossible d'ouvrir le fichier « %1 » (%2).")
                .arg(displayPath(path), file.errorString()));
    }
    return file.readAll();
}

Status writeAtomically(const QString& path, const QByteArray& bytes)
{
    return replaceThroughRename(path, bytes).status;
}

Status replaceFile(const QString& path, const QByteArray& bytes)
{
    const AtomicAttempt atomic = replaceThroughRename(path, bytes);
    if (atomic.status || !atomic.folderRefused || !QFileInfo(path).isFile()) {
        return atomic.status;
    }
    return writeInPlace(path, bytes);
}

Status copyAtomically(const QString& source, const QString& target)
{
    const Result<QByteArray> bytes = readAll(source);
    if (!bytes) {
        return bytes.status();
    }
    return writeAtomically(target, *bytes);
}

Status renameOver(const QString& source, const QString& target)
{
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(target);
    const int fd = ::open(from.constData(), O_RDONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    const int flushError = errno;
    if (fd >= 0) {
        ::close(fd);
    }
    if (!flushed) {
        return Status::failure(QStringLiteral("Impossible d'enregistrer le fichier « %1 » (%2).")
                                   .arg(displayPath(source), QString::fromLocal8Bit(std::strerror(flushError))));
    }
    if (std::rename(from.constData(), to.constData()) != 0) {
        return Status::failure(QStringLiteral("Impossible de remplacer le fichier « %1 » (%2).")
                                   .arg(displayPath(target), QString::fromLocal8Bit(std::strerror(errno))));
    }
    syncFolder(QFileInfo(target).absolutePath());
    return Status::success();
}

Result<QString> createStaged(const QString& target)
{
    const Result<StagedHandle> staged = openStaged(target);
    if (!staged) {
        return staged.status();
    }
    ::close(staged->fd);
    return staged->path;
}

Result<QString> stageFile(const QString& target, const QByteArray& bytes)
{
    const Result<StagedHandle> opened = openStaged(target);
    if (!opened) {
        return opened.status();
    }
    QFile staged;
    staged.open(opened->fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    const bool written = staged.write(bytes) == bytes.size() && staged.flush() && ::fsync(staged.handle()) == 0;
    const QString reason = staged.errorString();
    staged.close();
    if (!written) {
        QFile::remove(opened->path);
        return Result<QString>::failure(writeError(target, reason));
    }
    return opened->path;
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::optional<FileIdentity> identity(const QString& path)
{
    struct stat info{};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{static_cast<quint64>(info.st_dev), static_cast<quint64>(info.st_ino)};
}

bool sameFile(const QString& a, const QString& b)
{
    const std::optional<FileIdentity> first = identity(a);
    return first && first == identity(b);
}

QString displayPath(const QString& path)
{
    return QDir::fromNativeSeparators(path);
}

namespace Test
{
void setRenameRefused(bool refused)
{
    renameRefused() = refused;
}

void setDiskFull(bool full)
{
    diskFull() = full;
}
} // namespace Test
} // namespace Files
