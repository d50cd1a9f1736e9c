#include "game/phrase_table.h"

namespace zem {

// clang-format off
const std::array<Phrase, kPhraseCount> PhraseTable{{
    //  proverb romaji                      proverb display form             word romaji  word display form
    {"AKUSENNMINITUKAZU",               "悪銭身につかず",           "AKUSENN",  "悪銭"}, // 0
    {"ATAMAKAKUSITESIRIKAKUSAZU",       "頭隠して尻隠さず",         "ATAMA",    "頭"}, // 1
    {"ISINOUENIMOSANNNENN",             "石の上にも三年",           "SIRI",     "尻"}, // 2
    {"UMANOMIMININENNBUTU",             "馬の耳に念仏",             "UMA",      "馬"}, // 3
    {"OITEHAKONISITAGAE",               "老いては子に従え",         "MIMI",     "耳"}, // 4
    {"ONINOINUMANISENNTAKU",            "鬼の居ぬ間に洗濯",         "ONI",      "鬼"}, // 5
    {"ENNNOSITANOTIKARAMOTI",           "縁の下の力持ち",           "EBI",      "蝦"}, // 6
    {"EBIDETAIWOTURU",                  "蝦で鯛を釣る",             "TAI",      "鯛"}, // 7
    {"KAERUNOTURANIMIZU",               "蛙の面に水",               "KAERU",    "蛙"}, // 8
    {"KAPPANOKAWANAGARE",               "河童の川流れ",             "KAPPA",    "河童"}, // 9
    {"KYUUGYUUNOITIMOU",                "九牛の一毛",               "KYUUGYUU", "九牛"}, // 10
    {"GYOHUNORI",                       "漁夫の利",                 "GYOHU",    "漁夫"}, // 11
    {"KURUSIITOKINOKAMIDANOMI",         "苦しいときの神頼み",       "KAMI",     "神"}, // 12
    {"KOUKAISAKINITATAZU",              "後悔先に立たず",           "KOUBOU",   "弘法"}, // 13
    {"KOUBOUNIMOHUDENOAYAMARI",         "弘法にも筆の誤り",         "HUDE",     "筆"}, // 14
    {"KOROBANUSAKINOTUE",               "転ばぬ先の杖",             "TUE",      "杖"}, // 15
    {"SAWARANUKAMINITATARINASI",        "さわらぬ神にたたりなし",   "SIKA",     "鹿"}, // 16
    {"SIKAWOOUMONOHAYAMAWOMIZU",        "鹿を追うものは山を見ず",   "YAMA",     "山"}, // 17
    {"ZIGOUZITOKU",                     "自業自得",                 "SUZUME",   "雀"}, // 18
    {"SUZUMENONAMIDA",                  "雀の涙",                   "NAMIDA",   "涙"}, // 19
    {"SENIHARAHAKAERARENU",             "背に腹はかえられぬ",       "HARA",     "腹"}, // 20
    {"TANNKIHASONNKI",                  "短気は損気",               "TIRI",     "塵"}, // 21
    {"TIRIMOTUMOREBAYAMATONARU",        "塵も積もれば山となる",     "TUME",     "爪"}, // 22
    {"TUMENIHIWOTOMOSU",                "爪に火をともす",           "TURU",     "鶴"}, // 23
    {"TURUNOHITOKOE",                   "鶴の一声",                 "KUI",      "杭"}, // 24
    {"DERUKUIHAUTARERU",                "出る杭は打たれる",         "TOUDAI",   "灯台"}, // 25
    {"TOUDAIMOTOKURASI",                "灯台下暮らし",             "HANA",     "花"}, // 26
    {"TONARINOHANAHAAKAI",              "隣の花は赤い",             "MUSI",     "虫"}, // 27
    {"TONNDEHINIIRUNATUNOMUSI",         "飛んで火に入る夏の虫",     "AWA",      "泡"}, // 28
    {"NAGAIMONONIHAMAKAREYO",           "長い物には巻かれよ",       "NURETE",   "濡れ手"}, // 29
    {"NAKUTENANAKUSE",                  "無くて七癖",               "NEKO",     "猫"}, // 30
    {"NURETENIAWA",                     "濡れ手に泡",               "KOBANN",   "小判"}, // 31
    {"NEKONIKOBANN",                    "猫に小判",                 "NODOMOTO", "喉下"}, // 32
    {"NODOMOTOSUGIREBAATUSAWOWASURERU", "喉下過ぎれば熱さを忘れる", "TAKA",     "鷹"}, // 33
    {"NOUARUTAKAHATUMEWOKAKUSU",        "能ある鷹は爪を隠す",       "TUME",     "爪"}, // 34
    {"HANASIZYOUZUHAKIKIZYOUZU",        "話し上手は聞き上手",       "DANNGO",   "団子"}, // 35
    {"HANAYORIDANNGO",                  "花より団子",               "HOTOKE",   "仏"}, // 36
    {"HETANOYOKOZUKI",                  "下手の横好き",             "KAO",      "顔"}, // 37
    {"HOTOKENOKAOMOHINISANNDO",         "仏の顔も日に三度",         "MAKURA",   "枕"}, // 38
    {"MAKURAWOTAKAKUSITENEMURU",        "枕を高くして眠る",         "KAIRO",    "海路"}, // 39
    {"MAKERUGAKATI",                    "負けるが勝ち",             "SABI",     "錆"}, // 40
    {"MATEBAKAIRONOHIYORIARI",          "待てば海路の日和あり",     "KINEZUKA", "杵柄"}, // 41
    {"MIKARADETASABI",                  "身から出た錆",             "TANNKOBU", "たん瘤"}, // 42
    {"MUKASITOTTAKINEZUKA",             "昔操った杵柄",             "YAKEISI",  "焼け石"}, // 43
    {"MURIGATOOREBADOORIHIKKOMU",       "無理が通れば道理引っ込む", "TATARIME", "祟り目"}, // 44
    {"MENOUENOTANNKOBU",                "目の上のたん瘤",           "NORENN",   "暖簾"}, // 45
    {"YAKEISINIMIZU",                   "焼け石に水",               "UDE",      "腕"}, // 46
    {"YOWARIMENITATARIME",              "弱り目に祟り目",           "NUSUBITO", "盗人"}, // 47
    {"RAKUAREBAKUARI",                  "楽あれば苦あり",           "KOUMORI",  "蝙蝠"}, // 48
    {"RONNYORISYOUKO",                  "論より証拠",               "KAIINU",   "飼い犬"}, // 49
}};
// clang-format on

} // namespace zem
