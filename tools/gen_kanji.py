#!/usr/bin/env python3
"""Generate src/tables/kanji.txt, the kanji table: toneless pinyin -> one Japanese kanji.

Run from the repository root (run by hand, not part of the build):

    python3 tools/gen_kanji.py

Needs only Python 3 and the Unicode Han database as Debian's unicode-data package
ships it (/usr/share/unicode/Unihan_*.txt.bz2). The output is deterministic; the
script checks it against the table design below and exits non-zero if any key
cannot be filled.

How a row is chosen
  * Candidates are kanji of JIS X 0208 (kJis0) that also exist in GBK, minus the
    forms Japanese does not write (old forms, Chinese simplified forms, variants;
    see the EXCLUDE section).
  * A candidate's readings are its own kMandarin / kHanyuPinlu / kXHC1983 /
    kHanyuPinyin readings plus those of the traditional character it stands for
    (SOURCES): 辺 <- 邊, 蔵 <- 藏, 気 <- 氣 ...  Readings a Japanese form only
    has by coinciding with an unrelated Chinese character are dropped (SUPPRESS).
  * Ranking within a key: reading strength first (a customary reading before a
    heteronym seen in modern text, before a dictionary-only reading), then
    Joyo, Jinmeiyo, JIS level 1, JIS level 2, then how often that reading of the
    character occurs in modern Chinese (kHanyuPinlu, then kFrequency).
  * Editorial lists below adjust the result: PREFER puts a kanji first,
    CUSTOMARY raises a reading the database under-ranks, REPLACE gives the row
    of a kanji a Japanese reader hardly meets to a better-known one.
  * A kanji stands under one key only, except 浜 and 都 (SHARED). Where it has
    several readings, ONE_KEY says which key keeps it; the other keys take
    their next candidates.
"""

import bz2
import collections
import os
import sys
import unicodedata

UNIHAN = '/usr/share/unicode/Unihan_%s.txt.bz2'
OUT = os.path.join('src', 'tables', 'kanji.txt')

# ---------------------------------------------------------------------------
# Table design
# ---------------------------------------------------------------------------

HEADER = [';  时间：', '', '', '']
SYMBOL_ROWS = ['dh,1=、', 'jh,1=。', 'lq,1=「', 'rq,1=」', 'ling,1=○', 'i,1=ゐ',
               'i,1=ヰ', 'e,1=ゑ', 'e,1=ヱ', 'lian,1=ー', 'same,1=々']

# Keys in order of first appearance, with their number of kanji rows.
KEYS = """
a 1, ai 11, an 9, ang 1, ao 7, ba 9, bai 7, ban 16, bang 8, bao 17, bei 14,
beng 1, ben 3, bian 13, biao 5, bi 24, bie 1, bin 6, bing 12, bo 21, bu 12,
cai 10, can 7, cang 5, cao 5, ca 1, ce 5, ceng 3, cha 7, chai 2, chan 6,
chang 14, chao 7, che 5, chen 8, cheng 14, chi 15, chong 8, chou 11, chuan 7,
chuang 4, chu 18, chui 6, chun 8, ci 13, cong 5, cou 1, cu 8, cui 9, cun 4,
cuo 5, da 6, dai 14, dan 11, dang 4, dao 11, de 3, deng 6, dian 13, diao 10,
di 24, die 8, ding 10, dong 10, dou 7, duan 7, du 14, dui 5, dun 9, duo 7,
e 18, en 1, er 8, fa 10, fan 20, fang 11, fei 18, fen 13, feng 16, fou 2,
fu 52, gai 4, gan 11, gang 7, gao 10, ge 15, gei 1, geng 8, gen 4, gong 14,
gou 11, gua 6, guai 2, guan 13, guang 3, gu 17, gui 15, guo 8, hai 4, ha 1,
han 18, hang 1, hao 9, he 17, hei 1, hen 4, heng 5, hong 8, hou 8, hua 10,
huai 4, huan 13, huang 10, hu 21, hui 26, hun 7, huo 10, jia 21, jian 39,
jiang 12, jiao 26, ji 62, jie 28, jin 26, jing 27, jiong 1, jiu 20, juan 9,
ju 33, jue 12, jun 11, kai 6, kan 8, kang 5, kao 5, ke 14, ken 4, kong 4,
kou 5, kuai 2, kuan 2, kuang 9, kua 2, ku 8, kui 13, kun 7, kuo 5, la 5,
lai 5, lian 12, liang 11, lan 12, lang 7, lao 6, le 2, lei 13, leng 1,
liao 14, li 38, lie 5, lin 13, ling 16, liu 12, long 11, lou 6, luan 3,
lu 33, lue 2, lun 5, luo 11, ma 6, mai 7, man 9, mang 5, mao 14, mei 18,
men 3, meng 10, mian 11, miao 10, mi 16, mie 2, min 9, ming 9, mo 20, mou 2,
mu 18, na 6, nai 3, nang 1, nan 4, nao 5, nei 2, neng 1, nen 1, nian 7,
niang 3, niao 3, ni 11, nie 4, ning 4, niu 2, nong 5, nuan 1, nue 2, nu 6,
nuo 2, ou 5, pa 4, pai 6, pan 11, pang 5, pao 9, pei 9, peng 9, pen 2,
pian 6, piao 9, pi 21, pin 8, ping 9, po 9, pu 20, qian 27, qiang 9,
qiao 13, qia 2, qi 48, qie 7, qin 13, qing 13, qiong 3, qiu 10, quan 12,
qu 17, que 6, qun 2, ran 6, rang 4, rao 2, re 2, ren 11, ri 1, rong 12,
rou 4, ruan 2, ru 12, rui 5, run 2, ruo 2, sa 4, sai 3, san 3, sang 2,
sao 4, seng 1, sen 1, se 3, sha 9, shai 2, shan 18, shang 9, shao 14,
she 13, shen 19, sheng 15, shi 55, shou 12, shuai 3, shua 1, shuang 4,
shuan 1, shu 34, shui 4, shun 4, shuo 3, si 20, song 10, sou 6, suan 3,
su 15, sui 13, sun 4, suo 7, ta 6, tai 7, tan 18, tang 9, tao 12, te 1,
teng 2
"""
KEYS = [(k, int(n)) for k, n in (item.split() for item in KEYS.split(','))]

# Candidate positions of the first keys; every other row is at position 3.
# Listed as (position, number of rows).
POSITIONS = {
    'a': [(3, 1)],
    'ai': [(4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 6)],
    'an': [(3, 1), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 3)],
    'ang': [(3, 1)],
    'ao': [(3, 1), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 1)],
    'ba': [(3, 2), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 2)],
    'bai': [(3, 1), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 1)],
    'ban': [(3, 1), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 10)],
    'bang': [(3, 1), (4, 1), (5, 1), (6, 1), (7, 1), (8, 1), (9, 2)],
    'bao': [(9, 17)],
    'bei': [(9, 14)],
    'beng': [(3, 1)],
    'ben': [(3, 1), (4, 1), (5, 1)],
}
DEFAULT_POSITION = 3

# Rows whose place is fixed: the key's first row, rows at a given position,
# rows that must be present, and the last row of the table.
FIRST_ROW = {'ai': ('癌', 9)}
PINNED_POSITION = {('ai', '愛'): 9, ('ba', '抜'): 6}
REQUIRED = [('a', '阿'), ('ai', '癌'), ('ai', '愛'), ('ba', '抜'), ('bian', '辺'), ('cang', '蔵'),
            ('bang', '浜'), ('bin', '浜'), ('dou', '都'), ('du', '都'), ('teng', '藤')]
LAST_ROW = ('teng', '藤')

MAX_LINE_BYTES = 11
TOTAL_LINES = 2782

# ---------------------------------------------------------------------------
# Editorial decisions (reviewable)
# ---------------------------------------------------------------------------

# SOURCES: the traditional character a Japanese form stands for, where the
# database does not link them itself (old forms in the Jinmeiyo list and a
# form's own kTraditionalVariant are linked automatically). The source gives
# the reading and the frequency data.
SOURCES = {
    '圧': '壓', '囲': '圍', '壱': '壹', '営': '營', '駅': '驛', '仮': '假',
    '絵': '繪', '拡': '擴', '殻': '殼', '覚': '覺', '勧': '勸', '歓': '歡',
    '観': '觀', '関': '關', '帰': '歸', '亀': '龜', '犠': '犧', '拠': '據',
    '挙': '擧', '駆': '驅', '渓': '溪', '経': '經', '継': '繼', '蛍': '螢',
    '軽': '輕', '権': '權', '鉱': '鑛', '済': '濟', '斎': '齋', '剤': '劑',
    '桟': '棧', '賛': '贊', '讃': '讚', '歯': '齒', '舎': '舍', '釈': '釋',
    '粛': '肅', '壌': '壤', '図': '圖', '髄': '髓', '銭': '錢', '続': '續',
    '対': '對', '択': '擇', '沢': '澤', '弐': '貳', '遅': '遲', '鉄': '鐵',
    '闘': '鬭', '読': '讀', '縄': '繩', '悩': '惱', '脳': '腦', '廃': '廢',
    '発': '發', '浜': '濱', '辺': '邊', '弁': '辨辯瓣', '舗': '舖鋪', '豊': '豐',
    '満': '滿', '麺': '麵', '戻': '戾', '訳': '譯', '霊': '靈', '齢': '齡',
    '労': '勞', '両': '兩', '猟': '獵', '隷': '隸', '糸': '絲', '欠': '缺',
    '缶': '罐', '査': '查', '処': '處', '挿': '插', '窓': '窗', '総': '總',
    '聡': '聰', '駄': '馱', '逓': '遞', '姫': '姬', '氷': '冰', '頬': '頰',
    '効': '效', '呉': '吳', '娯': '娛', '姉': '姊', '虫': '蟲', '台': '臺',
    '予': '豫', '余': '餘', '芸': '藝', '万': '萬', '与': '與', '号': '號',
    '変': '變', '艶': '艷', '塩': '鹽', '穏': '穩', '歳': '歲', '戸': '戶',
    '諌': '諫', '醗': '醱',
    # JIS level 1 forms whose level 2 traditional form is left out
    '賎': '賤', '潅': '灌', '頚': '頸', '壷': '壺', '撹': '攪',
}

# SUPPRESS: (kanji, key) pairs left out: readings a Japanese form has only
# because it coincides with an unrelated Chinese character (仮 stands for 假
# jia, not for the fan the database gives it), and dictionary-only readings
# that would mislead a learner.
SUPPRESS = {
    ('仮', 'fan'), ('価', 'si'), ('囲', 'tong'), ('軽', 'zhi'), ('鉄', 'zhi'),
    ('伝', 'yun'), ('払', 'fan'), ('豊', 'li'), ('戻', 'ti'), ('糸', 'mi'),
    ('戯', 'hu'), ('竜', 'neng'), ('弁', 'pan'), ('俸', 'beng'), ('萠', 'pan'),
    ('芸', 'yun'), ('芸', 'yu'), ('諌', 'dong'),
    ('苧', 'ning'),     # 苧 is ramie (zhu); ning belongs to 薴
    ('謁', 'ai'), ('庵', 'e'), ('叱', 'e'), ('叱', 'hua'), ('喫', 'kai'),
    ('扱', 'cha'), ('扱', 'qi'), ('瘍', 'dang'), ('颯', 'li'), ('仏', 'fu'),
    ('跳', 'diao'), ('刀', 'diao'), ('挑', 'diao'), ('敦', 'diao'), ('搬', 'su'),
    ('鳥', 'diao'),     # vulgar
}

# DEMOTE: their readings only fill a key once everything else is used.
DEMOTE = set(
    # Kokuji: made in Japan; the database's Mandarin reading is borrowed
    # from a phonetic part.
    '働込枠峠匂畑畠栃笹凧辻匁麿凪籾雫榊樫椛柾鰯躾鴫鱈糀粁粍糎瓩噺鋲鞆鵆杣'
    '枡桝栂栫椚榁樮槝襷裃褄逧硲怺俣凩壗杁竍籵掵穃椙垪簓椣岾屶杢嚊鑓俤'
    # Japanese sense unrelated to the Mandarin reading.
    '喰塀捗冴伜姶垈鯵鰹'
)

# Non-Joyo/Jinmeiyo JIS level 1 characters that are variants of a standard
# kanji Japanese writes instead.
EXCLUDE_LEVEL1 = set('栢舘彊碕廼柁邉楳穐篭鎗')

# JIS level 2 characters the database links to a standard kanji (or marks as
# Chinese simplified forms) that are nevertheless words of their own in
# Japanese, so they stay.
KEEP_LEVEL2 = set('瘧剋孀孰拆掉旁晁澳澹瀋瓷籐絣綢肆蔔藉螫譚釵鞦韆鬆鯰矇纔姆'
                  '刮奸姜洒漓疱辟弑抛杆凭')

# Any other character to leave out, with the reason in a comment.
EXCLUDE = set(
    '气'        # simplified form of 氣 (Japanese 気)
    '舉澀'      # old forms of 挙 渋
    '廁罸旙辧劔劒剱暸丗蘓鮹'   # variants of 厠 罰 旛 辦 剣 剣 剣 瞭 世 蘇 蛸
    '賤灌頸壺攪'  # traditional forms; JIS level 1 has 賎 潅 頚 壷 撹, kept as with 碍/礙
    '砿礦鑪鈩宍'  # variants of 鉱 鉱 炉 炉 肉
    '羮飃墻舮幎'  # variants of 羹 飄 牆 艫 冪
    # Radicals, not words
    '亅冖宀彡攴攵凵匚夊爿髟冂丨丶丿亠勹匸卩厶夂巛廴廾彐彳疒癶禸襾辵黹屮'
)

# PREFER: kanji to put first under a key, in this order, where the ranking
# above would bury the character a learner expects.
PREFER = {
    'ba': '八',
    'de': '徳的得',     # 地 (de) stands under di
    'hai': '海害',      # before 還 (hai, "still"), which Japanese reads as huan
}

# CUSTOMARY: (kanji, key) pairs the database ranks as a rare reading although
# it is the everyday reading of a word a Japanese reader knows; they rank as
# customary readings.
CUSTOMARY = {
    ('肋', 'lei'),      # 肋骨 leigu
    ('膀', 'pang'),     # 膀胱 pangguang
    ('彷', 'pang'),     # 彷徨 panghuang
    ('傀', 'kui'),      # 傀儡 kuilei
}

# REPLACE: under a key, a kanji a Japanese reader hardly meets (or one whose
# only link to the key is an obscure reading) gives its row to a better-known
# kanji with the same reading. Pairs of old and new; the new kanji takes its
# own place in the ranking.
REPLACE = {
    'bo': ['亳菠'],                  # 亳 is a place name; 菠薐草, bocai
    'che': ['偖掣'],                 # 掣肘
    'chu': ['俶楮'],                 # 楮, paper mulberry
    'cu': ['徂蹙'],                  # 顰蹙
    'dian': ['癜癲'],                # 癲癇
    'e': ['咢堊'],                   # 白堊
    'fu': ['嘸腑', '俛麩', '坿馥', '孚蝮'],   # 臓腑, 麩, 馥郁, 蝮
    'gang': ['槓肛'],                # 肛門
    'gao': ['杲睾'],                 # 睾丸
    'gou': ['佝枸', '冓篝'],         # 枸杞, 篝火
    'guan': ['丱鸛'],                # 鸛, stork
    'guo': ['咼堝'],                 # 坩堝
    'han': ['歛頷', '莟酣'],         # 歛 is read lian; 頷く, 酣
    'he': ['閤涸'],                  # 閤 is a Jinmeiyo kanji only in 太閤
    'hui': ['恚蛔'],                 # 蛔虫
    'jian': ['蒹僭'],                # 僭越
    'jiao': ['窖僥'],                # 僥倖
    'jie': ['訐拮'],                 # 拮抗
    'jing': ['逕痙'],                # 逕 is a variant of 径 (already under jing); 痙攣
    'jiu': ['啾柩'],                 # 霊柩
    'ju': ['娵疽', '怐欅'],          # 壊疽, 欅
    'jun': ['儁浚'],                 # 儁 is a variant of 俊 (already under jun); 浚渫
    'kai': ['揩愾'],                 # 敵愾心
    'kan': ['坎瞰'],                 # 鳥瞰, 俯瞰
    'kuang': ['昿誑'],               # 昿 is a variant of 曠 (already under kuang)
    'kui': ['喟隗', '逵馗'],         # 隗より始めよ, 鍾馗
    'kun': ['壼褌'],                 # 壼 is easily taken for 壺; 褌
    'long': ['哢隴'],                # 隴を得て蜀を望む
    'lu': ['蓼輅'],                  # 蓼 is read liao; lu only in the Book of Odes
    'lun': ['侖崙'],                 # 崑崙
    'min': ['愍罠'],                 # 愍 is a variant of 憫 (already under min)
    'ming': ['暝瞑', '溟酩'],        # 瞑想, 酩酊
    'mo': ['万獏'],                  # 万 is mo only in the surname 万俟
    'nao': ['呶瑙'],                 # 瑪瑙
    'pang': ['厖滂'],                # 滂沱
    'peng': ['怦澎'],                # 澎湃
    'pi': ['甓砒'],                  # 砒素
    'ping': ['娉鮃'],                # 鮃, flatfish
    'qi': ['圻臍'],                  # 臍
    'qian': ['俔箝', '孅蕁', '慊慳'],   # 箝口, 蕁麻疹, 慳貪
    'qiang': ['椌羌'],               # 羌
    'qing': ['勍磬'],                # 磬
    'ru': ['洳褥'],                  # 褥瘡
    'she': ['慴麝'],                 # 麝香
    'shen': ['哂蜃', '罧蔘'],        # 蜃気楼, 人蔘
    'shi': ['寔虱', '葹諡'],         # 虱, 諡号
    'shu': ['藷贖'],                 # 藷 is a variant of 薯 (already under shu); 贖罪
    'su': ['埣蓿'],                  # 埣 has no su reading in use; 苜蓿
}

# SHARED: the only kanji that stand under more than one key.
SHARED = {'浜': {'bang', 'bin'}, '都': {'dou', 'du'}}

# ONE_KEY: the key a kanji with several readings keeps, the reading a Chinese
# reader knows it by (or the one its Japanese use needs); every other key
# passes it over.
ONE_KEY = {
    '柏': 'bai',    # baishu, cypress; bo only in Bolin (Berlin)
    '弁': 'bian',   # bian for 辨 辯 and its own reading; ban only for 瓣
    '膀': 'pang',   # Japanese writes it only in 膀胱 pangguang
    '薄': 'bao',    # bao, thin (usui), the commoner reading
    '臂': 'bi',     # shoubi; bei only in gebei
    '杓': 'shao',   # shaozi, ladle, as in Japanese
    '辟': 'bi',     # 辟易, 辟邪; its pi sense (kaipi) is 闢, already under pi
    '泊': 'bo',     # tingbo, to anchor or stay, as in Japanese; po is a lake
    '卜': 'bu',     # zhanbu; bo only in luobo
    '差': 'cha',    # chabie, chabuduo; chai only in chuchai
    '刹': 'cha',    # 刹那, 古刹; sha (shache) is not a Japanese use
    '称': 'cheng',  # chenghu; chen only in duichen, xiangchen
    '沈': 'chen',   # chen, to sink, as in Japanese; shen is the surname
    '盛': 'sheng',  # shengda; cheng only in chengfan
    '沓': 'ta',     # 雑沓, fenzhitalai; da is a measure word
    '弾': 'dan',    # zidan, dangao; the commoner reading
    '缶': 'fou',    # its own reading; fou has no other kanji, guan has many
    '乾': 'gan',    # 乾燥, 乾杯: gan, dry, is its Japanese use
    '袷': 'jia',    # jia, a lined garment (awase); qia only in qiapan
    '覚': 'jue',    # juede, ganjue; jiao only in shuijiao
    '藉': 'jie',    # 慰藉, 藉口; ji only in langji
    '殻': 'ke',     # ke, the commoner reading of a shell
    '了': 'le',     # le, the particle every reader knows; le has room for it
    '六': 'liu',    # liu, six; lu only in place names
    '模': 'mo',     # moxing, mofan; mu only in muyang
    '朴': 'pu',     # pusu (樸); piao is a Korean surname
    '欠': 'qian',   # its own reading, which also means to lack; que has other kanji
    '湯': 'tang',   # tang, soup, hot water; shang only in shangshang, archaic
    '似': 'si',     # xiangsi, to resemble; shi only in shide, a particle
    '縮': 'suo',    # suoxiao; su only in a plant name
    '場': 'chang',  # changsuo; shang is a historical reading only
    '角': 'jiao',   # jiaodu; lu only in the old place name Luli
    '醗': 'fa',     # 醗酵 fajiao; po only in popei, to brew again
    '姥': 'mu',     # mu, old woman, as in 山姥; lao only in laolao, and lao has 烙
    '谷': 'gu',     # gu, valley; lu only in the old title Luli
    # The commoner reading's key has plenty of kanji, the other key none
    # with a living reading, so these stand under the other key.
    '頚': 'geng',   # jing (jingbu), but geng (bogeng'r) would get 硬, read geng only of old
    '蘋': 'pin',    # ping (pingguo), but pin (a water plant) would get 匕, read bi
    '檳': 'bing',   # bin (binlang), but bing (bingzi) would get 梹, a variant of 檳
    '鞘': 'shao',   # qiao (daoqiao), but shao (bianshao) would get 召, a surname
}

# ---------------------------------------------------------------------------
# Unihan
# ---------------------------------------------------------------------------

def load_unihan():
    data = collections.defaultdict(dict)
    for part in ('Readings', 'OtherMappings', 'Variants', 'DictionaryLikeData'):
        with bz2.open(UNIHAN % part, 'rt', encoding='utf-8') as fh:
            for line in fh:
                if line.startswith('U+'):
                    cp, field, value = line.rstrip('\n').split('\t')
                    data[chr(int(cp[2:], 16))][field] = value
    return data


def code_point(ref):
    return chr(int(ref.split('<')[0][2:], 16))


TONE_MARKS = {'\u0304', '\u0301', '\u030c', '\u0300'}


def toneless(pinyin):
    """'lüè' -> 'lve'; 'qì' -> 'qi'."""
    s = unicodedata.normalize('NFD', pinyin.lower())
    s = ''.join(ch for ch in s if ch not in TONE_MARKS)
    s = s.replace('u\u0308', 'v')
    return unicodedata.normalize('NFC', s)


def key_of(syllable):
    """The table key of a toneless syllable, or None (lü, nü have no key)."""
    if syllable in ('lve', 'nve'):
        return syllable[0] + 'ue'
    if 'v' in syllable or not syllable.isalpha() or not syllable.isascii():
        return None
    return syllable


class Han:
    def __init__(self, data):
        self.d = data

    def field(self, ch, name):
        return self.d.get(ch, {}).get(name, '')

    def variants(self, ch, name):
        return [code_point(v) for v in self.field(ch, name).split()]

    def mandarin(self, ch):
        return {toneless(p) for p in self.field(ch, 'kMandarin').split()}

    def pinlu(self, ch):
        counts = {}
        for item in self.field(ch, 'kHanyuPinlu').split():
            syl, n = item.rstrip(')').split('(')
            syl = toneless(syl)
            counts[syl] = counts.get(syl, 0) + int(n)
        return counts

    def xhc(self, ch):
        return {toneless(e.split(':')[1]) for e in self.field(ch, 'kXHC1983').split()}

    def hdz(self, ch):
        out = set()
        for e in self.field(ch, 'kHanyuPinyin').split():
            out.update(toneless(p) for p in e.split(':')[1].split(','))
        return out

    def frequency(self, ch):
        f = self.field(ch, 'kFrequency')
        return int(f) if f else 9


# ---------------------------------------------------------------------------
# Candidates
# ---------------------------------------------------------------------------

def in_gbk(ch):
    try:
        return ch.encode('gbk').decode('gbk') == ch
    except UnicodeError:
        return False


def build_candidates(han):
    d = han.d
    joyo = {c for c in d if 'kJoyoKanji' in d[c]}
    jinmei = {c for c in d if 'kJinmeiyoKanji' in d[c]}

    # Old forms: Jinmeiyo entries that point at the Joyo kanji replacing them.
    old_of = collections.defaultdict(set)
    old_forms = set()
    variant_pair = set()     # second member of a Jinmeiyo pair such as 亘/亙
    for c in jinmei:
        v = d[c]['kJinmeiyoKanji']
        if ':' in v:
            target = code_point(v.split(':')[1])
            if target in joyo:
                old_of[target].add(c)
                old_forms.add(c)
            elif target != c:
                variant_pair.add(target)

    sources = collections.defaultdict(set)
    for j, olds in old_of.items():
        sources[j] |= olds
    for j, s in SOURCES.items():
        sources[j] |= set(s)
    standard = {c for c in joyo | jinmei if 'kJis0' in d[c]} - old_forms - variant_pair
    for j in standard:
        # A traditional variant that is itself a standard kanji (干 -> 乾) is
        # a different Japanese character, not the one j stands for.
        sources[j] |= {v for v in han.variants(j, 'kTraditionalVariant')
                       if v not in standard and v not in KEEP_LEVEL2 and v <= '\u9fff'}
        sources[j].discard(j)
    source_chars = set().union(*(sources[j] for j in standard))

    # Variant links of every kind but compatibility and spoofing: both kinds
    # of semantic variant, Z variants, simplified and traditional forms.
    linked = collections.defaultdict(set)
    for c, fields in d.items():
        for f in fields:
            if f.endswith('SemanticVariant') or f in (
                    'kZVariant', 'kTraditionalVariant', 'kSimplifiedVariant'):
                for v in han.variants(c, f):
                    if v != c:
                        linked[c].add(v)
                        linked[v].add(c)

    def level_of(c):
        jis = d.get(c, {}).get('kJis0')
        return None if not jis else (1 if int(jis[:2]) < 48 else 2)

    cands = {}
    for c in d:
        jis = d[c].get('kJis0')
        if not jis or not (0x4E00 <= ord(c) <= 0x9FFF) or not in_gbk(c):
            continue
        level = 1 if int(jis[:2]) < 48 else 2
        if c in joyo and c in standard:
            tier = 0
        elif c in standard:
            tier = 1
        else:
            if c in old_forms or c in variant_pair or c in EXCLUDE or (
                    c in source_chars and c not in KEEP_LEVEL2):
                continue
            if level == 1 and c in EXCLUDE_LEVEL1:
                continue
            if level == 2 and c not in KEEP_LEVEL2:
                # Linked to a standard or level-1 kanji: an old or variant form.
                if any(v in standard or level_of(v) == 1 for v in linked[c]):
                    continue
                if any(v != c for v in han.variants(c, 'kTraditionalVariant')):
                    continue
            tier = 1 + level
        cands[c] = (tier, int(jis))
    return cands, sources


def readings_of(han, ch, sources):
    """{key: (strength, pinlu count, kFrequency)} for one candidate.

    Frequency data come from the character, the traditional form it stands
    for and their simplified forms (気 <- 氣, 气), since the Japanese form
    itself is often not counted.
    """
    own = [ch] + sorted(sources.get(ch, ()))
    freq_set = set(own)
    for s in own:
        freq_set |= set(han.variants(s, 'kSimplifiedVariant'))
    pinlu = collections.Counter()
    total = 0
    for c in freq_set:
        counts = han.pinlu(c)
        for syl, n in counts.items():
            pinlu[syl] = max(pinlu[syl], n)
        total = max(total, sum(counts.values()))
    mandarin, xhc, hdz, attested = set(), set(), set(), set()
    for c in own:
        mandarin |= han.mandarin(c)
        xhc |= han.xhc(c)
        attested |= set(han.pinlu(c))
    # The archaic readings of the big historical dictionary count only for
    # the character itself, not for the traditional form behind it.
    hdz = han.hdz(ch)
    freq = min(han.frequency(c) for c in freq_set)
    out = {}
    for syl in mandarin | xhc | hdz | attested:
        key = key_of(syl)
        if key is None or (ch, key) in SUPPRESS:
            continue
        n = pinlu.get(syl, 0)
        # Strength 0: the customary reading, or one common in modern text;
        # 1: seen in modern text, but rarely; 2: in the modern dictionary
        # only; 3: historical dictionary only, or a DEMOTE character, or one
        # without any gloss (Japanese place-name characters and the like).
        if ch in DEMOTE or not han.field(ch, 'kDefinition'):
            strength = 3
        elif ((ch, key) in CUSTOMARY or syl in mandarin or n * 4 >= total > 0
              or (n >= 20 and n * 20 >= total)):
            strength = 0
        elif n > 0 or (syl in xhc and total == 0):
            strength = 1
        elif syl in xhc:
            strength = 2
        else:
            strength = 3
        prev = out.get(key)
        cand = (strength, n, freq)
        if prev is None or (cand[0], -cand[1]) < (prev[0], -prev[1]):
            out[key] = cand
    return out


# ---------------------------------------------------------------------------
# Selection
# ---------------------------------------------------------------------------

def rank(entry):
    ch, (tier, jis), (strength, pinlu, freq) = entry
    return (strength, tier, -pinlu, freq, jis)


def choose(han, cands, sources):
    by_key = collections.defaultdict(list)
    for ch in cands:
        for key, info in readings_of(han, ch, sources).items():
            if ONE_KEY.get(ch, key) == key:
                by_key[key].append((ch, cands[ch], info))
    chosen = {}
    problems = []
    pinned = collections.defaultdict(list)
    for key, ch in REQUIRED:
        pinned[key].append(ch)
    for key, n in KEYS:
        ranked = [e[0] for e in sorted(by_key.get(key, []), key=rank)]
        prefer = PREFER.get(key, '')
        missing = [c for c in prefer + ''.join(pinned[key]) if c not in ranked]
        if missing:
            problems.append('%s: %s not a candidate' % (key, ''.join(missing)))
        head = [c for c in prefer if c in ranked]
        rows = head + [c for c in ranked if c not in head]
        must = [c for c in pinned[key] if c in ranked]
        picked = rows[:n]
        for old, new in REPLACE.get(key, []):
            if old not in picked or new not in rows or new in picked:
                problems.append('%s: cannot replace %s by %s' % (key, old, new))
                continue
            picked[picked.index(old)] = new
        picked.sort(key=rows.index)
        for c in must:
            if c not in picked:
                # Make room for a required kanji by dropping the lowest other.
                for i in range(len(picked) - 1, -1, -1):
                    if picked[i] not in must:
                        del picked[i]
                        break
                picked.append(c)
                picked.sort(key=rows.index)
        if len(picked) < n:
            problems.append('%s: only %d of %d kanji' % (key, len(picked), n))
        chosen[key] = picked
    keys_of = collections.defaultdict(set)
    for key, picked in chosen.items():
        for c in picked:
            keys_of[c].add(key)
    for c, keys in sorted(keys_of.items()):
        if len(keys) > 1 and keys != SHARED.get(c):
            problems.append('%s under %s: give it one key in ONE_KEY'
                            % (c, ', '.join(sorted(keys))))
    return chosen, by_key, problems


def place(chosen):
    """[(key, position, kanji)] in file order."""
    rows = []
    for key, n in KEYS:
        kanji = list(chosen[key])
        if key == LAST_ROW[0] and LAST_ROW[1] in kanji:
            kanji.remove(LAST_ROW[1])
            kanji.append(LAST_ROW[1])
        slots = []
        for pos, count in POSITIONS.get(key, [(DEFAULT_POSITION, n)]):
            slots += [pos] * count
        first = FIRST_ROW.get(key)
        placed = []
        if first and first[0] in kanji:
            kanji.remove(first[0])
            slots.remove(first[1])
            placed.append((key, first[1], first[0]))
        fixed = {}
        for c in kanji:
            pos = PINNED_POSITION.get((key, c))
            if pos is not None:
                slots.remove(pos)
                fixed[c] = pos
        free = iter(slots)
        rest = [(fixed[c] if c in fixed else next(free), c) for c in kanji]
        # Rows of a key follow their positions; same position keeps the rank.
        rest.sort(key=lambda pc: pc[0])
        placed += [(key, pos, c) for pos, c in rest]
        rows += placed
    return rows


# ---------------------------------------------------------------------------
# Output and self-check
# ---------------------------------------------------------------------------

def render(rows):
    lines = HEADER + SYMBOL_ROWS + ['%s,%d=%s' % r for r in rows]
    return '\n'.join(lines) + '\n'


def verify(text, rows, cands):
    errors = []
    lines = text.split('\n')
    if lines[-1] != '' or '\r' in text or text.startswith('\ufeff'):
        errors.append('file must end with one LF, use LF only, no BOM')
    lines = lines[:-1]
    if len(lines) != TOTAL_LINES:
        errors.append('%d lines, want %d' % (len(lines), TOTAL_LINES))
    if lines[:4] != HEADER or lines[4:15] != SYMBOL_ROWS:
        errors.append('header or symbol rows differ')
    for i, line in enumerate(lines, 1):
        try:
            b = line.encode('gbk')
        except UnicodeError:
            errors.append('line %d not GBK: %s' % (i, line))
            continue
        if b.decode('gbk') != line:
            errors.append('line %d does not round-trip GBK' % i)
        if len(b) > MAX_LINE_BYTES:
            errors.append('line %d has %d bytes: %s' % (i, len(b), line))
    body = lines[15:]
    parsed = []
    for line in body:
        k, rest = line.split(',')
        pos, text_ = rest.split('=')
        parsed.append((k, int(pos), text_))
    if [r for r in parsed] != list(rows):
        errors.append('rendered rows differ from the chosen rows')
    order = []
    per_key = collections.defaultdict(list)
    for k, pos, ch in parsed:
        if k not in per_key:
            order.append(k)
        per_key[k].append((pos, ch))
        if len(ch) != 1 or ch not in cands:
            errors.append('%s,%d=%s: text is not one candidate kanji' % (k, pos, ch))
        if pos in (1, 2):
            errors.append('%s,%d=%s: kanji row at position %d' % (k, pos, ch, pos))
    if order != [k for k, _ in KEYS]:
        errors.append('order of first appearance differs')
    for k, n in KEYS:
        got = per_key.get(k, [])
        if len(got) != n:
            errors.append('key %s: %d rows, want %d (short)' % (k, len(got), n))
        want = sorted(p for p, c in POSITIONS.get(k, [(DEFAULT_POSITION, n)]) for _ in range(c))
        if sorted(p for p, _ in got) != want:
            errors.append('key %s: positions %s, want %s' % (k, sorted(p for p, _ in got), want))
        if len({c for _, c in got}) != len(got):
            errors.append('key %s: a kanji twice' % k)
    for k, (ch, pos) in FIRST_ROW.items():
        if per_key[k][:1] != [(pos, ch)]:
            errors.append('first row of %s is not %s,%d=%s' % (k, k, pos, ch))
    for (k, ch), pos in PINNED_POSITION.items():
        if (pos, ch) not in per_key[k]:
            errors.append('missing row %s,%d=%s' % (k, pos, ch))
    for k, ch in REQUIRED:
        if ch not in [c for _, c in per_key[k]]:
            errors.append('missing kanji %s under %s' % (ch, k))
    for quoted in ('a,3=阿', 'ai,9=愛', 'ba,6=抜', 'bian,3=辺', 'cang,3=蔵'):
        if quoted not in body:
            errors.append('missing row %s' % quoted)
    if body[-1] != '%s,3=%s' % LAST_ROW:
        errors.append('last row is %s' % body[-1])
    if len(set(parsed)) != len(parsed):
        errors.append('a row twice')
    keys_of = collections.defaultdict(set)
    for k, _, ch in parsed:
        keys_of[ch].add(k)
    for ch, keys in sorted(keys_of.items()):
        if len(keys) > 1 and ch not in SHARED:
            errors.append('%s stands under %s; only %s may have two keys'
                          % (ch, ', '.join(sorted(keys)), ''.join(SHARED)))
    for ch, keys in SHARED.items():
        if keys_of.get(ch) != keys:
            errors.append('%s stands under %s, want %s'
                          % (ch, ', '.join(sorted(keys_of.get(ch, ()))), ', '.join(sorted(keys))))
    return errors


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    # --check: compare with the committed table instead of writing it, so the
    # tests can show the file is exactly what this script makes.
    check = '--check' in sys.argv[1:]
    han = Han(load_unihan())
    cands, sources = build_candidates(han)
    chosen, by_key, problems = choose(han, cands, sources)
    if problems:
        for p in problems:
            print('error:', p, file=sys.stderr)
        sys.exit(1)
    rows = place(chosen)
    text = render(rows)
    errors = verify(text, rows, cands)
    if errors:
        for e in errors:
            print('error:', e, file=sys.stderr)
        sys.exit(1)
    if check:
        with open(os.path.join(root, OUT), encoding='utf-8', newline='') as fh:
            if fh.read() != text:
                print('error: %s differs from what this script makes; re-run it' % OUT,
                      file=sys.stderr)
                sys.exit(1)
        print('%s is exactly what this script makes' % OUT)
        return
    with open(os.path.join(root, OUT), 'w', encoding='utf-8', newline='\n') as fh:
        fh.write(text)
    tiers = collections.Counter(cands[c][0] for _, _, c in rows)
    print('wrote %s: %d lines, %d kanji rows, %d keys, all row counts and positions met'
          % (OUT, TOTAL_LINES, len(rows), len(KEYS)))
    print('rows by kind: Joyo %d, Jinmeiyo %d, other JIS level 1 %d, JIS level 2 %d'
          % (tiers[0], tiers[1], tiers[2], tiers[3]))
    used = collections.Counter(c for _, _, c in rows)
    print('kanji under more than one key: %d' % sum(1 for n in used.values() if n > 1))


if __name__ == '__main__':
    main()
