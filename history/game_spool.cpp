#include "history/game_spool.h"

#include "model/descriptor.h"
#include "model/fnv.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zem {

namespace {

constexpr std::string_view kMagic = "zem-game ";

std::vector<std::string_view> split(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab - at));
        if (tab == std::string_view::npos)
            return fields;
        at = tab + 1;
    }
}

template <typename Number> bool number(std::string_view text, Number &value, int base = 10) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

// A list's name as a field: it is a file's name, which may hold a tab or a
// line break.
std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

bool unescaped(std::string_view text, std::string &out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned char c = 0;
        if (i + 2 >= text.size() || !number(text.substr(i + 1, 2), c, 16))
            return false;
        out += char(c);
        i += 2;
    }
    return true;
}

// A record's payload, one field line and a line per key, confusion,
// syllable and kana; false when it is not one.
bool decodeGame(std::string_view payload, GameRecord &g) {
    bool first = true;
    while (!payload.empty()) {
        const std::size_t end = payload.find('\n');
        const auto f = split(payload.substr(0, end));
        payload.remove_prefix(end == std::string_view::npos ? payload.size() : end + 1);
        bool ok = false;
        if (first) {
            int completed = 0, record = 0, practice = 0;
            // A game spooled before games knew their rule, list and practice
            // has the first eleven fields only.
            ok = (f.size() == 11 || f.size() == 14) && number(f[1], g.finishedAt.unixSeconds) &&
                 number(f[2], g.finishedAt.utcOffsetSeconds) && number(f[4], g.course) &&
                 number(f[5], g.strokes) && number(f[6], g.misses) && number(f[7], g.seconds) &&
                 number(f[9], completed) && number(f[10], record);
            if (ok && f.size() == 14) {
                const auto rule = spellingRuleNamed(f[11]);
                ok = rule && unescaped(f[12], g.list) && number(f[13], practice);
                g.spelling = rule.value_or(SpellingRule::Table);
            }
            g.practice = practice != 0;
            g.uid = f[0];
            g.mode = f.size() > 3 && f[3] == "proverb" ? GameMode::Proverb : GameMode::Word;
            g.speed = f.size() > 8 ? std::string(f[8]) : std::string();
            g.completed = completed != 0;
            g.newRecord = record != 0;
            first = false;
        } else if (f.size() == 4 && f[0] == "k" && f[1].size() == 1) {
            KeyTally k{f[1][0]};
            ok = number(f[2], k.hits) && number(f[3], k.misses);
            g.keys.push_back(k);
        } else if (f.size() == 4 && f[0] == "c" && f[1].size() == 1) {
            Confusion c{f[1][0]};
            ok = number(f[2], c.typed) && number(f[3], c.count);
            g.confusions.push_back(c);
        } else if (f.size() == 3 && f[0] == "s") {
            SyllableMisses s{std::string(f[1])};
            ok = number(f[2], s.count);
            g.syllables.push_back(s);
        } else if (f.size() == 4 && f[0] == "n" && !f[1].empty()) {
            KanaTally k{std::string(f[1])};
            ok = number(f[2], k.hits) && number(f[3], k.misses);
            g.kana.push_back(k);
        }
        if (!ok)
            return false;
    }
    return !first;
}

std::string readAll(int fd) {
    std::string bytes;
    char buffer[65536];
    ssize_t got;
    while ((got = ::pread(fd, buffer, sizeof buffer, off_t(bytes.size()))) > 0)
        bytes.append(buffer, std::size_t(got));
    return bytes;
}

bool writeAll(int fd, std::string_view bytes, off_t at) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(std::size_t(n));
        at += n;
    }
    return true;
}

// A new file of `bytes`, on the disk; nothing of it stays when it fails.
bool writeWhole(const std::string &name, std::string_view bytes, int flags) {
    const Descriptor fd(
        ::open(name.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | flags, 0600));
    if (fd.get() < 0)
        return false;
    if (writeAll(fd.get(), bytes, 0) && ::fdatasync(fd.get()) == 0)
        return true;
    ::unlink(name.c_str());
    return false;
}

// A file just made, or renamed, needs its name on the disk too.
bool syncFolderOf(const std::string &path) {
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    const Descriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.get() >= 0 && ::fsync(dir.get()) == 0;
}

// The length of the whole record that `bytes` begins with, its checksum
// right; 0 when none begins there.
std::size_t recordAt(std::string_view bytes, std::string_view &payload) {
    const std::size_t lineEnd = bytes.find('\n');
    if (!bytes.starts_with(kMagic) || lineEnd == std::string_view::npos)
        return 0;
    const std::string_view head = bytes.substr(kMagic.size(), lineEnd - kMagic.size());
    const std::size_t space = head.find(' ');
    std::size_t size = 0;
    std::uint64_t sum = 0;
    if (space == std::string_view::npos || !number(head.substr(0, space), size) ||
        !number(head.substr(space + 1), sum, 16) || bytes.size() - lineEnd - 1 < size)
        return 0;
    payload = bytes.substr(lineEnd + 1, size);
    return fnv1a64(payload) == sum ? lineEnd + 1 + size : 0;
}

// A stretch of the spool: a game, a whole record that is no game of this
// program's (a later one's), or bytes that are no whole record, up to where
// the next record's mark begins.
struct Piece {
    enum Kind { Game, Later, Unreadable } kind;
    std::string_view bytes;
    GameRecord game;
};

std::vector<Piece> piecesOf(std::string_view bytes) {
    std::vector<Piece> pieces;
    while (!bytes.empty()) {
        Piece piece{Piece::Unreadable, {}, {}};
        std::string_view payload;
        std::size_t size = recordAt(bytes, payload);
        if (size > 0)
            piece.kind = decodeGame(payload, piece.game) ? Piece::Game : Piece::Later;
        else
            size = std::min(bytes.find(kMagic, 1), bytes.size());
        piece.bytes = bytes.substr(0, size);
        bytes.remove_prefix(size);
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

} // namespace

std::string GameSpool::encode(const GameRecord &g) {
    std::string p = g.uid + '\t' + std::to_string(g.finishedAt.unixSeconds) + '\t' +
                    std::to_string(g.finishedAt.utcOffsetSeconds) + '\t' + modeName(g.mode) + '\t' +
                    std::to_string(g.course) + '\t' + std::to_string(g.strokes) + '\t' +
                    std::to_string(g.misses) + '\t' + std::to_string(g.seconds) + '\t' + g.speed +
                    '\t' + (g.completed ? '1' : '0') + '\t' + (g.newRecord ? '1' : '0') + '\t' +
                    spellingRuleName(g.spelling) + '\t' + escaped(g.list) + '\t' +
                    (g.practice ? '1' : '0') + '\n';
    for (const KeyTally &k : g.keys)
        p += "k\t" + std::string(1, k.key) + '\t' + std::to_string(k.hits) + '\t' +
             std::to_string(k.misses) + '\n';
    for (const Confusion &c : g.confusions)
        p += "c\t" + std::string(1, c.expected) + '\t' + std::to_string(c.typed) + '\t' +
             std::to_string(c.count) + '\n';
    for (const SyllableMisses &s : g.syllables)
        p += "s\t" + s.syllable + '\t' + std::to_string(s.count) + '\n';
    for (const KanaTally &k : g.kana)
        p +=
            "n\t" + k.kana + '\t' + std::to_string(k.hits) + '\t' + std::to_string(k.misses) + '\n';
    char sum[17];
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(fnv1a64(p)));
    return std::string(kMagic) + std::to_string(p.size()) + ' ' + sum + '\n' + p;
}

GameSpool::GameSpool(const std::string &historyPath, std::size_t limit)
    : path_(pathFor(historyPath)), limit_(limit) {}

GameSpool::~GameSpool() {
    if (fd_ >= 0)
        ::close(fd_); // lets the lock go
}

bool GameSpool::present(const std::string &historyPath) {
    struct stat st {};
    return ::stat(pathFor(historyPath).c_str(), &st) == 0 && st.st_size > 0;
}

// A replay may have put a new file under the name while this one waited for
// the lock: the lock is the file's that the name stands for.
bool GameSpool::hold(bool create, std::string *why) {
    for (;;) {
        if (fd_ < 0)
            fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0),
                         0600);
        struct stat held {};
        struct stat named {};
        if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0 || ::fstat(fd_, &held) != 0) {
            if (why)
                *why = path_ + ": " + std::strerror(errno);
            return false;
        }
        if (::stat(path_.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
            named.st_ino == held.st_ino)
            return true;
        ::close(fd_);
        fd_ = -1;
    }
}

std::vector<GameRecord> GameSpool::read() {
    std::vector<GameRecord> games;
    const std::string bytes = readAll(fd_);
    for (Piece &piece : piecesOf(bytes))
        if (piece.kind == Piece::Game)
            games.push_back(std::move(piece.game));
    return games;
}

bool GameSpool::append(const std::vector<GameRecord> &games, std::string *why) {
    std::string out;
    for (const GameRecord &g : games)
        out += encode(g);
    struct stat st {};
    const bool sized = ::fstat(fd_, &st) == 0;
    if (sized && std::size_t(st.st_size) + out.size() > limit_) {
        if (why)
            *why = path_ + ": has reached its limit of " + std::to_string(limit_) + " bytes";
        return false;
    }
    if (sized && writeAll(fd_, out, st.st_size) && ::fdatasync(fd_) == 0 &&
        (st.st_size > 0 || syncFolderOf(path_)))
        return true;
    if (why)
        *why = path_ + ": " + std::strerror(errno);
    if (sized)
        ::ftruncate(fd_, st.st_size); // none of these half written behind
    return false;
}

int GameSpool::replay(const std::function<bool(const GameRecord &)> &store) {
    int left = 0;
    const std::string bytes = readAll(fd_);
    std::string kept;
    for (const Piece &piece : piecesOf(bytes)) {
        if (piece.kind == Piece::Unreadable && setAside(piece.bytes))
            continue;
        if (piece.kind == Piece::Game && left == 0 && store(piece.game))
            continue;
        left += piece.kind == Piece::Game;
        kept += piece.bytes;
    }
    if (kept.size() != bytes.size())
        keepOnly(kept); // should it fail, the games written are skipped by uid next time
    ::close(fd_);
    fd_ = -1;
    return left;
}

// Bytes that are no record go, as they were, to the first free name beside
// the spool, numbered as a damaged history's are.
bool GameSpool::setAside(std::string_view bytes) {
    for (int n = 1; n < 1000; ++n) {
        const std::string name = path_ + ".damaged-" + std::to_string(n);
        if (writeWhole(name, bytes, O_EXCL))
            return syncFolderOf(name);
        if (errno != EEXIST)
            return false;
    }
    return false;
}

// The spool from now on holds `bytes` and nothing else: emptied in place,
// or else through a new file that takes the name once it is on the disk, so
// that a crash leaves the old spool or the new one, whole.
bool GameSpool::keepOnly(const std::string &bytes) {
    if (bytes.empty())
        return ::ftruncate(fd_, 0) == 0 && ::fdatasync(fd_) == 0;
    const std::string next = path_ + ".new";
    return writeWhole(next, bytes, O_TRUNC) && ::rename(next.c_str(), path_.c_str()) == 0 &&
           syncFolderOf(path_);
}

} // namespace zem
