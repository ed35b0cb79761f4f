#include "scores/scoreFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>

namespace quillbox::scores {

namespace {

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

// Closes its descriptor on every way out.
class FileHandle {
  public:
    explicit FileHandle(int fd) : fd_(fd) {}
    FileHandle(FileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now, reporting the result: a close can be the first to see a
    // write error on some file systems.
    int close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

  private:
    int fd_;
};

std::string lockPathFor(const std::string& path) {
    return path + ".lock";
}
std::string tempPathFor(const std::string& path) {
    return path + ".tmp";
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// An exclusive lock shared by every copy of the program using this folder.
// A separate file is locked, because the table itself is replaced by rename
// and a lock on it would stay behind on the old, unlinked file.
class ExclusiveLock {
  public:
    ExclusiveLock(const std::string& scorePath, Action action)
        : handle_(::open(lockPathFor(scorePath).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666)) {
        if (!handle_.valid())
            fail(action, scorePath, errno);
        while (::flock(handle_.get(), LOCK_EX) != 0)
            if (errno != EINTR)
                fail(action, scorePath, errno);
    }

  private:
    FileHandle handle_;  // closing it releases the lock
};

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category());
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

// Reads up to max bytes from offset; fewer only at the end of the file.
std::string readAt(int fd, off_t offset, std::size_t max) {
    std::string bytes(max, '\0');
    std::size_t got = 0;
    while (got < max) {
        const ssize_t n =
            ::pread(fd, bytes.data() + got, max - got, offset + static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::system_error(errno, std::generic_category());
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

// Removes the temporary file unless the rename consumed it.
class TempFileGuard {
  public:
    explicit TempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TempFileGuard() {
        if (!path_.empty())
            ::unlink(path_.c_str());
    }
    void release() { path_.clear(); }

  private:
    std::string path_;
};

// Writes table (followed by whatever lies beyond the tenth record in the old
// file, so an oversized file loses nothing) to a temporary file, flushes it,
// and renames it over path. The caller holds the lock.
void replaceFile(const std::string& path, const std::string& table, const FileHandle* old,
                 const std::function<void()>& beforeReplace, Action action) {
    const std::string temp = tempPathFor(path);
    // A crashed update may have left its temporary file; nobody else can be
    // using it while we hold the lock.
    ::unlink(temp.c_str());
    FileHandle out(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!out.valid())
        fail(action, path, errno);
    TempFileGuard guard(temp);
    try {
        if (old) {
            // Keep the old file's permissions and, where we may, its owner.
            struct stat st {};
            if (::fstat(old->get(), &st) == 0) {
                ::fchmod(out.get(), st.st_mode & 07777);
                if (::fchown(out.get(), st.st_uid, st.st_gid) != 0) {
                    // Not ours to give away; the file stays ours.
                }
            }
        }
        writeAll(out.get(), table);
        if (old) {
            constexpr std::size_t kChunk = std::size_t{64} * 1024;
            for (off_t at = static_cast<off_t>(kScoreTableLength);;) {
                const std::string chunk = readAt(old->get(), at, kChunk);
                if (chunk.empty())
                    break;
                writeAll(out.get(), chunk);
                at += static_cast<off_t>(chunk.size());
            }
        }
        if (::fsync(out.get()) != 0)
            throw std::system_error(errno, std::generic_category());
        if (out.close() != 0)
            throw std::system_error(errno, std::generic_category());
    } catch (const std::system_error& e) {
        throw ScoreFileError(action, path, e.code().message());
    }
    if (beforeReplace)
        beforeReplace();
    if (::rename(temp.c_str(), path.c_str()) != 0)
        fail(action, path, errno);
    guard.release();
    // Make the rename itself durable. Some file systems refuse to sync a
    // folder; the table is in place either way.
    FileHandle dir(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
}

// A table reached through a symbolic link is replaced where it really lives,
// so the link keeps pointing at it.
std::string realFile(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

FileHandle openForReading(const std::string& path) {
    FileHandle in(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in.valid())
        fail(Action::Read, path, errno);
    return in;
}

ScoreRecords readRecords(const FileHandle& in, const std::string& path) {
    try {
        return decodeScores(readAt(in.get(), 0, kScoreTableLength));
    } catch (const std::system_error& e) {
        throw ScoreFileError(Action::Read, path, e.code().message());
    }
}

}  // namespace

ScoreFileError::ScoreFileError(Action action, std::string path, std::string reason)
    : std::runtime_error(describe(action) + path + ": " + reason),
      action_(action),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

ScoreFile::ScoreFile(std::string folder) : folder_(std::move(folder)) {}

void ScoreFile::prepareScoreFile() {
    scoreFilePath_ = scoreFilePathIn(folder_);
    ensureFileExists(false);
}

void ScoreFile::ensureFileExists(bool lockHeld) {
    struct stat st {};
    if (::stat(scoreFilePath_.c_str(), &st) == 0)
        return;
    if (errno != ENOENT)
        fail(Action::Read, scoreFilePath_, errno);
    if (lockHeld) {
        createScoreFile(scoreFilePath_);
        return;
    }
    ExclusiveLock lock(scoreFilePath_, Action::Create);
    // Another copy of the program may have created it while we waited.
    if (::stat(scoreFilePath_.c_str(), &st) == 0)
        return;
    createScoreFile(scoreFilePath_);
}

void ScoreFile::createScoreFile(const std::string& path) {
    replaceFile(path, std::string(kScoreTableLength, '\0'), nullptr, {}, Action::Create);
}

ScoreRecords ScoreFile::readScores() {
    // No lock needed: a rename swaps the whole table at once, so a reader
    // sees either the old table or the new one.
    prepareScoreFile();
    const FileHandle in = openForReading(scoreFilePath_);
    return readRecords(in, scoreFilePath_);
}

bool ScoreFile::isHigh(std::int32_t points) {
    return beatsAnyScore(readScores(), points);
}

void ScoreFile::addScore(const std::string& name, std::int32_t points) {
    const ScoreRecord entry = makeScoreRecord(name, points);
    scoreFilePath_ = scoreFilePathIn(folder_);
    ExclusiveLock lock(scoreFilePath_, Action::Write);
    ensureFileExists(true);
    const FileHandle old = openForReading(scoreFilePath_);
    ScoreRecords records = readRecords(old, scoreFilePath_);
    if (!insertScore(records, entry))
        return;  // beats nothing: the file stays as it is
    replaceFile(realFile(scoreFilePath_), encodeScores(records), &old, beforeReplace_,
                Action::Write);
}

}  // namespace quillbox::scores
