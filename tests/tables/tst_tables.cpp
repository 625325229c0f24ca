#include "store/Gbk.h"
#include "tables/PhraseTables.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace jlex;

namespace
{

struct Entry {
    QString key;
    int position = 0;
    QString text;
};

QStringList linesOf(PhraseTable table)
{
    const QByteArrayView bytes = phraseTable(table);
    if (!bytes.endsWith("\r\n"))
        return {QStringLiteral("<no final CR LF>")};
    QStringList lines = fromGbk(bytes.chopped(2)).split(QStringLiteral("\r\n"));
    return lines;
}

std::vector<Entry> entriesOf(const QStringList& lines)
{
    static const QRegularExpression syntax(QStringLiteral("^([a-z]+),([0-9])=([^,=]+)$"));
    std::vector<Entry> entries;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        const auto m = syntax.match(line);
        if (!m.hasMatch()) {
            entries.push_back({QStringLiteral("<bad line: %1>").arg(line), -1, {}});
            continue;
        }
        entries.push_back({m.captured(1), m.captured(2).toInt(), m.captured(3)});
    }
    return entries;
}

QSet<QString> keysOf(PhraseTable table)
{
    QSet<QString> keys;
    for (const Entry& e : entriesOf(linesOf(table)))
        keys.insert(e.key);
    return keys;
}

void verifyNoRowTwice(const std::vector<Entry>& entries)
{
    QSet<QString> seen;
    for (const Entry& e : entries) {
        const QString row = e.key + QLatin1Char(',') + QString::number(e.position) + e.text;
        QVERIFY2(!seen.contains(row), qPrintable(row));
        seen.insert(row);
    }
}

// The greeting keys in table order; 17 of them stand more than once.
const char* const kGreetingKeys[] = {
    "nihao",
    "wanan",
    "tianqizhenhao",
    "quna",
    "manzou",
    "haojiubujian",
    "nihaoma",
    "zaijian",
    "zaijian",
    "wozoule",
    "daiwoxiangwenhao",
    "lushangxiaoxin",
    "baozhong",
    "yourenzaima",
    "shangcixiexieni",
    "duibuqi",
    "qingyuanliang",
    "shilile",
    "baoqian",
    "geinitianmafan",
    "qingyuanliang",
    "shiwobuhao",
    "rencuorenle",
    "wolaiwanle",
    "meishi",
    "meiguanxi",
    "biejieyi",
    "wocaiyoucuo",
    "woshuoguotou",
    "xiexie",
    "buhaoyisi",
    "xiexie",
    "xiexienizhemeqinqie",
    "buhaoyisi",
    "xiexieniguanzhao",
    "xiexieniguanzhao",
    "tuonidefu",
    "bukeqi",
    "meishenme",
    "wogaocile",
    "gongxi",
    "nixianqing",
    "xiaciyiqichifan",
    "wodailu",
    "wobangni",
    "chengniguiyan",
    "qinglaiwojiawan",
    "wolaifuqian",
    "woqingke",
    "xiaoyisi",
    "biekeqi",
    "qingyongzhege",
    "jiudengle",
    "buhaoyisi",
    "meiyoula",
    "woxiwangtanengxihuan",
    "meiwenti",
    "qingjin",
    "woxihuanni",
    "woaini",
    "womenzuopengyouba",
    "nixihuanshenmeyinyue",
    "jintianwoqingke",
    "womengefugede",
    "zhegebucuo",
    "keyimaipeiduidema",
    "niyaomaigeiwoma",
    "jintianxiexieni",
    "woxiangqinni",
    "xiacizaiquwan",
    "xiacishenmeshihoujian",
    "xialibairuhe",
    "beilianxiwo",
    "bendan",
    "taoyan",
    "womenzuopengyouba",
    "woyouxihuanderenle",
    "zhenshiduibuqi",
    "qingyuanliangwo",
    "woyizhiai",
    "ruguobushidehuabuxing",
    "nahuia",
    "woxiangxinni",
    "woshuodetaiguofen",
    "zenmehuishi",
    "zhendema",
    "zhenbuganxiangxin",
    "budeliao",
    "weixian",
    "xiawoyitiao",
    "xiashuo",
    "nizenmezhidao",
    "nakeshiwodiyiciting",
    "nikaiwanxiao",
    "duixinzangbuhao",
    "buhuiba",
    "zhenliaobuqi",
    "zhenshiqiaohe",
    "zhendema",
    "bukeneng",
    "bukesiyi",
    "duile",
    "zhending",
    "shia",
    "zhegema",
    "woyezhemerenwei",
    "shima",
    "ranhoune",
    "nadaoyeshi",
    "naguai",
    "weishenme",
    "duidui",
    "yidingshia",
    "houlaine",
    "yuanlairuci",
    "shenme",
    "nishuoshenme",
    "nigenwoshuoma",
    "shiwoma",
    "zaishuoyici",
    "nali",
    "shenmeyisi",
    "wotaigaoxing",
    "chengle",
    "gandongjile",
    "taihaole",
    "taibangle",
    "taimeile",
    "taishuangle",
    "taihaole",
    "zhongla",
    "bujiandan",
    "xingyun",
    "fangxinle",
    "jintianzhenshiyukuai",
    "zhaodaole",
    "zaogao",
    "shangnaojin",
    "buxing",
    "bienaole",
    "buyao",
    "zenmeban",
    "zhenshiqiguai",
    "taoyan",
    "woguanbuliao",
    "gaibuhuiyoushiba",
    "haizaiyouyuzhong",
    "esile",
    "buxiaodezenmeyang",
    "quanwanle",
    "jintianzhendaomei",
    "leisile",
    "guoranrucima",
    "nizhidao",
    "zenmeyang",
    "rangwoqiao",
    "nizaiganshenme",
    "zainali",
    "nagerenbushi",
    "nikanjianlema",
    "niyaoquna",
    "keyidakaima",
    "quheyibei",
    "zhegezenmexie",
    "yongzhongwenzenmeshuo",
    "nixianzaiyoukongma",
    "xianzaijidian",
    "shizheyangma",
    "nijuedezenyang",
    "zheshishenme",
    "nizaixiaoshenme",
    "wogairuheshihao",
    "zheyangxingma",
    "nixihuanwoma",
    "nixiangyaoshenme",
    "fashengshenmeshi",
    "tingshuishuode",
    "weiwei",
    "niyaohuiquma",
    "youmeiyouwangjidongxi",
    "keyiwenyixiama",
    "hebeicaruhe",
    "keyia",
    "qingqing",
    "meiwenti",
    "dangrankeyi",
    "keyia",
    "haoba",
    "womeiwenti",
    "zhenmeibanfa",
    "zheyexing",
    "xiaciba",
    "yijinggoule",
    "suiranjihuinande",
    "meiyouxinsi",
    "xianzaihenmang",
    "buxing",
    "qingwuchouyan",
    "qingwuzaicixuanhua",
    "woyoushi",
    "buqule",
    "nage",
    "mamahuhuba",
    "yexuba",
    "wokaolvkaolv",
    "mimi",
    "zenmeshuone",
    "yejiushishuo",
    "jiushimeibanfama",
    "mafanni",
    "qinggeiwozhege",
    "baituo",
    "yibeizijiuzhemeyici",
    "jiujiaogeinile",
    "lairenajiuminga",
    "wojuedingba",
    "rangwokanyixia",
    "qinggeiwojihui",
    "qingzaishuoyibian",
    "quankaonile",
    "geiwoyidiantishiba",
    "qingrangyixia",
    "keyiqingkuaiyidianma",
    "guolaiba",
    "nicaicaikan",
    "geiwoyan",
    "nixiangxiangkan",
    "nizijizuoba",
    "batanonghao",
    "nidengzheqiao",
    "jiujiaogeiwoba",
    "daduma",
    "wofashi",
    "dangranle",
    "bieqidaitaigaole",
    "womeibawo",
    "woqueshishuoguole",
    "nikanwomeishuocuoba",
    "bubidanxin",
    "xinxinshizu",
    "nikanba",
    "taiqingeryijule",
    "jiandan",
    "wodayingni",
    "yidingdewo",
    "nibujuedema",
    "haozhuyi",
    "nahao",
    "bucuoa",
    "suanbucuo",
    "jiushinayanga",
    "nishuodedui",
    "woyeshizhemerenwei",
    "woyeshi",
    "wozancheng",
    "meiyouyiyi",
    "jiutingnide",
    "wobushinageyisi",
    "meiyourenzhemeshuo",
    "nizhishuoba",
    "biewuhui",
    "zhekebuxing",
    "womeiyouzhemeshuo",
    "nihaizhenganshuo",
    "dengyixia",
    "wowufazancheng",
    "nayouzhemepianyideshi",
    "nishenmeyisi",
    "wobuzhemerenwei",
    "shizheyangma",
    "zhegeyoudian",
    "kaishenmewanxiao",
    "zhenwuliao",
    "zhenshide",
    "genniwuguan",
    "suinidebian",
    "xiaoqi",
    "bugongping",
    "hushuo",
    "yaoniduoguanxianshi",
    "shoubuliao",
    "woyijingnile",
    "biecuiwo",
    "raolewo",
    "bietile",
    "biefalaosao",
    "zhenluosuo",
    "biedoule",
    "shenmea",
    "woshougoule",
    "nizaishuoshenme",
    "zhenmafan",
    "bieshuochunhua",
    "youlaile",
    "nibuyaotaiguofenle",
    "fashenmelaosao",
    "huogai",
    "taoyan",
    "bielita",
    "zaiduoshuoyemeiyong",
    "shougoule",
    "yaoniguan",
    "zhenshikewu",
    "naodaiyouwenti",
    "chajin",
    "shaolaifanwo",
    "zhenelie",
    "nibuyaotaiguofenle",
    "youlaile",
    "pianren",
    "zhenqiren",
    "fansi",
    "bendan",
    "dazuiba",
    "zhedaodizenmehuishi",
    "zhentu",
    "woyijinghunshenfali",
    "zhenbuxing",
    "daqijingshenlai",
    "bunengguaini",
    "nizenmele",
    "niliansebutaihao",
    "buyaoxiangtaiduole",
    "zhenyihan",
    "meibanfaa",
    "biezaiyi",
    "nimeishiba",
    "henxinkuwo",
    "yidingshunli",
    "nishishikanma",
    "nijuedezenmeyang",
    "haokelianwo",
    "bietaichengqiang",
    "biezhaoji",
    "lengjingdian",
    "jiayou",
    "buyaoshule",
    "youwopeibanzheni",
    "wozhanzainizhebian",
    "yaoyouzixin",
    "wozhichini",
    "buyaoqinei",
    "buyaonamedanxiao",
    "zhenbang",
    "gandebucuoma",
    "zhenlihai",
    "zhenxing",
    "zhenbang",
};

// The kanji keys in order of first appearance, with their number of rows.
const std::pair<const char*, int> kKanjiKeys[] = {
    {"a", 1},      {"ai", 11},    {"an", 9},    {"ang", 1},   {"ao", 7},     {"ba", 9},
    {"bai", 7},    {"ban", 16},   {"bang", 8},  {"bao", 17},  {"bei", 14},   {"beng", 1},
    {"ben", 3},    {"bian", 13},  {"biao", 5},  {"bi", 24},   {"bie", 1},    {"bin", 6},
    {"bing", 12},  {"bo", 21},    {"bu", 12},   {"cai", 10},  {"can", 7},    {"cang", 5},
    {"cao", 5},    {"ca", 1},     {"ce", 5},    {"ceng", 3},  {"cha", 7},    {"chai", 2},
    {"chan", 6},   {"chang", 14}, {"chao", 7},  {"che", 5},   {"chen", 8},   {"cheng", 14},
    {"chi", 15},   {"chong", 8},  {"chou", 11}, {"chuan", 7}, {"chuang", 4}, {"chu", 18},
    {"chui", 6},   {"chun", 8},   {"ci", 13},   {"cong", 5},  {"cou", 1},    {"cu", 8},
    {"cui", 9},    {"cun", 4},    {"cuo", 5},   {"da", 6},    {"dai", 14},   {"dan", 11},
    {"dang", 4},   {"dao", 11},   {"de", 3},    {"deng", 6},  {"dian", 13},  {"diao", 10},
    {"di", 24},    {"die", 8},    {"ding", 10}, {"dong", 10}, {"dou", 7},    {"duan", 7},
    {"du", 14},    {"dui", 5},    {"dun", 9},   {"duo", 7},   {"e", 18},     {"en", 1},
    {"er", 8},     {"fa", 10},    {"fan", 20},  {"fang", 11}, {"fei", 18},   {"fen", 13},
    {"feng", 16},  {"fou", 2},    {"fu", 52},   {"gai", 4},   {"gan", 11},   {"gang", 7},
    {"gao", 10},   {"ge", 15},    {"gei", 1},   {"geng", 8},  {"gen", 4},    {"gong", 14},
    {"gou", 11},   {"gua", 6},    {"guai", 2},  {"guan", 13}, {"guang", 3},  {"gu", 17},
    {"gui", 15},   {"guo", 8},    {"hai", 4},   {"ha", 1},    {"han", 18},   {"hang", 1},
    {"hao", 9},    {"he", 17},    {"hei", 1},   {"hen", 4},   {"heng", 5},   {"hong", 8},
    {"hou", 8},    {"hua", 10},   {"huai", 4},  {"huan", 13}, {"huang", 10}, {"hu", 21},
    {"hui", 26},   {"hun", 7},    {"huo", 10},  {"jia", 21},  {"jian", 39},  {"jiang", 12},
    {"jiao", 26},  {"ji", 62},    {"jie", 28},  {"jin", 26},  {"jing", 27},  {"jiong", 1},
    {"jiu", 20},   {"juan", 9},   {"ju", 33},   {"jue", 12},  {"jun", 11},   {"kai", 6},
    {"kan", 8},    {"kang", 5},   {"kao", 5},   {"ke", 14},   {"ken", 4},    {"kong", 4},
    {"kou", 5},    {"kuai", 2},   {"kuan", 2},  {"kuang", 9}, {"kua", 2},    {"ku", 8},
    {"kui", 13},   {"kun", 7},    {"kuo", 5},   {"la", 5},    {"lai", 5},    {"lian", 12},
    {"liang", 11}, {"lan", 12},   {"lang", 7},  {"lao", 6},   {"le", 2},     {"lei", 13},
    {"leng", 1},   {"liao", 14},  {"li", 38},   {"lie", 5},   {"lin", 13},   {"ling", 16},
    {"liu", 12},   {"long", 11},  {"lou", 6},   {"luan", 3},  {"lu", 33},    {"lue", 2},
    {"lun", 5},    {"luo", 11},   {"ma", 6},    {"mai", 7},   {"man", 9},    {"mang", 5},
    {"mao", 14},   {"mei", 18},   {"men", 3},   {"meng", 10}, {"mian", 11},  {"miao", 10},
    {"mi", 16},    {"mie", 2},    {"min", 9},   {"ming", 9},  {"mo", 20},    {"mou", 2},
    {"mu", 18},    {"na", 6},     {"nai", 3},   {"nang", 1},  {"nan", 4},    {"nao", 5},
    {"nei", 2},    {"neng", 1},   {"nen", 1},   {"nian", 7},  {"niang", 3},  {"niao", 3},
    {"ni", 11},    {"nie", 4},    {"ning", 4},  {"niu", 2},   {"nong", 5},   {"nuan", 1},
    {"nue", 2},    {"nu", 6},     {"nuo", 2},   {"ou", 5},    {"pa", 4},     {"pai", 6},
    {"pan", 11},   {"pang", 5},   {"pao", 9},   {"pei", 9},   {"peng", 9},   {"pen", 2},
    {"pian", 6},   {"piao", 9},   {"pi", 21},   {"pin", 8},   {"ping", 9},   {"po", 9},
    {"pu", 20},    {"qian", 27},  {"qiang", 9}, {"qiao", 13}, {"qia", 2},    {"qi", 48},
    {"qie", 7},    {"qin", 13},   {"qing", 13}, {"qiong", 3}, {"qiu", 10},   {"quan", 12},
    {"qu", 17},    {"que", 6},    {"qun", 2},   {"ran", 6},   {"rang", 4},   {"rao", 2},
    {"re", 2},     {"ren", 11},   {"ri", 1},    {"rong", 12}, {"rou", 4},    {"ruan", 2},
    {"ru", 12},    {"rui", 5},    {"run", 2},   {"ruo", 2},   {"sa", 4},     {"sai", 3},
    {"san", 3},    {"sang", 2},   {"sao", 4},   {"seng", 1},  {"sen", 1},    {"se", 3},
    {"sha", 9},    {"shai", 2},   {"shan", 18}, {"shang", 9}, {"shao", 14},  {"she", 13},
    {"shen", 19},  {"sheng", 15}, {"shi", 55},  {"shou", 12}, {"shuai", 3},  {"shua", 1},
    {"shuang", 4}, {"shuan", 1},  {"shu", 34},  {"shui", 4},  {"shun", 4},   {"shuo", 3},
    {"si", 20},    {"song", 10},  {"sou", 6},   {"suan", 3},  {"su", 15},    {"sui", 13},
    {"sun", 4},    {"suo", 7},    {"ta", 6},    {"tai", 7},   {"tan", 18},   {"tang", 9},
    {"tao", 12},   {"te", 1},     {"teng", 2},
};

} // namespace

class TablesTest : public QObject
{
    Q_OBJECT

private slots:
    void kanaTableIsExact();
    void kanaHiraganaMirrorsKatakana();
    void greetingTableShape();
    void greetingTexts();
    void kanjiTableHeaderAndSymbols();
    void kanjiRowsPerKeyAndPosition();
    void kanjiTexts();
    void tablesJoinLineByLine();
};

void TablesTest::kanaTableIsExact()
{
    const QByteArrayView bytes = phraseTable(PhraseTable::Kana);
    QCOMPARE(bytes.size(), 5881);
    QVERIFY(bytes.startsWith(QByteArray("\r\n") + toGbk(u"la,2=ァ\r\n")));
    const QStringList lines = linesOf(PhraseTable::Kana);
    QCOMPARE(lines.size(), 548);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[276], QStringLiteral("xke,2=ヶ"));
    QCOMPARE(lines[277], QStringLiteral("la,1=ぁ"));
    QCOMPARE(lines[547], QStringLiteral("vyo,1=ヴょ"));

    const auto entries = entriesOf(lines);
    QCOMPARE(entries.size(), size_t(547));
    int katakana = 0;
    QSet<QString> keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        QCOMPARE(e.position, i < 276 ? 2 : 1);
        katakana += e.position == 2;
        keys.insert(e.key);
        QVERIFY2(toGbk(lines[qsizetype(i) + 1]).size() <= 10, qPrintable(lines[qsizetype(i) + 1]));
        // Each block runs by text in GBK order, then by key.
        if (i != 0 && i != 276) {
            const Entry& before = entries[i - 1];
            const QByteArray a = toGbk(before.text), b = toGbk(e.text);
            QVERIFY2(a < b || (a == b && before.key < e.key), qPrintable(e.key));
        }
    }
    QCOMPARE(katakana, 276);
    QCOMPARE(keys.size(), 276);
    QVERIFY(!keys.contains(QStringLiteral("n")));
    QCOMPARE(std::count_if(entries.begin(), entries.end(),
                           [](const Entry& e) { return e.key.size() == 4; }),
             2 * 1);
    for (const char* row :
         {"ltsu,2=ッ", "xtu,1=っ", "nn,2=ン", "xn,1=ん", "qwa,2=クァ", "cya,1=ちゃ", "fyi,2=フィ",
          "va,1=ヴぁ", "whe,2=ウェ", "thi,1=てぃ", "xka,2=ヵ"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);
}

void TablesTest::kanaHiraganaMirrorsKatakana()
{
    const auto entries = entriesOf(linesOf(PhraseTable::Kana));
    std::vector<Entry> expected;
    for (size_t i = 0; i < 276; ++i) {
        Entry e = entries[i];
        if (QStringList{"vu", "lka", "xka", "lke", "xke"}.contains(e.key))
            continue; // no hiragana form in GBK
        for (QChar& c : e.text) {
            if (c >= QChar(0x30A1) && c <= QChar(0x30F3))
                c = QChar(c.unicode() - 0x60);
        }
        e.position = 1;
        expected.push_back(e);
    }
    QCOMPARE(expected.size(), size_t(271));
    for (size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(entries[276 + i].key, expected[i].key);
        QCOMPARE(entries[276 + i].text, expected[i].text);
    }
}

void TablesTest::greetingTableShape()
{
    const QStringList lines = linesOf(PhraseTable::Greeting);
    const auto entries = entriesOf(lines);
    QCOMPARE(lines.size(), 348);
    QCOMPARE(entries.size(), size_t(348));
    for (size_t i = 0; i < entries.size(); ++i) {
        QCOMPARE(entries[i].key, QString::fromLatin1(kGreetingKeys[i]));
        QCOMPARE(entries[i].position, 1);
    }
    verifyNoRowTwice(entries);
    // A key that repeats offers a different text each time.
    QHash<QString, QSet<QString>> textsByKey;
    for (const Entry& e : entries) {
        QVERIFY2(!textsByKey[e.key].contains(e.text), qPrintable(e.key));
        textsByKey[e.key].insert(e.text);
    }
    QCOMPARE(textsByKey.size(), 329);

    QCOMPARE(lines.first(), QStringLiteral("nihao,1=こんにちは"));
    QCOMPARE(lines.last(), QStringLiteral("zhenbang,1=すばらしい"));
    const QString firstOf[][2] = {
        {"xiexie", "ありがとうございます"}, {"zhendema", "本当"}, {"bendan", "…のバカ"}};
    for (const auto& [key, text] : firstOf) {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const Entry& e) { return e.key == key; });
        QCOMPARE(it->text, text);
    }
    const int zaijian = int(lines.indexOf(QStringLiteral("zaijian,1=さようなら")));
    QVERIFY(zaijian >= 0);
    QCOMPARE(lines[zaijian + 1], QStringLiteral("zaijian,1=また後で"));
    for (const char* row :
         {"youmeiyouwangjidongxi,1=忘れ物ない", "zaishuoyici,1=すみません、もう一度お願いします",
          "lairenajiuminga,1=助けて!誰か来て", "daiwoxiangwenhao,1=…によろしく",
          "ruguobushidehuabuxing,1=おれ、…じゃなきゃダメなんだ"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);

    // Typing a greeting key never brings up kana or kanji, nor the reverse.
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kana)));
    QVERIFY(!keysOf(PhraseTable::Greeting).intersects(keysOf(PhraseTable::Kanji)));
}

void TablesTest::greetingTexts()
{
    int names = 0, exclamations = 0;
    for (const Entry& e : entriesOf(linesOf(PhraseTable::Greeting))) {
        const QString& t = e.text;
        QVERIFY2(t.size() >= 2 && t.size() <= 16, qPrintable(t));
        for (const QChar c : t) {
            const char16_t u = c.unicode();
            const bool kana =
                (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) || u == 0x30FC;
            const bool kanji = u >= 0x4E00 && u <= 0x9FFF;
            const bool punctuation = QStringLiteral("、…～，々!").contains(c);
            QVERIFY2(kana || kanji || punctuation, qPrintable(e.key + QLatin1Char('=') + t));
        }
        names += t.contains(QStringLiteral("…"));
        exclamations += int(t.count(QLatin1Char('!')));
    }
    QCOMPARE(names, 7);
    QCOMPARE(exclamations, 1);
}

void TablesTest::kanjiTableHeaderAndSymbols()
{
    const QStringList lines = linesOf(PhraseTable::Kanji);
    QCOMPARE(lines.size(), 2782);
    const QStringList head = {QStringLiteral(";  时间："),
                              {},
                              {},
                              {},
                              QStringLiteral("dh,1=、"),
                              QStringLiteral("jh,1=。"),
                              QStringLiteral("lq,1=「"),
                              QStringLiteral("rq,1=」"),
                              QStringLiteral("ling,1=○"),
                              QStringLiteral("i,1=ゐ"),
                              QStringLiteral("i,1=ヰ"),
                              QStringLiteral("e,1=ゑ"),
                              QStringLiteral("e,1=ヱ"),
                              QStringLiteral("lian,1=ー"),
                              QStringLiteral("same,1=々")};
    QCOMPARE(lines.first(head.size()), head);
    QCOMPARE(lines.last(), QStringLiteral("teng,3=藤"));
    for (const QString& line : lines)
        QVERIFY2(toGbk(line).size() <= 11, qPrintable(line));
}

void TablesTest::kanjiRowsPerKeyAndPosition()
{
    const auto entries = entriesOf(linesOf(PhraseTable::Kanji).mid(15));
    QCOMPARE(entries.size(), size_t(2767));

    QStringList firstSeen;
    QHash<QString, int> rows;
    QHash<QString, QList<int>> positions;
    for (const Entry& e : entries) {
        if (!rows.contains(e.key))
            firstSeen << e.key;
        ++rows[e.key];
        positions[e.key] << e.position;
    }
    QStringList expectedOrder;
    for (const auto& [key, count] : kKanjiKeys) {
        expectedOrder << QString::fromLatin1(key);
        QCOMPARE(rows.value(QString::fromLatin1(key)), count);
    }
    QCOMPARE(firstSeen, expectedOrder);

    // The first keys spread over positions 3 to 9; every later row is at 3.
    const QHash<QString, QList<int>> spread = {
        {"a", {3}},
        {"ai", {4, 5, 6, 7, 8, 9, 9, 9, 9, 9, 9}},
        {"an", {3, 4, 5, 6, 7, 8, 9, 9, 9}},
        {"ang", {3}},
        {"ao", {3, 4, 5, 6, 7, 8, 9}},
        {"ba", {3, 3, 4, 5, 6, 7, 8, 9, 9}},
        {"bai", {3, 4, 5, 6, 7, 8, 9}},
        {"ban", {3, 4, 5, 6, 7, 8, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}},
        {"bang", {3, 4, 5, 6, 7, 8, 9, 9}},
        {"bao", QList<int>(17, 9)},
        {"bei", QList<int>(14, 9)},
        {"beng", {3}},
        {"ben", {3, 4, 5}}};
    for (auto it = positions.begin(); it != positions.end(); ++it) {
        QList<int> used = it.value();
        std::sort(used.begin(), used.end());
        QCOMPARE(used, spread.value(it.key(), QList<int>(used.size(), 3)));
    }
    QCOMPARE(entries[1].text, QStringLiteral("癌"));
    QCOMPARE(entries[1].key, QStringLiteral("ai"));
    QCOMPARE(entries[1].position, 9);
}

void TablesTest::kanjiTexts()
{
    const QStringList lines = linesOf(PhraseTable::Kanji);
    const auto entries = entriesOf(lines.mid(15));
    verifyNoRowTwice(entries);
    QHash<QString, QSet<QString>> keysByKanji;
    for (const Entry& e : entries) {
        QCOMPARE(e.text.size(), 1);
        const char16_t u = e.text.front().unicode();
        QVERIFY2((u >= 0x4E00 && u <= 0x9FFF) || (u >= 0x3400 && u <= 0x4DBF), qPrintable(e.text));
        QVERIFY2(e.key != QStringLiteral("lv") && e.key != QStringLiteral("nv"), qPrintable(e.key));
        keysByKanji[e.text].insert(e.key);
    }
    for (const char* row : {"a,3=阿", "ai,9=愛", "ba,6=抜", "bian,3=辺", "cang,3=蔵"})
        QVERIFY2(lines.contains(QString::fromUtf8(row)), row);
    QCOMPARE(keysByKanji.value(QStringLiteral("浜")), (QSet<QString>{"bang", "bin"}));
    QCOMPARE(keysByKanji.value(QStringLiteral("都")), (QSet<QString>{"dou", "du"}));
    // Japanese forms, never the simplified ones.
    for (const char* simplified : {"气", "爱", "边", "拔", "发", "藏"})
        QVERIFY2(!keysByKanji.contains(QString::fromUtf8(simplified)), simplified);
}

void TablesTest::tablesJoinLineByLine()
{
    const QByteArray all = phraseTable(PhraseTable::Kana).toByteArray() +
                           phraseTable(PhraseTable::Greeting).toByteArray() +
                           phraseTable(PhraseTable::Kanji).toByteArray();
    const QStringList lines = fromGbk(all).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3678 + 1);
    QCOMPARE(lines[547], QStringLiteral("vyo,1=ヴょ"));
    QCOMPARE(lines[548], QStringLiteral("nihao,1=こんにちは"));
    QCOMPARE(lines[895], QStringLiteral("zhenbang,1=すばらしい"));
    QCOMPARE(lines[896], QStringLiteral(";  时间："));
    const QStringList kanaKanji = fromGbk(phraseTable(PhraseTable::Kana).toByteArray() +
                                          phraseTable(PhraseTable::Kanji).toByteArray())
                                      .split(QStringLiteral("\r\n"));
    QCOMPARE(kanaKanji[548], QStringLiteral(";  时间："));
}

QTEST_GUILESS_MAIN(TablesTest)
#include "tst_tables.moc"
