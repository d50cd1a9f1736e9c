#include "texts/mecab_analyser.h"

#include "kana/kana_text.h"

#include <dlfcn.h>
#include <mecab.h>

#include <mutex>
#include <string_view>
#include <sys/stat.h>

namespace zem {

namespace {

// libmecab's functions, taken once from the library and kept for the life of
// the process: a library with C++ statics is safer never closed.
struct MecabFunctions {
    decltype(&mecab_new2) create = nullptr;
    decltype(&mecab_sparse_tonode) parse = nullptr;
    decltype(&mecab_strerror) error = nullptr;
    decltype(&mecab_destroy) destroy = nullptr;
};

template <typename Function> bool take(void *library, const char *name, Function &function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

// Null when the library or one of its functions is missing. Tried again on a
// later call, so that a package installed meanwhile is found.
const MecabFunctions *mecabFunctions() {
    static std::mutex mutex;
    static MecabFunctions functions;
    static bool loaded = false;
    const std::lock_guard lock(mutex);
    if (loaded)
        return &functions;
    void *library = ::dlopen("libmecab.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return nullptr;
    MecabFunctions found;
    if (!take(library, "mecab_new2", found.create) ||
        !take(library, "mecab_sparse_tonode", found.parse) ||
        !take(library, "mecab_strerror", found.error) ||
        !take(library, "mecab_destroy", found.destroy)) {
        ::dlclose(library);
        return nullptr;
    }
    functions = found;
    loaded = true;
    return &functions;
}

bool isFile(const std::string &path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Field `index` (from 0) of a feature line, comma-separated, where a field
// holding a comma is quoted.
std::string_view featureField(std::string_view feature, std::size_t index) {
    std::size_t at = 0;
    for (std::size_t field = 0;; ++field) {
        std::size_t end;
        if (at < feature.size() && feature[at] == '"') {
            end = feature.find('"', at + 1);
            end = end == std::string_view::npos ? feature.size() : feature.find(',', end);
        } else {
            end = feature.find(',', at);
        }
        if (end == std::string_view::npos)
            end = feature.size();
        if (field == index)
            return feature.substr(at, end - at);
        if (end >= feature.size())
            return {};
        at = end + 1;
    }
}

// The IPA dictionary's reading, the eighth field, in katakana; "*" or no
// such field (an unknown word) is no reading.
std::string readingOf(const char *feature) {
    const std::string_view reading = featureField(feature ? feature : "", 7);
    if (reading.empty() || reading == "*")
        return {};
    return toHiragana(reading);
}

// Particles, auxiliary verbs, suffixes and dependent words (いる of している,
// こと of 始めること) lean on the word before them.
bool joinsPrevious(const char *feature) {
    const std::string_view line = feature ? feature : "";
    const std::string_view kind = featureField(line, 0);
    const std::string_view sub = featureField(line, 1);
    return kind == "助詞" || kind == "助動詞" || sub == "接尾" || sub == "非自立";
}

class MecabAnalyser final : public ReadingAnalyser {
public:
    MecabAnalyser(const MecabFunctions &functions, mecab_t *mecab)
        : functions_(functions), mecab_(mecab) {}
    ~MecabAnalyser() override { functions_.destroy(mecab_); }
    MecabAnalyser(const MecabAnalyser &) = delete;
    MecabAnalyser &operator=(const MecabAnalyser &) = delete;

    std::vector<Morpheme> analyse(std::string_view sentence) override {
        std::vector<Morpheme> words;
        // MeCab gives up on a text of megabytes; a long one is read in
        // pieces, each ending after a 、 where it has one.
        while (sentence.size() > kLongestPiece) {
            std::size_t end = sentence.substr(0, kLongestPiece).rfind("、");
            end = end == std::string_view::npos ? kLongestPiece : end + std::string_view("、").size();
            while (end > 0 && (static_cast<unsigned char>(sentence[end]) & 0xC0) == 0x80)
                --end;
            analysePiece(sentence.substr(0, end), words);
            sentence.remove_prefix(end);
        }
        analysePiece(sentence, words);
        return words;
    }

private:
    static constexpr std::size_t kLongestPiece = 64 * 1024;

    void analysePiece(std::string_view piece, std::vector<Morpheme> &words) {
        const std::string text(piece);
        const mecab_node_t *node = functions_.parse(mecab_, text.c_str());
        std::size_t at = 0;
        for (; node; node = node->next) {
            if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
                continue;
            const auto begin = std::size_t(node->surface - text.c_str());
            if (begin < at || begin + node->length > text.size())
                break;
            // MeCab skips the spaces before a word; they are kept as words
            // without a reading, so that the surfaces still make the text.
            if (begin > at)
                words.push_back({text.substr(at, begin - at), {}});
            words.push_back({text.substr(begin, node->length), readingOf(node->feature),
                             joinsPrevious(node->feature)});
            at = begin + node->length;
        }
        if (at < text.size())
            words.push_back({text.substr(at), {}});
    }

    MecabFunctions functions_;
    mecab_t *mecab_;
};

} // namespace

std::unique_ptr<ReadingAnalyser> openMecab(std::string &why, const std::string &dictionary) {
    const MecabFunctions *functions = mecabFunctions();
    if (!functions) {
        why = "読みがなを付けるには libmecab2 パッケージが要ります "
              "(sudo apt install libmecab2 mecab-ipadic-utf8)";
        return nullptr;
    }
    // Only this dictionary: its readings are where they are looked for, and
    // its text is UTF-8, where the system's default may be EUC-JP.
    if (!isFile(dictionary + "/sys.dic")) {
        why = "読みがなを付けるには mecab-ipadic-utf8 パッケージが要ります "
              "(sudo apt install mecab-ipadic-utf8)";
        return nullptr;
    }
    mecab_t *mecab = functions->create(("-d " + dictionary).c_str());
    if (!mecab) {
        const char *error = functions->error(nullptr);
        why = std::string("読みがなを付ける MeCab を始められません: ") + (error ? error : "");
        return nullptr;
    }
    why.clear();
    return std::make_unique<MecabAnalyser>(*functions, mecab);
}

} // namespace zem
