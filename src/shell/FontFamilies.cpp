#include "shell/FontFamilies.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace qj {
namespace {

struct FamilyStandIn {
    const char* stored; // name as written by the user's system
    const char* shown;  // installed family that replaces it; empty: the system's fixed-pitch face
};

// Song faces keep Latin letters at half the width of a Chinese character; the column arithmetic of
// the editor (wrap at 80 half-width cells) relies on that.
constexpr FamilyStandIn kStandIns[] = {
    {"宋体", "AR PL SungtiL GB"},
    {"SimSun", "AR PL SungtiL GB"},
    {"新宋体", "AR PL SungtiL GB"},
    {"NSimSun", "AR PL SungtiL GB"},
    {"仿宋", "AR PL SungtiL GB"},
    {"仿宋_GB2312", "AR PL SungtiL GB"},
    {"FangSong", "AR PL SungtiL GB"},
    {"楷体", "AR PL SungtiL GB"},
    {"楷体_GB2312", "AR PL SungtiL GB"},
    {"KaiTi", "AR PL SungtiL GB"},
    {"黑体", "WenQuanYi Micro Hei"},
    {"SimHei", "WenQuanYi Micro Hei"},
    {"微软雅黑", "WenQuanYi Micro Hei"},
    {"Microsoft YaHei", "WenQuanYi Micro Hei"},
    {"Courier New", ""},
    {"Courier", ""},
    {"Fixedsys", ""},
    {"Lucida Console", ""},
};

constexpr int kDefaultNotePoints = 12;

const char* const kChineseFaces[] = {"AR PL SungtiL GB", "WenQuanYi Micro Hei"};

bool Installed(const QString& family) {
    return QFontDatabase::hasFamily(family);
}

QString FirstInstalledChineseFace() {
    for (const char* face : kChineseFaces) {
        if (Installed(QString::fromUtf8(face)))
            return QString::fromUtf8(face);
    }
    return {};
}

} // namespace

QString DisplayFamilyFor(const QString& storedName) {
    if (!storedName.isEmpty() && Installed(storedName))
        return storedName;
    for (const FamilyStandIn& s : kStandIns) {
        if (storedName.compare(QString::fromUtf8(s.stored), Qt::CaseInsensitive) != 0)
            continue;
        const QString shown = QString::fromUtf8(s.shown);
        if (shown.isEmpty())
            return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
        if (Installed(shown))
            return shown;
        break;
    }
    const QString chinese = FirstInstalledChineseFace();
    return chinese.isEmpty() ? storedName : chinese;
}

QFont NoteFont(const QString& storedName, int points) {
    QFont font(DisplayFamilyFor(storedName));
    font.setPointSize(points > 0 ? points : kDefaultNotePoints);
    return font;
}

void EnsureChineseUiFont() {
    const QFont current = QApplication::font();
    const QString family = QFontInfo(current).family();
    if (QFontDatabase::writingSystems(family).contains(QFontDatabase::SimplifiedChinese))
        return;
    const char* const uiFaces[] = {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "WenQuanYi Zen Hei",
                                   "AR PL SungtiL GB"};
    for (const char* face : uiFaces) {
        if (Installed(QString::fromUtf8(face))) {
            QFont f = current;
            f.setFamilies({QString::fromUtf8(face), family});
            QApplication::setFont(f);
            return;
        }
    }
}

QStringList ChineseFontFamilies() {
    return QFontDatabase::families(QFontDatabase::SimplifiedChinese);
}

QString NoChineseFontWarning(const QStringList& families) {
    if (!families.isEmpty())
        return QString();
    return QStringLiteral(
        "No Chinese font is installed: the program's Chinese text will show as empty boxes.\n"
        "Install one of the Chinese fonts Debian ships, for example:\n\n"
        "    sudo apt install fonts-wqy-microhei\n\n"
        "(Mei you zhongwen ziti. Qing anzhuang: sudo apt install fonts-wqy-microhei)");
}

} // namespace qj
