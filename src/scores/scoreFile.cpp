#include "scores/scoreFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

namespace quillbox::scores {

namespace {

namespace fs = std::filesystem;
using Action = ScoreFileError::Action;

std::string describe(Action action) {
    switch (action) {
        case Action::Create:
            return "Cannot create ";
        case Action::Read:
            return "Cannot read ";
        case Action::Write:
            return "Cannot write ";
    }
    return {};
}

std::string systemReason(int error) {
    return std::generic_category().message(error);
}

[[noreturn]] void fail(Action action, const std::string& path, int error) {
    throw ScoreFileError(action, path, systemReason(error));
}

// The errors of a folder or file that the user may not change.
bool isRefusal(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Closes its descriptor on every way out.
class FileHandle {
  public:
    static constexpr int kNone = -1;  // what a failed open gives

    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, kNone)) {}
    FileHandle& operator=(FileHandle&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (valid())
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ != kNone; }
    // Closes now, reporting the result: a close can be the first to see a
    // write error on some file systems.
    int close() { return ::close(std::exchange(fd_, kNone)); }

  private:
    int fd_;
};

struct stat statOf(const FileHandle& file, Action action, const std::string& path) {
    struct stat st {};
    if (::fstat(file.get(), &st) != 0)
        fail(action, path, errno);
    return st;
}

// A directory, a FIFO or a device is no table (nor lock file): a FIFO would
// block the program, a device such as /dev/zero never ends.
void requireRegular(const FileHandle& file, Action action, const std::string& path) {
    const struct stat st = statOf(file, action, path);
    if (S_ISDIR(st.st_mode))
        fail(action, path, EISDIR);
    if (!S_ISREG(st.st_mode))
        throw ScoreFileError(action, path, "Not a regular file");
}

// flags: O_RDONLY or O_RDWR. Never blocks, whatever the path names.
FileHandle openTable(const std::string& path, int flags, Action action) {
    FileHandle table(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!table.valid()) {
        const int error = errno;
        if (flags == O_RDWR && isRefusal(error))
            throw ScoreFileError(action, path, "Not writable (" + systemReason(error) + ")");
        fail(action, path, error);
    }
    requireRegular(table, action, path);
    return table;
}

// Locks the open table (operation: LOCK_SH or LOCK_EX). An update that
// replaces the table holds its lock until the new one is in place, so a lock
// won on a table that is no longer at path is let go and taken again on the
// one that is.
void lockTable(FileHandle& table, const std::string& path, int flags, int operation,
               Action action) {
    for (;;) {
        while (::flock(table.get(), operation) != 0)
            if (errno != EINTR)
                fail(action, path, errno);
        const struct stat held = statOf(table, action, path);
        struct stat now {};
        if (::stat(path.c_str(), &now) != 0)
            fail(action, path, errno);
        if (held.st_ino == now.st_ino && held.st_dev == now.st_dev)
            return;
        table = openTable(path, flags, action);
    }
}

// The exclusive lock on "<table>.lock" that every update holding it may
// replace the table under. Not held (and refusal says why) when there is no
// lock file and none can be made; an update then writes in place.
struct FolderLock {
    FileHandle handle;
    int refusal{};
};

FolderLock lockFolder(const std::string& path, Action action) {
    const std::string lockPath = path + ".lock";
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    FolderLock lock{FileHandle(::open(lockPath.c_str(), kFlags | O_CREAT, 0666))};
    if (!lock.handle.valid()) {
        lock.refusal = errno;
        // Another copy of the program may have made it meanwhile. One that is
        // there but cannot be used is named, not the table.
        lock.handle = FileHandle(::open(lockPath.c_str(), kFlags));
        if (!lock.handle.valid() && errno == ENOENT)
            return lock;
        if (!lock.handle.valid())
            fail(action, lockPath, errno);
    }
    requireRegular(lock.handle, action, lockPath);
    while (::flock(lock.handle.get(), LOCK_EX) != 0)
        if (errno != EINTR)
            fail(action, lockPath, errno);
    return lock;
}

// The file a chain of symbolic links ends at; it need not exist.
std::string followLinks(const std::string& path, Action action) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 && errno == ELOOP)
        fail(action, path, ELOOP);
    fs::path at(path);
    std::error_code error;
    while (fs::is_symlink(fs::symlink_status(at, error))) {
        const fs::path target = fs::read_symlink(at, error);
        if (error)
            break;  // gone meanwhile: opening it reports that
        at = at.parent_path() / target;
    }
    return at.string();
}

// Only regular files are read and written, and they take a write whole or
// give a read whole in one call: short only at the end of the file, or (a
// write) when the disk is full.
void writeAt(int fd, off_t offset, std::string_view bytes) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n != static_cast<ssize_t>(bytes.size()))
        throw std::system_error(n < 0 ? errno : ENOSPC, std::generic_category());
}

// Up to max bytes from offset.
std::string readAt(int fd, off_t offset, std::size_t max) {
    std::string bytes(max, '\0');
    const ssize_t n = ::pread(fd, bytes.data(), max, offset);
    if (n < 0)
        throw std::system_error(errno, std::generic_category());
    bytes.resize(static_cast<std::size_t>(n));
    return bytes;
}

ScoreRecords readRecords(const FileHandle& table, const std::string& path) {
    try {
        return decodeScores(readAt(table.get(), 0, kScoreTableLength));
    } catch (const std::system_error& e) {
        throw ScoreFileError(Action::Read, path, e.code().message());
    }
}

// Temporary files are "<table>.tmp.XXXXXX"; earlier versions used "<table>.tmp".
std::string tempStem(const std::string& path) {
    return path + ".tmp";
}

// Removes the temporary files killed updates left. Only for a holder of the
// folder lock: every update writing one holds it.
void removeLeftovers(const std::string& path) {
    const fs::path stem = fs::path(tempStem(path)).filename();
    const std::string prefix = stem.string() + ".";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(path).parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        const bool leftover =
            name == stem || (name.size() == prefix.size() + 6 && name.starts_with(prefix));
        if (leftover && entry.is_regular_file(error) && !entry.is_symlink(error))
            fs::remove(entry.path(), error);
    }
}

// A new table's mode: what the umask allows, and group read and write in a
// folder shared through its group (set-group-ID), so that a table one player
// makes there stays writable for the others.
mode_t newTableMode(const fs::path& folder) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    struct stat st {};
    const bool shared = ::stat(folder.c_str(), &st) == 0 && (st.st_mode & S_ISGID) != 0;
    return (0666 & ~mask) | (shared ? S_IRGRP | S_IWGRP : 0);
}

// Removes the temporary file on every way out. After the rename there is
// nothing left to remove, and under the folder lock no other update can have
// made a file of that name meanwhile.
class TempFileGuard {
  public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() { ::unlink(path_.c_str()); }
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

  private:
    std::string path_;
};

// Writes table, then the bytes old has past its tenth record, to a new
// temporary file beside path, flushes it and renames it over path. The caller
// holds the folder lock. Returns 0 when done, or the error that makes an
// in-place write the only way: the folder refuses new files, or the new file
// could not be given the old one's owner.
int replaceFile(const std::string& path, const std::string& table, const FileHandle* old,
                const std::function<void()>& beforeReplace, Action action) {
    removeLeftovers(path);
    std::string temp = tempStem(path) + ".XXXXXX";
    FileHandle out(::mkostemp(temp.data(), O_CLOEXEC));
    if (!out.valid()) {
        if (isRefusal(errno))
            return errno;
        fail(action, path, errno);
    }
    TempFileGuard guard(temp);
    mode_t mode = newTableMode(fs::path(path).parent_path());
    struct stat st {};
    if (old) {
        st = statOf(*old, action, path);
        if (::fchown(out.get(), st.st_uid, st.st_gid) != 0)
            return errno;
        mode = st.st_mode & 07777;
    }
    try {
        if (::fchmod(out.get(), mode) != 0)
            throw std::system_error(errno, std::generic_category());
        writeAt(out.get(), 0, table);
        // The tail as far as the size seen now (none without an old file), a
        // block of the file system at a time.
        for (off_t at = static_cast<off_t>(kScoreTableLength); at < st.st_size;) {
            const std::string block =
                readAt(old->get(), at,
                       static_cast<std::size_t>(std::min<off_t>(st.st_blksize, st.st_size - at)));
            if (block.empty())
                break;
            writeAt(out.get(), at, block);
            at += static_cast<off_t>(block.size());
        }
        if (::fsync(out.get()) != 0 || out.close() != 0)
            throw std::system_error(errno, std::generic_category());
    } catch (const std::system_error& e) {
        throw ScoreFileError(action, path, e.code().message());
    }
    if (beforeReplace)
        beforeReplace();
    if (::rename(temp.c_str(), path.c_str()) != 0)
        fail(action, path, errno);
    // Make the rename itself durable. Some file systems refuse to sync a
    // folder; the table is in place either way.
    const FileHandle folder(
        ::open(fs::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid())
        ::fsync(folder.get());
    return 0;
}

// Ten empty records. The caller holds the folder lock.
void createScoreFile(const std::string& path, Action action) {
    const std::string empty(kScoreTableLength, '\0');
    if (const int refusal = replaceFile(path, empty, nullptr, {}, action); refusal != 0)
        fail(action, path, refusal);
}

// The table's 360 bytes over the old ones, in the same file; what lies past
// them stays.
void rewriteInPlace(const FileHandle& table, const std::string& path, const std::string& bytes) {
    try {
        writeAt(table.get(), 0, bytes);
        if (::fsync(table.get()) != 0)
            throw std::system_error(errno, std::generic_category());
    } catch (const std::system_error& e) {
        throw ScoreFileError(Action::Write, path, e.code().message());
    }
}

}  // namespace

ScoreFileError::ScoreFileError(Action action, std::string path, std::string reason)
    : std::runtime_error(describe(action) + path + ": " + reason),
      action_(action),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

ScoreFile::ScoreFile(std::string folder) : folder_(std::move(folder)) {}

std::string ScoreFile::prepareScoreFile(Action action) {
    std::string path = followLinks(scoreFilePathIn(folder_), action);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return path;
    if (errno != ENOENT)
        fail(action, path, errno);
    // Saving a score reports any failure as a score not saved.
    const Action creating = action == Action::Write ? Action::Write : Action::Create;
    const FolderLock lock = lockFolder(path, creating);
    if (!lock.handle.valid())
        fail(creating, path, lock.refusal);
    // Another copy of the program may have created it while we waited.
    if (::stat(path.c_str(), &st) == 0)
        return path;
    createScoreFile(path, creating);
    return path;
}

ScoreRecords ScoreFile::readScores() {
    const std::string path = prepareScoreFile(Action::Read);
    FileHandle table = openTable(path, O_RDONLY, Action::Read);
    lockTable(table, path, O_RDONLY, LOCK_SH, Action::Read);
    return readRecords(table, path);
}

bool ScoreFile::isHigh(std::int32_t points) {
    return beatsAnyScore(readScores(), points);
}

void ScoreFile::addScore(const std::string& name, std::int32_t points) {
    const ScoreRecord entry = makeScoreRecord(name, points);
    const std::string path = prepareScoreFile(Action::Write);
    // Opened for writing first: a table the user may not write is left alone,
    // and nothing is made beside a FIFO or a device.
    FileHandle table = openTable(path, O_RDWR, Action::Write);
    const FolderLock lock = lockFolder(path, Action::Write);
    lockTable(table, path, O_RDWR, LOCK_EX, Action::Write);
    ScoreRecords records = readRecords(table, path);
    if (!insertScore(records, entry))
        return;  // beats nothing: the file stays as it is
    const std::string bytes = encodeScores(records);
    if (lock.handle.valid() && replaceFile(path, bytes, &table, beforeReplace_, Action::Write) == 0)
        return;
    rewriteInPlace(table, path, bytes);
}

}  // namespace quillbox::scores
