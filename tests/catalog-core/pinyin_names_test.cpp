#include "catalog-core/han_transliterator.h"
#include "catalog-core/pinyin.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace orbitdeck {
namespace {

struct NameReading {
    std::string name;
    std::string pinyin;
    std::string initials;
};

// Names of real applications sold in China, read the way their users say them.
const std::vector<NameReading> kApplicationNames = {
    {"微信", "weixin", "wx"},
    {"支付宝", "zhifubao", "zfb"},
    {"QQ音乐", "qqyinyue", "qyy"},
    {"网易云音乐", "wangyiyunyinyue", "wyyyy"},
    {"酷狗音乐", "kugouyinyue", "kgyy"},
    {"酷我音乐", "kuwoyinyue", "kwyy"},
    {"汽水音乐", "qishuiyinyue", "qsyy"},
    {"百度地图", "baiduditu", "bddt"},
    {"高德地图", "gaodeditu", "gddt"},
    {"腾讯地图", "tengxunditu", "txdt"},
    {"中国银行", "zhongguoyinhang", "zgyh"},
    {"招商银行", "zhaoshangyinhang", "zsyh"},
    {"重庆银行", "chongqingyinhang", "cqyh"},
    {"工商银行", "gongshangyinhang", "gsyh"},
    {"建设银行", "jiansheyinhang", "jsyh"},
    {"农业银行", "nongyeyinhang", "nyyh"},
    {"交通银行", "jiaotongyinhang", "jtyh"},
    {"长沙银行", "changshayinhang", "csyh"},
    {"平安银行", "pinganyinhang", "payh"},
    {"民生银行", "minshengyinhang", "msyh"},
    {"重庆农商行", "chongqingnongshanghang", "cqnsh"},
    {"长城汽车", "changchengqiche", "ccqc"},
    {"长安汽车", "changanqiche", "caqc"},
    {"淘宝", "taobao", "tb"},
    {"京东", "jingdong", "jd"},
    {"拼多多", "pinduoduo", "pdd"},
    {"闲鱼", "xianyu", "xy"},
    {"美团", "meituan", "mt"},
    {"饿了么", "eleme", "elm"},
    {"大众点评", "dazhongdianping", "dzdp"},
    {"滴滴出行", "didichuxing", "ddcx"},
    {"携程旅行", "xiechenglvxing", "xclx"},
    {"小红书", "xiaohongshu", "xhs"},
    {"哔哩哔哩", "bilibili", "blbl"},
    {"抖音", "douyin", "dy"},
    {"快手", "kuaishou", "ks"},
    {"知乎", "zhihu", "zh"},
    {"微博", "weibo", "wb"},
    {"豆瓣", "douban", "db"},
    {"钉钉", "dingding", "dd"},
    {"企业微信", "qiyeweixin", "qywx"},
    {"腾讯会议", "tengxunhuiyi", "txhy"},
    {"飞书", "feishu", "fs"},
    {"爱奇艺", "aiqiyi", "aqy"},
    {"优酷", "youku", "yk"},
    {"芒果TV", "mangguotv", "mgt"},
    {"喜马拉雅", "ximalaya", "xmly"},
    {"有道词典", "youdaocidian", "ydcd"},
    {"百度网盘", "baiduwangpan", "bdwp"},
    {"搜狗输入法", "sougoushurufa", "sgsrf"},
    {"剪映", "jianying", "jy"},
    {"番茄小说", "fanqiexiaoshuo", "fqxs"},
    {"铁路12306", "tielu12306", "tl1"},
    {"计算器", "jisuanqi", "jsq"},
    {"备忘录", "beiwanglu", "bwl"},
    {"地图", "ditu", "dt"},
    {"音乐", "yinyue", "yy"},
    {"成都地铁", "chengduditie", "cddt"},
    {"西藏旅游", "xizanglvyou", "xzly"},
    {"空调遥控器", "kongtiaoyaokongqi", "ktykq"},
    {"成长守护", "chengzhangshouhu", "czsh"},
    {"快乐星球", "kuailexingqiu", "klxq"},
    {"厦门航空", "xiamenhangkong", "xmhk"},
    {"同花顺行情", "tonghuashunhangqing", "thshq"},
    {"行车记录仪", "xingchejiluyi", "xcjly"},
    {"涨乐财富通", "zhanglecaifutong", "zlcft"},
    // Banks and lenders, whose 行 and 还 read hang and huan.
    {"建行生活", "jianhangshenghuo", "jhsh"},
    {"工行", "gonghang", "gh"},
    {"招行", "zhaohang", "zh"},
    {"中国工商银行", "zhongguogongshangyinhang", "zggsyh"},
    {"还呗", "huanbei", "hb"},
    {"了不起", "liaobuqi", "lbq"},
    {"长江证券", "changjiangzhengquan", "cjzq"},
    {"重庆银行手机银行", "chongqingyinhangshoujiyinhang", "cqyhsjyh"},
    // Characters whose reading outside a word is not ICU's, and a game the dictionary lacks.
    {"蛋仔派对", "danzaipaidui", "dzpd"},
    {"调色板", "tiaoseban", "tsb"},
    {"率土之滨", "shuaituzhibin", "stzb"},
    // Traditional script, read through the simplified phrase table.
    {"臺灣銀行", "taiwanyinhang", "twyh"},
    {"重慶銀行", "chongqingyinhang", "cqyh"},
    {"網易雲音樂", "wangyiyunyinyue", "wyyyy"},
    {"長榮航空", "changronghangkong", "crhk"},
    {"調色盤", "tiaosepan", "tsp"},
    {"家樂福", "jialefu", "jlf"},
    {"長輩圖", "zhangbeitu", "zbt"},
    {"廈門航空", "xiamenhangkong", "xmhk"},
    {"音樂播放器", "yinyuebofangqi", "yybfq"},
    {"計算機", "jisuanji", "jsj"},
    {"系統設定", "xitongsheding", "xtsd"},
    {"瀏覽器", "liulanqi", "llq"},
    {"重新啟動", "chongxinqidong", "cxqd"},
};

// Written ü as u, as folding the transliteration's lǚ gives lu.
std::string foldedU(std::string text) {
    for (auto at = text.find("lv"); at != std::string::npos; at = text.find("lv", at)) {
        text.replace(at, 2, "lu");
    }
    return text;
}

TEST(PinyinNames, RealApplicationNamesReadAsPeopleSayThem) {
    ASSERT_GE(kApplicationNames.size(), 40U);
    for (const auto& expected : kApplicationNames) {
        SCOPED_TRACE(expected.name);
        const auto form = pinyinForm(expected.name);
        ASSERT_TRUE(form.has_value());
        EXPECT_EQ(form->pinyin, foldedU(expected.pinyin));
        EXPECT_EQ(form->initials, expected.initials);
    }
}

TEST(PinyinNames, ThreadsShareTheTransliteratorSafely) {
    std::vector<std::vector<std::optional<PinyinForm>>> readings(4);
    std::vector<std::thread> threads;
    for (auto& reading : readings) {
        threads.emplace_back([&reading] {
            for (const auto& name : kApplicationNames) {
                reading.push_back(pinyinForm(name.name + "云盘"));
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (const auto& reading : readings) {
        EXPECT_EQ(reading, readings.front());
    }
    EXPECT_EQ(readings.front().front()->pinyin, "weixinyunpan");
}

TEST(PinyinNames, WordsChooseTheReadingOfTheirCharacters) {
    // 乐: music against joy; 长: long against growing; 行: bank against travel.
    EXPECT_EQ(pinyinForm("音乐")->pinyin, "yinyue");
    EXPECT_EQ(pinyinForm("快乐")->pinyin, "kuaile");
    EXPECT_EQ(pinyinForm("长城")->pinyin, "changcheng");
    EXPECT_EQ(pinyinForm("成长")->pinyin, "chengzhang");
    EXPECT_EQ(pinyinForm("银行")->pinyin, "yinhang");
    EXPECT_EQ(pinyinForm("出行")->pinyin, "chuxing");
    EXPECT_EQ(pinyinForm("重庆")->pinyin, "chongqing");
    EXPECT_EQ(pinyinForm("重要")->pinyin, "zhongyao");
    EXPECT_EQ(pinyinForm("着陆")->pinyin, "zhuolu");
    EXPECT_EQ(pinyinForm("著陸")->pinyin, "zhuolu");
    EXPECT_EQ(pinyinForm("长相思")->pinyin, "changxiangsi");
    // The longest word wins: 目的地 is mu di di, not mu de di.
    EXPECT_EQ(pinyinForm("目的地")->pinyin, "mudidi");
    // Our corrections of ICU's reading hold for a character outside any word.
    EXPECT_EQ(pinyinForm("地")->pinyin, "di");
    EXPECT_EQ(pinyinForm("长")->pinyin, "chang");
    EXPECT_EQ(pinyinForm("茄")->pinyin, "qie");
    EXPECT_EQ(pinyinForm("拓")->pinyin, "tuo");
    EXPECT_EQ(pinyinForm("似")->pinyin, "si");
    EXPECT_EQ(pinyinForm("调")->pinyin, "tiao");
    EXPECT_EQ(pinyinForm("帧")->pinyin, "zhen");
    // Traditional words convert as words: 乾 is gan in 乾淨 but stays qian in 乾坤.
    EXPECT_EQ(pinyinForm("乾淨")->pinyin, "ganjing");
    EXPECT_EQ(pinyinForm("乾坤")->pinyin, "qiankun");
    EXPECT_EQ(mandarinToLatin("QQ音樂"), "QQ yin yue ");
}

TEST(PinyinNames, OnlyNamesWithHanInRangeHavePinyin) {
    EXPECT_FALSE(pinyinForm("Safari").has_value());
    EXPECT_FALSE(pinyinForm("カメラ").has_value());
    EXPECT_FALSE(pinyinForm("카카오톡").has_value());
    EXPECT_FALSE(pinyinForm("").has_value());
    EXPECT_TRUE(containsHan("a音b"));
    EXPECT_TRUE(containsHan("\u3400"));
    EXPECT_TRUE(containsHan("\u9FFF"));
    EXPECT_FALSE(containsHan("\u33FF\uA000"));
    // A Japanese name with a kanji is read as a whole; the kana stay as they are.
    const auto japanese = pinyinForm("カメラ写真");
    ASSERT_TRUE(japanese.has_value());
    EXPECT_EQ(japanese->pinyin, "カメラxiezhen");
    EXPECT_EQ(japanese->initials, "カxz");
    // Latin words and digits count as syllables; separators do not.
    EXPECT_EQ(pinyinForm("WPS 文字-Pro")->pinyin, "wpswenzipro");
    EXPECT_EQ(pinyinForm("WPS 文字-Pro")->initials, "wwzp");
    EXPECT_EQ(mandarinToLatin("QQ音乐"), "QQ yin yue ");
}

} // namespace
} // namespace orbitdeck

TEST(PinyinNames, BuiltInReadingsMatchTheTransliterator) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> transliterator(
        icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
    ASSERT_TRUE(U_SUCCESS(status));
    const auto reading = [&](char32_t codePoint) {
        icu::UnicodeString text(static_cast<UChar32>(codePoint));
        transliterator->transliterate(text);
        std::string result;
        text.trim().toUTF8String(result);
        return result;
    };
    // Both ends of the table, a stride through it, and characters beyond it (Extension B).
    for (char32_t codePoint :
         {U'\x3400', U'\x4E00', U'\x4E2D', U'\x97F3', U'\x9FFF', U'\x20000', U'\x2A6D6'}) {
        EXPECT_EQ(orbitdeck::transliterateHanCharacter(codePoint), reading(codePoint))
            << std::hex << static_cast<unsigned>(codePoint);
    }
    for (char32_t codePoint = 0x3400; codePoint <= 0x9FFF; codePoint += 37) {
        EXPECT_EQ(orbitdeck::transliterateHanCharacter(codePoint), reading(codePoint))
            << std::hex << static_cast<unsigned>(codePoint);
    }
}
