#include "history/game_spool.h"

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

std::uint64_t checksum(std::string_view bytes) { // FNV-1a
    std::uint64_t h = 0xcbf29ce484222325u;
    for (unsigned char c : bytes)
        h = (h ^ c) * 0x100000001b3u;
    return h;
}

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
    std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(checksum(p)));
    return std::string(kMagic) + std::to_string(p.size()) + ' ' + sum + '\n' + p;
}

std::vector<GameRecord> GameSpool::decode(const std::string &bytes, std::size_t *wholeUpTo) {
    std::vector<GameRecord> games;
    std::size_t at = 0;
    for (;;) {
        if (wholeUpTo)
            *wholeUpTo = at;
        const std::string_view rest = std::string_view(bytes).substr(at);
        const std::size_t lineEnd = rest.find('\n');
        if (!rest.starts_with(kMagic) || lineEnd == std::string_view::npos)
            return games;
        const std::string_view head = rest.substr(kMagic.size(), lineEnd - kMagic.size());
        const std::size_t space = head.find(' ');
        std::size_t size = 0;
        std::uint64_t sum = 0;
        if (space == std::string_view::npos || !number(head.substr(0, space), size) ||
            !number(head.substr(space + 1), sum, 16) || rest.size() - lineEnd - 1 < size)
            return games;
        const std::string_view payload = rest.substr(lineEnd + 1, size);
        GameRecord game;
        if (checksum(payload) != sum || !decodeGame(payload, game))
            return games;
        games.push_back(std::move(game));
        at += lineEnd + 1 + size;
    }
}

GameSpool::GameSpool(const std::string &historyPath) : path_(pathFor(historyPath)) {}

GameSpool::~GameSpool() {
    if (fd_ >= 0)
        ::close(fd_); // lets the lock go
}

bool GameSpool::present(const std::string &historyPath) {
    struct stat st {};
    return ::stat(pathFor(historyPath).c_str(), &st) == 0 && st.st_size > 0;
}

bool GameSpool::hold(bool create, std::string *why) {
    if (fd_ < 0) {
        const int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | (create ? O_CREAT : 0);
        fd_ = ::open(path_.c_str(), flags, 0600);
    }
    if (fd_ < 0 || ::flock(fd_, LOCK_EX) != 0) {
        if (why)
            *why = path_ + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::vector<GameRecord> GameSpool::read() {
    return decode(readAll(fd_), nullptr);
}

bool GameSpool::append(const std::vector<GameRecord> &games, std::string *why) {
    const std::string bytes = readAll(fd_);
    std::size_t whole = 0;
    decode(bytes, &whole);
    std::string out;
    for (const GameRecord &g : games)
        out += encode(g);
    // A torn record goes, so that the new ones follow the last whole one.
    bool done = whole == bytes.size() || ::ftruncate(fd_, off_t(whole)) == 0;
    for (std::size_t put = 0; done && put < out.size();) {
        const ssize_t n = ::pwrite(fd_, out.data() + put, out.size() - put, off_t(whole + put));
        done = n > 0 || (n < 0 && errno == EINTR);
        put += n > 0 ? std::size_t(n) : 0;
    }
    done = done && ::fdatasync(fd_) == 0;
    if (!done) {
        if (why)
            *why = path_ + ": " + std::strerror(errno);
        ::ftruncate(fd_, off_t(whole)); // no half record behind
        return false;
    }
    // A spool just made needs its name on the disk too.
    if (whole == 0) {
        const std::string folder = path_.substr(0, path_.rfind('/') + 1);
        const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
    }
    return true;
}

bool GameSpool::clear() {
    return ::ftruncate(fd_, 0) == 0 && ::fdatasync(fd_) == 0;
}

} // namespace zem
