// The search window's options: several words, simplified and traditional alike, titles by pinyin,
// the hit in context. All off, the window behaves as it always did.
#include "store/DataFile.h"
#include "store/SearchQuery.h"
#include "store/windows/Findall.h"
#include "store/windows/MarkedTextDelegate.h"
#include "store/windows/SearchHost.h"
#include "store/windows/SearchResultModel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTableView>

namespace qj {

namespace {

constexpr int kOptionsHeight = 24;

QCheckBox* Option(QWidget* parent, const char* name, const QString& text, const QString& hint, bool on) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(hint);
    box->setChecked(on);
    box->setFocusPolicy(Qt::NoFocus); // the search box keeps the keyboard
    return box;
}

} // namespace

SearchResultModel::SnippetOf SnippetsOf(SearchHost& host, const QString& text, const SearchOptions& options) {
    const QStringList words = WordsOf(text, options);
    return [&host, words, variants = options.variants](const SearchHit& hit) {
        DataFile* file = host.dataFile();
        return file ? SnippetAround(ReadHitText(file->db(), hit), words, variants) : Snippet{};
    };
}

QWidget* TFind_all::makeOptionsStrip() {
    auto* strip = new QWidget(this);
    strip->setFixedHeight(kOptionsHeight);
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 0, 4, 2);
    row->setSpacing(10);
    const SearchSettings stored = host_.searchSettings();
    chkWords_ = Option(strip, "chkWords", QStringLiteral("多词"),
                       QStringLiteral("以空格分开的几个词都要出现（次序不限），引号内的词组照原样查找"),
                       stored.words);
    chkVariants_ = Option(strip, "chkVariants", QStringLiteral("简繁"),
                          QStringLiteral("简体字与繁体字同样查到"), stored.variants);
    chkPinyin_ = Option(strip, "chkPinyin", QStringLiteral("拼音"),
                        QStringLiteral("题目也按拼音或首字母查找（如 biji、bj 查到“笔记”）"), stored.pinyin);
    chkContext_ = Option(strip, "chkContext", QStringLiteral("上下文"),
                         QStringLiteral("结果中显示查到的上下文；打开时标出所有查到之处"), stored.context);
    for (QCheckBox* box : {chkWords_, chkVariants_, chkPinyin_, chkContext_}) {
        row->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this] { host_.saveSearchSettings(options()); });
    }
    row->addStretch(1);
    grid_->setItemDelegateForColumn(SearchResultModel::kContextColumn, new MarkedTextDelegate(grid_));
    return strip;
}

SearchSettings TFind_all::options() const {
    return {chkWords_->isChecked(), chkVariants_->isChecked(), chkPinyin_->isChecked(),
            chkContext_->isChecked()};
}

void TFind_all::markOccurrences(const QString& text) {
    const SearchSettings o = options();
    const std::vector<TextRange> at =
        WordOccurrences(host_.editorText(), WordsOf(text, {o.words, o.variants, o.pinyin}), o.variants);
    setWindowTitle(QStringLiteral("本文包含 %1 要查询的内容！").arg(at.size()));
    host_.markInEditor(at);
    if (!at.empty())
        host_.selectInEditor(at.front().first, at.front().second);
}

} // namespace qj
